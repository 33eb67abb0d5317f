#!/bin/sh
# The Debian package: made by CPack from the build (or given), it must hold
# every installed file and nothing else, depend on the wxWidgets runtime,
# and its unpacked varnel must write, byte for byte, what the build's does,
# finding its data files from where the package puts it.
# usage: package_test.sh SOURCE_DIR BUILD_DIR VARNEL VERSION [PACKAGE.deb]
# CPACK names the cpack program (default: the one on the PATH).
set -u
SRC=$1
BUILD=$2
VARNEL=$3
VERSION=$4
DEB=${5:-}
. "$SRC/tests/e2e/test_lib.sh"
WORK=$(mktemp -d "${TMPDIR:-/tmp}/varnel-package.XXXXXX")
trap 'rm -rf "$WORK"' EXIT

# CPack only installs the built files into its own folder and packs them,
# so this takes seconds; its folder is the test's, not the build's.
if [ -z "$DEB" ]; then
  if ! "${CPACK:-cpack}" --config "$BUILD/CPackConfig.cmake" -G DEB -B "$WORK/cpack" \
       > "$WORK/cpack.log" 2>&1; then
    echo "FAIL: cpack: $(cat "$WORK/cpack.log")"
    exit 1
  fi
  DEB=$(ls "$WORK"/cpack/*.deb 2>/dev/null | head -n 1)
  [ -n "$DEB" ] || { echo "FAIL: cpack made no .deb: $(cat "$WORK/cpack.log")"; exit 1; }
fi

# The control fields.
field() { dpkg-deb -f "$DEB" "$1"; }
[ "$(field Package)" = "varnel" ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$VERSION" ] || fail "Version is '$(field Version)', the project's is $VERSION"
[ "$(field Section)" = "devel" ] || fail "Section is '$(field Section)'"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] ||
  fail "Architecture is '$(field Architecture)'"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
depends=$(field Depends)
for runtime in 'libwxgtk3\.2-1' 'libwxbase3\.2-1'; do
  echo "$depends" | tr ',' '\n' | grep -qE "^ *$runtime(t64)?( |$)" ||
    fail "Depends lacks the wx runtime $runtime: $depends"
done

# The file list: every installed file, and no other file (no test or
# benchmark program).
dpkg-deb -c "$DEB" | awk '$1 !~ /^d/ { print $6 }' | sort > "$WORK/files.txt"
cat > "$WORK/expected.txt" <<LIST
./usr/bin/varnel
./usr/bin/varnel-gui
./usr/share/applications/varnel.desktop
./usr/share/icons/hicolor/48x48/apps/varnel.png
./usr/share/icons/hicolor/scalable/apps/varnel.svg
./usr/share/man/man1/varnel-gui.1
./usr/share/man/man1/varnel.1
./usr/share/varnel/Varnel.css
./usr/share/varnel/Varnel.dtd
./usr/share/varnel/varnel-gui.htb
LIST
sort -o "$WORK/expected.txt" "$WORK/expected.txt"
if ! cmp -s "$WORK/expected.txt" "$WORK/files.txt"; then
  fail "the package's files differ from the expected ones (< expected, > packed):
$(diff "$WORK/expected.txt" "$WORK/files.txt" | grep '^[<>]')"
fi

# Unpacked, the files are those of the source tree.
ROOT=$WORK/root
dpkg-deb -x "$DEB" "$ROOT" || { fail "dpkg-deb -x failed"; exit 1; }
for pair in \
    "resources/Varnel.css usr/share/varnel/Varnel.css" \
    "resources/Varnel.dtd usr/share/varnel/Varnel.dtd" \
    "resources/varnel.desktop usr/share/applications/varnel.desktop" \
    "resources/icons/varnel.svg usr/share/icons/hicolor/scalable/apps/varnel.svg" \
    "resources/icons/varnel-48.png usr/share/icons/hicolor/48x48/apps/varnel.png" \
    "man/varnel.1 usr/share/man/man1/varnel.1" \
    "man/varnel-gui.1 usr/share/man/man1/varnel-gui.1"; do
  set -- $pair
  [ -f "$ROOT/$2" ] && ! cmp -s "$SRC/$1" "$ROOT/$2" && fail "$2 is not $1"
done
# The windowed program finds its help book there, and its libraries.
cmake -E tar tf "$ROOT/usr/share/varnel/varnel-gui.htb" 2>/dev/null |
  grep -qx varnel.hhp || fail "varnel-gui.htb holds no varnel.hhp"
if [ -x "$ROOT/usr/bin/varnel-gui" ] && ldd "$ROOT/usr/bin/varnel-gui" | grep -q 'not found'; then
  fail "varnel-gui lacks libraries: $(ldd "$ROOT/usr/bin/varnel-gui" | grep 'not found')"
fi

# The unpacked program against the build's, on the example with its
# descriptions merged, and a help book whose stylesheet the program takes
# from its own share/varnel.
document() {  # PROGRAM FOLDER
  "$1" "$SRC/examples/Geometry.h" --ini "$SRC/examples/varnel.INI" \
    --merge "$SRC/examples/Geometry.xml" --all --out "$2" --stylesheet \
    --help-book "$2/book" --no-compile > "$2.out" 2> "$2.err" ||
    fail "$1 exited $?: $(cat "$2.err")"
  # The messages name the folder, which is the one thing that differs.
  sed "s|$2|OUT|g" "$2.out" > "$2.messages"
}
document "$VARNEL" "$WORK/built"
document "$ROOT/usr/bin/varnel" "$WORK/packed"
[ -f "$WORK/packed/Geometry.htm" ] && [ -f "$WORK/packed/Geometry.xml" ] ||
  fail "the packed varnel wrote no page or XML file"
[ -f "$WORK/packed/book/Varnel.css" ] ||
  fail "the packed varnel did not find its stylesheet for the help book"
diff -r "$WORK/built" "$WORK/packed" > "$WORK/diff.txt" ||
  fail "the packed varnel writes other files: $(head -n 20 "$WORK/diff.txt")"
cmp -s "$WORK/built.messages" "$WORK/packed.messages" ||
  fail "the packed varnel says other things: $(diff "$WORK/built.messages" "$WORK/packed.messages")"
[ "$("$ROOT/usr/bin/varnel" --version)" = "$("$VARNEL" --version)" ] ||
  fail "the packed varnel has another version"

[ "$failures" -eq 0 ] || exit 1
echo "$(basename "$DEB"): $(wc -l < "$WORK/files.txt") files; the packed varnel writes what the build's does"
