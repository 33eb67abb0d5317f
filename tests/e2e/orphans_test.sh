#!/bin/sh
# No description is ever lost when the header changes. Every description
# of the example's export gets a unique text; then a method, a global
# function, a class and a parameter are renamed and a data member removed.
# Every text must be in the new XML file or in its side file; --rename puts
# the renamed entries' texts back; restoring the member and the parameter
# brings back the rest and the side file goes.
# usage: orphans_test.sh VARNEL SOURCE_DIR
set -u
VARNEL=$1
SRC=$2
WORK=$(mktemp -d "${TMPDIR:-/tmp}/varnel-orphans.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
cd "$WORK" || exit 1

. "$SRC/tests/e2e/test_lib.sh"

cp "$SRC/examples/Geometry.h" "$SRC/examples/varnel.INI" .
cp Geometry.h original.h
job() {
  expected=$1; shift
  run "$expected" Geometry.h --ini varnel.INI --merge Geometry.xml --xml "$@"
}
# The distinct "Unique N" numbers in the files given.
numbers() { cat "$@" 2>/dev/null | grep -o 'Unique [0-9]*' | sort -u; }
count() { numbers "$@" | wc -l; }

run 0 Geometry.h --ini varnel.INI --xml
# Every placeholder, every list introduction and every empty list
# description gets a text of its own.
awk '
  function unique() { n++; return "Unique " n "." }
  /^Here should be .*\r$/ { printf "%s\r\n", unique(); last = ""; next }
  /^<Description>This is the list of .*<\/Description>\r$/ {
    printf "<Description>%s</Description>\r\n", unique(); next }
  /^<\/Description>\r$/ && last == "<Description>\r" { printf "%s\r\n", unique() }
  { print; last = $0 }' Geometry.xml > filled.xml
mv filled.xml Geometry.xml
total=$(count Geometry.xml)
[ "$total" -gt 60 ] || fail "only $total texts were written into the export"

# The header changes.
sed -e 's/double Distance(const CPoint& other) const;/double DistanceTo(const CPoint\& other) const;/' \
    -e 's/CShape\* CreateShape(/CShape* MakeShape(/' \
    -e 's/class CList/class CArray/' \
    -e 's/int nMin, int nMax/int nLow, int nMax/' \
    -e '/double m_y;/d' original.h > Geometry.h
cmp -s Geometry.h original.h && fail "the header did not change"

job 0
[ -f Geometry.orphans.xml ] || fail "no side file was written"
[ "$(count Geometry.xml Geometry.orphans.xml)" -eq "$total" ] ||
  fail "texts were lost: $(count Geometry.xml Geometry.orphans.xml) of $total kept"
expect_err "method CPoint::Distance, which the header no longer has: kept in Geometry.orphans.xml"
expect_err "--rename CPoint::Distance=CPoint::DistanceTo"
expect_err "--rename CreateShape=MakeShape"
expect_err "class CList, which the header no longer has"
expect_err "parameter 'int nMin' of global function Clamp"
if command -v xmllint > /dev/null; then
  xmllint --noout --dtdvalid "$SRC/resources/Varnel.dtd" Geometry.orphans.xml 2> lint.txt ||
    fail "the side file does not validate: $(cat lint.txt)"
fi
# --strict notices the same, after writing.
cp Geometry.xml before.xml
job 1 --strict
cmp -s Geometry.xml before.xml || fail "--strict changed what was written"

# A rename whose old name no file has is refused before anything is written.
job 2 --rename CPoint::Nothing=CPoint::DistanceTo
expect_err "CPoint::Nothing=CPoint::DistanceTo: the merged files have no entry of the old name"
cmp -s Geometry.xml before.xml || fail "a refused rename wrote the XML file"

# The renames put their entries' texts back; the side file is merged after
# the XML file without being named.
job 0 --rename CPoint::Distance=CPoint::DistanceTo --rename CreateShape=MakeShape \
  --rename CList=CArray
expect_err "merged Geometry.orphans.xml after Geometry.xml"
[ "$(count Geometry.orphans.xml)" -eq 2 ] ||
  fail "the side file keeps $(count Geometry.orphans.xml) texts, not the member's and the parameter's"
grep -q 'double m_y;' Geometry.orphans.xml || fail "the removed member is not in the side file"
grep -q '<Name>int nMin</Name>' Geometry.orphans.xml || fail "the renamed parameter is not in the side file"
[ "$(count Geometry.xml Geometry.orphans.xml)" -eq "$total" ] || fail "the renames lost texts"
[ "$(count Geometry.xml)" -eq $((total - 2)) ] || fail "the renames did not place every text"

# Once the member and the parameter are back, so are their texts.
sed -e 's/double DistanceTo(/double Distance(/' original.h > Geometry.h
sed -i -e 's/double Distance(const CPoint& other) const;/double DistanceTo(const CPoint\& other) const;/' \
    -e 's/CShape\* CreateShape(/CShape* MakeShape(/' -e 's/class CList/class CArray/' Geometry.h
job 0
expect_err "every description of Geometry.orphans.xml found its entry; removed it"
[ -e Geometry.orphans.xml ] && fail "the side file stayed after every text found its entry"
[ "$(count Geometry.xml)" -eq "$total" ] || fail "texts did not come back: $(count Geometry.xml) of $total"

# The filters: texts of members that the XML leaves out go to the side file
# and come back when it lists them again.
job 0 --members public
expect_err "which --members public leaves out of Geometry.xml"
[ "$(count Geometry.xml Geometry.orphans.xml)" -eq "$total" ] || fail "--members public lost texts"
[ "$(count Geometry.xml)" -lt "$total" ] || fail "--members public should leave texts out"
job 0
[ "$(count Geometry.xml)" -eq "$total" ] || fail "the filtered texts did not come back"
[ -e Geometry.orphans.xml ] && fail "the side file of the filtered texts stayed"

# A file in the side file's place that is not one is never replaced, and
# stops a merge that would read it.
sed -i 's/double m_x;/double m_xx;/' Geometry.h
printf 'notes of my own\n' > Geometry.orphans.xml
cp Geometry.xml before.xml
job 1
expect_err "was read as the side file of Geometry.xml"
cp before.xml other.xml
run 1 Geometry.h --ini varnel.INI --merge other.xml --xml Geometry.xml
expect_err "it was left as it was"
[ "$(cat Geometry.orphans.xml)" = "notes of my own" ] || fail "a foreign side file was replaced"
cmp -s Geometry.xml before.xml || fail "the XML file was replaced although its texts had nowhere to go"

[ "$failures" -eq 0 ] && echo "orphans_test: all passed"
exit "$failures"
