#!/bin/sh
# Hostile inputs and unwritable outputs for the varnel program: each gives
# a message and a failing exit status, or a sound result; never a signal.
# usage: hostile_cli_test.sh VARNEL SOURCE_DIR
set -u
VARNEL=$1
SRC=$2
WORK=$(mktemp -d "${TMPDIR:-/tmp}/varnel-hostile.XXXXXX")
cleanup() {
  chattr -i "$WORK/ro" 2>/dev/null
  chmod -R u+w "$WORK" 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT
cd "$WORK" || exit 1

. "$SRC/tests/e2e/test_lib.sh"
no_temp_files() {
  [ "$(find . -name '*.tmp*' | wc -l)" -eq 0 ] || fail "temporary files left: $(find . -name '*.tmp*')"
}

cp "$SRC/examples/Geometry.h" "$SRC/examples/varnel.INI" .

# Binary and NUL-laden input: an answer either way, never a signal.
head -c 1000000 "$VARNEL" > noise.h
"$VARNEL" noise.h --all > out.txt 2> err.txt
status=$?
[ "$status" -le 1 ] || fail "a binary header ended the program with status $status"
printf 'class A\000B { int a\000; };\000\n' > nul.h
run 0 nul.h --all
cp noise.h noise.xml
run 1 Geometry.h --merge noise.xml
[ -s err.txt ] || fail "a binary XML file gave no message"
run 0 Geometry.h --ini noise.h

# Folders where files belong.
mkdir folder.h
# A folder stands for its headers; one without any is a usage error.
run 2 folder.h; expect_err "the folder folder.h holds no *.h file"
run 1 Geometry.h --ini folder.h; expect_err "Cannot find this file."
run 1 Geometry.h --merge folder.h; expect_err "Unable to open the required file."
run 1 Geometry.h --xml folder.h; expect_err "The datas cannot be saved."

# Outputs that cannot be written: below a file, and in a read-only folder.
echo "a file" > blocker
run 1 Geometry.h --xml blocker/out.xml; expect_err "The datas cannot be saved."
mkdir ro
echo old > ro/Geometry.xml
chmod 555 ro
# root writes anywhere: make the folder immutable instead, if we may.
if touch ro/probe 2>/dev/null; then
  rm -f ro/probe
  chattr +i ro 2>/dev/null
fi
if touch ro/probe 2>/dev/null; then
  rm -f ro/probe
  echo "note: no read-only folder available here; that case is skipped"
else
  run 1 Geometry.h --xml ro/Geometry.xml --html ro/Geometry.htm
  expect_err "The datas cannot be saved."
  [ "$(cat ro/Geometry.xml)" = old ] || fail "the read-only folder's file changed"
  [ -e ro/Geometry.htm ] && fail "a file appeared in the read-only folder"
fi
chattr -i ro 2>/dev/null
chmod 755 ro

# A full disk, simulated by the file size limit: the old file stays.
echo old > full.xml
# The limit holds for every file written, so the messages go through a pipe.
err=$( (ulimit -f 2 && "$VARNEL" Geometry.h --xml full.xml > /dev/null) 2>&1 )
status=$?
[ "$status" -eq 1 ] || fail "a full disk gave exit status $status"
case $err in
  *"The datas cannot be saved."*) ;;
  *) fail "a full disk gave no message: $err" ;;
esac
[ "$(cat full.xml)" = old ] || fail "the full disk destroyed the old file"
no_temp_files

# An output over an input is refused before anything is read or written,
# however the path is spelled.
cp Geometry.h keep.h
ln -s Geometry.h link.h
ln Geometry.h hard.h
run 2 Geometry.h --xml ./Geometry.h; expect_err "overwrite the header"
run 2 Geometry.h --html link.h; expect_err "overwrite the header"
run 2 Geometry.h --xml hard.h; expect_err "overwrite the header"
run 2 Geometry.h --ini varnel.INI --xml varnel.INI; expect_err "overwrite the settings file"
run 2 Geometry.h --html varnel.INI; expect_err "overwrite the settings file"
cmp -s Geometry.h keep.h || fail "the header changed"
run 0 Geometry.h --ini varnel.INI --xml
cp Geometry.xml merged.xml
run 2 Geometry.h --merge merged.xml --html merged.xml; expect_err "overwrite the merged file"
cmp -s Geometry.xml merged.xml || fail "the merged file changed"
# The XML output over the merged file is the round trip.
run 0 Geometry.h --ini varnel.INI --merge merged.xml --xml merged.xml
cmp -s Geometry.xml merged.xml || fail "the round trip over the merged file changed it"

