#!/bin/sh
# The library job: many headers in one run, side by side. Every output is
# byte for byte that of a run of its header alone, the index page links
# every page, messages keep the order of the headers, and a header that
# fails leaves the others written.
# usage: library_test.sh VARNEL SOURCE_DIR
set -u
VARNEL=$1
SRC=$2
WORK=$(mktemp -d "${TMPDIR:-/tmp}/varnel-library.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
cd "$WORK" || exit 1

. "$SRC/tests/e2e/test_lib.sh"

WX=/usr/include/wx-3.2/wx
INI=$SRC/tests/wx/varnel.INI

if [ -d "$WX" ]; then
  mkdir lib one
  run 0 "$WX" --ini "$INI" --out lib --all --stylesheet -j 2
  for h in "$WX"/*.h; do
    "$VARNEL" "$h" --ini "$INI" --out one --all --stylesheet > /dev/null 2>&1 ||
      fail "$h alone failed"
  done
  pages=$(ls one/*.htm | wc -l)
  [ "$pages" -gt 300 ] || fail "only $pages pages from the wx headers"
  differ=0
  for f in one/*; do
    cmp -s "$f" "lib/${f#one/}" || differ=$((differ + 1))
  done
  [ "$differ" -eq 0 ] || fail "$differ outputs of the library job differ from runs alone"
  [ "$(ls lib | wc -l)" -eq "$(( $(ls one | wc -l) + 1 ))" ] || fail "the library job wrote other files"
  # The index links every page, and only pages that exist.
  links=$(grep -o 'href="[^"]*\.htm"' lib/index.htm | sed 's/href="//; s/"$//' | sort -u)
  [ "$(echo "$links" | wc -l)" -eq "$pages" ] || fail "the index links $(echo "$links" | wc -l) of $pages pages"
  for link in $links; do
    [ -f "lib/$link" ] || fail "the index links $link, which is not there"
  done
  grep -q 'href="Varnel.css"' lib/index.htm || fail "the index does not link the stylesheet"
  lf=$(tr -cd '\n' < lib/index.htm | wc -c); crlf=$(grep -c "$(printf '\r')\$" lib/index.htm)
  [ "$lf" -eq "$crlf" ] || fail "the index does not end every line in CR LF"
  # The messages come in the order of the headers, whatever the threads.
  grep '^Wrote' out.txt | grep -v index.htm | sed 's|^Wrote lib/||; s|\.[a-z]*$||' | uniq > order.txt
  ls "$WX"/*.h | sed 's|.*/||; s|\.h$||' > expected.txt
  cmp -s order.txt expected.txt || fail "the messages do not keep the order of the headers"
  # No progress line when standard error is no terminal.
  grep -q '\[1/' err.txt && fail "a progress line went to a file"
else
  echo "note: $WX is not installed; the comparison with the wx headers is skipped"
fi

# A header that fails in the middle: the others are written, exit 1.
mkdir -p src doc
cp "$SRC/examples/Geometry.h" src/A.h
: > src/B.h
cp "$SRC/examples/Geometry.h" src/C.h
run 1 src --out doc --all
expect_err "src/B.h: "
[ -f doc/A.htm ] && [ -f doc/A.xml ] && [ -f doc/C.htm ] && [ -f doc/C.xml ] ||
  fail "a failing header stopped the others"
[ -e doc/B.xml ] && fail "the failing header was written"
grep -q 'href="A.htm"' doc/index.htm && grep -q 'href="C.htm"' doc/index.htm ||
  fail "the index lacks the headers that were written"
# Each line of the index gives what the check counts for its header.
"$VARNEL" src/A.h --check > check.txt 2>&1
total=$(sed -n 's/^coverage: [0-9]* of \([0-9]*\) descriptions.*/\1/p' check.txt)
[ -n "$total" ] && [ "$total" -gt 0 ] || fail "the check counted no descriptions"
grep 'href="A.htm"' doc/index.htm | grep -q "<td>0 of $total (0.0%)</td>" ||
  fail "the index does not give the coverage the check counts"
rm src/B.h

# Headers of one stem from two folders into one folder: refused, naming
# both, before anything is written.
mkdir -p other out2
cp src/A.h other/A.h
run 2 src/A.h other/A.h --out out2 --all
expect_err "src/A.h"; expect_err "other/A.h"
[ "$(ls out2 | wc -l)" -eq 0 ] || fail "a refused library job wrote files"
# Without --out each goes beside its header.
run 0 src/A.h other/A.h --xml
[ -f src/A.xml ] && [ -f other/A.xml ] || fail "headers of one stem in their own folders"

# A header whose page would be the index page.
cp src/A.h src/index.h
run 2 src --out doc --html
expect_err "would be the index page"
run 0 src --out doc --html --index modules.htm
[ -f doc/modules.htm ] || fail "--index did not name the index page"
rm src/index.h src/index.xml 2> /dev/null
# The same when the index is a hard link to a page: the index is the file,
# not its name.
ln doc/A.htm doc/I.htm
run 2 src --out doc --html --index I.htm
expect_err "would be the index page"
rm doc/I.htm
# A page or XML file of any header of the run that would be the settings
# file.
cp src/A.h src/B.h
printf '[Macros]\r\n' > doc/B.xml
run 2 src --out doc --xml --ini doc/B.xml
expect_err "overwrite the settings file doc/B.xml"
rm src/B.h doc/B.xml

# Explicit paths are for one header.
run 2 src/A.h src/C.h --html page.htm
expect_err "with several headers use --out DIR"

# --update keeps what was written into each header's XML file, and
# --rename names its header.
sed -i 's/^Here should be a description of the module\r$/Module A, written by hand.\r/' doc/A.xml
grep -q 'Module A, written by hand.' doc/A.xml || fail "the test could not edit doc/A.xml"
sed 's/CShape\* CreateShape(/CShape* MakeShape(/' src/C.h > C.tmp && mv C.tmp src/C.h
sed -i 's/^Here should be a short description of the function\.\r$/Made by hand.\r/' doc/C.xml
run 0 src --out doc --all --update
grep -q 'Module A, written by hand.' doc/A.xml || fail "--update lost a description"
[ -f doc/C.orphans.xml ] || fail "--update kept no side file for the renamed function"
run 2 src --out doc --all --update --rename CreateShape=MakeShape
expect_err "name the header: STEM:OLD=NEW"
run 0 src --out doc --all --update --rename C:CreateShape=MakeShape
[ -e doc/C.orphans.xml ] && fail "the qualified rename did not place the texts"
grep -q 'Made by hand.' doc/C.xml || fail "the rename lost the text"

# The check over many headers: every header's lines and one total.
run 1 src --check
expect_out "src/A.h:"; expect_out "src/C.h:"
expect_out " in 2 headers"
run 1 src --check=json
if command -v python3 > /dev/null; then
  python3 -c '
import json, sys
r = json.load(open(sys.argv[1]))
assert len(r["headers"]) == 2 and r["total"] == sum(h["total"] for h in r["headers"])
' out.txt || fail "the JSON of several headers is not as expected"
fi

# Help books of several headers: every book in one folder, and one
# project holding them all, compiled when chmcmd is there.
run 0 src --help-book books --stylesheet
[ -f books/A.hhp ] && [ -f books/C.hhp ] && [ -f books/index.hhp ] && [ -f books/index.hhc ] ||
  fail "the help books of the library are not all there"
[ "$(grep -c '^Varnel.css' books/index.hhp)" -eq 1 ] || fail "index.hhp lists the stylesheet more than once"
if command -v chmcmd > /dev/null; then
  [ -f books/index.chm ] || fail "the library's help was not compiled"
fi
cp src/A.h src/index.h
run 2 src --help-book books
expect_err "would be the library's index.hhp"
rm src/index.h

# One thread or many: the same files and the same messages.
mkdir j1 j2
run 0 src --out j1 --all -j 1
cp out.txt j1.out
run 0 src --out j2 --all -j 4
sed 's|j2/|j1/|' out.txt > j2.out
cmp -s j1.out j2.out || fail "the messages depend on the number of threads"
for f in j1/*; do
  cmp -s "$f" "j2/${f#j1/}" || fail "$f depends on the number of threads"
done

[ "$failures" -eq 0 ] && echo "library_test: all passed"
exit "$failures"