# Hostile XML files to merge.
printf '<Varnel>' > deep.xml
i=0; while [ $i -lt 1000 ]; do printf '<e><e><e><e><e><e><e><e><e><e>' >> deep.xml; i=$((i + 1)); done
run 1 Geometry.h --merge deep.xml; expect_err "Elements nested too deeply"
printf '<Varnel><Module.Title>Geometry</Module.Title><!-- open' > comment.xml
run 1 Geometry.h --merge comment.xml; expect_err "Invalid node"
printf '<Varnel><Module.Title><![CDATA[Geometry' > cdata.xml
run 1 Geometry.h --merge cdata.xml; expect_err "Invalid node"
printf '<Varnel anchor="ModulGeometry><Module.Title>Geometry</Module.Title></Varnel>' > attr.xml
run 0 Geometry.h --merge attr.xml

# Hostile side files and renames. A side file beside a merged file is read
# like any file to merge: a broken one stops the run with its place.
run 0 Geometry.h --ini varnel.INI --xml side.xml
cp deep.xml side.orphans.xml
cp side.xml side.before
run 1 Geometry.h --merge side.xml --xml side.xml
expect_err "side.orphans.xml:1:"; expect_err "was read as the side file of side.xml"
cmp -s side.xml side.before || fail "a broken side file let the XML file be replaced"
cp noise.xml side.orphans.xml
run 1 Geometry.h --merge side.xml --xml side.xml
cp A.xml side.orphans.xml 2>/dev/null || "$VARNEL" nul.h --xml=side.orphans.xml > /dev/null
run 1 Geometry.h --merge side.xml --xml side.xml
expect_err "The XML file is not of the correct document type or is not for this module."
rm side.orphans.xml
# Renames of every shape: bad ones are usage errors, odd names harmless.
run 2 Geometry.h --merge side.xml --rename ""
run 2 Geometry.h --merge side.xml --rename "=CPoint"
run 2 Geometry.h --merge side.xml --rename "CPoint="
run 2 Geometry.h --merge side.xml --rename "a=b=c"
run 2 Geometry.h --rename "CPoint=CNothing"; expect_err "no entry of the old name"
run 0 Geometry.h --merge side.xml --rename "CPoint=$(printf '\001\377<&>"')" --xml side.xml
expect_err "moved nothing"
run 2 Geometry.h --merge side.xml --rename "::=::" --rename "CPoint::=::x" --xml side.xml
expect_err "::=::: the merged files have no entry of the old name"
cmp -s side.xml side.before || fail "renames that moved nothing changed the XML file"

# Folders of headers: odd names, a folder named like a header, a link
# that loops, a header that cannot be read; never outside the folder.
mkdir -p lib/sub/deeper "lib/with space" lib/dir.h
cp Geometry.h "lib/with space/Spaced Name.h"
cp Geometry.h "lib/sub/deeper/$(printf 'odd\001name').h"
printf 'class A {};\n' > lib/sub/Small.h
ln -s .. lib/sub/loop
: > lib/Empty.h
run 1 lib --recursive --out libout --xml
expect_err "lib/Empty.h: "
[ -f "libout/Spaced Name.xml" ] && [ -f libout/Small.xml ] || fail "a recursive folder was not documented"
[ -e libout/dir.xml ] && fail "a folder named like a header was documented"
[ "$(ls libout | wc -l)" -eq 3 ] || fail "the recursive run wrote $(ls libout | wc -l) files, not 3"
run 1 lib --out libout2 --xml
[ -e libout2/Small.xml ] && fail "a subfolder was read without --recursive"
run 2 Geometry.h -j 0
run 2 Geometry.h --index ../escape.htm
expect_err "without a folder"

[ "$failures" -eq 0 ] && echo "all hostile checks passed"
[ "$failures" -eq 0 ]
