#!/bin/sh
# End-to-end tests of the varnel program: options, messages, exit status,
# outputs on disk and on standard output, merging, refused paths and a
# failing save.
# usage: cli_test.sh VARNEL SOURCE_DIR
set -u
VARNEL=$1
SRC=$2
WORK=$(mktemp -d "${TMPDIR:-/tmp}/varnel-cli.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
cd "$WORK" || exit 1

. "$SRC/tests/e2e/test_lib.sh"

cp "$SRC/examples/Geometry.h" .
printf 'class A { int a; };\n' > A.h

# Help, version and usage errors.
run 0 --help; expect_out "usage: varnel HEADER"; expect_out "--merge FILE"
run 0 --version; expect_out "varnel 1.0"
run 2; expect_err "no header given"
run 2 A.h --members nobody; expect_err "--members"
run 2 A.h --bogus; expect_err "unknown option --bogus"

# The parser's messages.
run 1 missing.h; expect_err "Unable to open the required file."
mkdir folder.h
run 2 folder.h; expect_err "the folder folder.h holds no *.h file"
: > zero.h
run 1 zero.h; expect_err "Unable to read the required file."
printf '\r\n  \n' > blank.h
run 1 blank.h; expect_err "The file was empty."

# A summary without outputs.
run 0 Geometry.h; expect_out "Module Geometry"; expect_out "CPoint"

# Outputs at their default places, with CR LF line ends.
run 0 Geometry.h --all
[ -f Geometry.htm ] && [ -f Geometry.xml ] || fail "--all did not write both files"
head -c 8 Geometry.htm | od -c | grep -q '<   h   t   m   l   >  \\r  \\n' || fail "HTML does not start with <html> CR LF"
lf=$(tr -cd '\n' < Geometry.xml | wc -c); crlf=$(grep -c "$(printf '\r')\$" Geometry.xml)
[ "$lf" -eq "$crlf" ] || fail "not every XML line ends in CR LF ($lf LF, $crlf CR LF)"
mkdir doc
run 0 Geometry.h --xml --html --out doc
[ -f doc/Geometry.htm ] && [ -f doc/Geometry.xml ] || fail "--out did not place the files"
expect_out "Wrote doc/Geometry.xml"

# Standard output.
run 0 Geometry.h --xml -
head -n 1 out.txt | grep -q '^<?xml version="1.0" encoding="ISO-8859-1" ?>' || fail "--xml - does not print the XML"
run 0 Geometry.h --html=- --stylesheet
grep -q 'href="Varnel.css"' out.txt || fail "--stylesheet has no effect"

# Refused paths: nothing is written.
run 2 Geometry.h --html Geometry.h; expect_err "overwrite the header"
run 2 Geometry.h --html same.out --xml same.out; expect_err "same path"
[ -e same.out ] && fail "a refused run wrote a file"

# Filters reach the output.
run 0 Geometry.h --xml=pub.xml --members public
grep -q 'Scope="private"' pub.xml && fail "--members public lists private members"
grep -q '<Method anchor=' pub.xml || fail "--members public dropped the full method entries"

# Settings: the default file in the current folder, or --ini.
run 0 Geometry.h --xml=nomacro.xml
grep -q 'GEO_EXPORT' nomacro.xml || fail "without settings the macro should stay"
printf '[Macroes]\nGEO_EXPORT\nGEO_API\nDECLARE_SERIAL\n' > varnel.INI
run 0 Geometry.h --xml=macro.xml
grep -q 'GEO_EXPORT' macro.xml && fail "varnel.INI in the current folder was not read"
rm varnel.INI
run 1 Geometry.h --ini nosuch.INI
expect_err "nosuch.INI"; expect_err "Cannot find this file."

# Merging: descriptions survive, the file merges into itself.
run 0 Geometry.h --xml=Geo.xml
sed 's|Here should be a description of the module|Shapes and <b>points</b> \&amp; more.|' Geo.xml > Geo.tmp && mv Geo.tmp Geo.xml
run 0 Geometry.h --merge Geo.xml --xml Geo.xml
grep -qF 'Shapes and <b>points</b> &amp; more.' Geo.xml || fail "merge into itself lost the description"
cp Geo.xml Geo.first
run 0 Geometry.h --merge Geo.xml --xml Geo.xml
cmp -s Geo.xml Geo.first || fail "merging a file into itself twice changed it"
run 0 Geometry.h --merge Geo.xml --html Geo.htm
grep -qF 'Shapes and <b>points</b> &amp; more.' Geo.htm || fail "the merged description is not in the HTML"

# A page no one can want is refused before anything is written.
awk 'BEGIN { for (i = 0; i < 30000; i++)
  printf "class C%d\n{\npublic:\n    int m_n;\n    void F%d(int a);\n};\n", i, i }' > huge.h
run 1 huge.h --all
expect_err "huge.h: The HTML page would be at least"
expect_err "30000 classes, and each block repeats the links to all of them. Use --max-output to allow it, or document fewer classes."
[ -e huge.htm ] || [ -e huge.xml ] && fail "a refused page left files"
run 1 Geometry.h --html=small.htm --max-output 10K
expect_err "Use --max-output"
[ -e small.htm ] && fail "a page over --max-output was written"
run 0 Geometry.h --html=small.htm --max-output 1M
# A page whose repeated bars are well within the limit may be over it all
# the same: it is counted, and refused.
rm -f small.htm
run 1 Geometry.h --html=small.htm --max-output 40K
expect_err "Geometry.h: The HTML page would be 43.0 kB. Use --max-output to allow it, or document less of the header."
[ -e small.htm ] && fail "a page over --max-output was written"
# The XML file is more than ten times the header: the limit holds for it
# as well, however small the header.
run 1 Geometry.h --xml=small.xml --max-output 20K
expect_err "Geometry.h: The XML file would be 26.8 kB. Use --max-output to allow it, or document less of the header."
[ -e small.xml ] && fail "an XML file over --max-output was written"
run 0 Geometry.h --xml=small.xml --max-output 30K
run 2 Geometry.h --max-output 10X
run 2 Geometry.h --max-output 0
rm -f huge.h small.htm small.xml

# The help book: pages and project, compiled when chmcmd is there.
run 0 Geometry.h --help-book book --no-compile
[ -f book/Geometry.hhp ] && [ -f book/Geometry.htm ] || fail "--help-book wrote no project"
[ -e book/Geometry.chm ] && fail "--no-compile compiled the book"
if command -v chmcmd > /dev/null; then
  run 0 Geometry.h --help-book book
  [ -s book/Geometry.chm ] || fail "--help-book did not compile the book"
fi
run 2 Geometry.h --help-book

# Merge failures.
run 1 Geometry.h --merge nosuch.xml --xml x.xml; expect_err "Unable to open the required file."
[ -e x.xml ] && fail "a failed merge wrote output"
printf '<Varnel><a></b></Varnel>' > bad.xml
run 1 Geometry.h --merge bad.xml; expect_err "bad.xml:1:9: End tag does not correspond to a"
# A writer's <br> in a description of a file of many lines says where it is.
"$VARNEL" Geometry.h --xml=typed.xml > /dev/null
awk 'done == 0 && /^Here should be a short description of the variable/ {
       printf "Counts shapes.<br>\r\n"; done = 1; next } { print }' typed.xml > typed2.xml
line=$(grep -n 'Counts shapes.<br>' typed2.xml | cut -d: -f1)
cp typed.xml typed.before
run 1 Geometry.h --merge typed2.xml --xml typed.xml
expect_err "typed2.xml:$line:15: End tag does not correspond to br"
cmp -s typed.xml typed.before || fail "a refused file changed the output"
: > empty.xml
run 1 Geometry.h --merge empty.xml; expect_err "empty"
"$VARNEL" A.h --xml=A.xml > /dev/null
run 1 Geometry.h --merge A.xml; expect_err "The XML file is not of the correct document type or is not for this module."

# A save that fails leaves the old file as it was.
cp Geo.xml Geo.before
( ulimit -f 1; "$VARNEL" Geometry.h --merge Geo.xml --xml Geo.xml > out.txt 2> err.txt; echo $? > status.txt )
[ "$(cat status.txt)" -eq 1 ] || fail "a failing save did not exit 1"
expect_err "The file cannot be opened."
cmp -s Geo.xml Geo.before || fail "a failing save damaged the old file"
ls Geo.xml.tmp* > /dev/null 2>&1 && fail "a failing save left its temporary file"

# Filters of global declarations and the lines left over.
run 0 Geometry.h --xml=all.xml
grep -q 's_dScale' all.xml || fail "the static variable is missing by default"
run 0 Geometry.h --xml=extern.xml --globals extern
grep -q 's_dScale' extern.xml && fail "--globals extern lists a static variable"
grep -q 'g_nShapeCount' extern.xml || fail "--globals extern dropped an extern variable"
run 0 Geometry.h --lines
expect_out "GEOPOINT;"

# A run stopped by a signal while writing leaves no temporary file: the
# page of a few thousand classes takes long enough to catch it.
awk 'BEGIN { for (i = 0; i < 4000; i++)
  printf "class C%d\n{\npublic:\n    int m_n;\n    void F%d(int a);\n};\n", i, i }' > many.h
"$VARNEL" many.h --html many.htm --max-output 100G > /dev/null 2>&1 &
pid=$!
seen=0; i=0
while [ $i -lt 1000 ] && kill -0 $pid 2>/dev/null; do
  if ls many.htm.tmp* > /dev/null 2>&1; then
    kill -TERM $pid; seen=1; break
  fi
  sleep 0.01; i=$((i + 1))
done
wait $pid
[ "$seen" -eq 1 ] || fail "the page was never seen being written"
ls many.htm.tmp* > /dev/null 2>&1 && fail "a stopped run left its temporary file"
[ -e many.htm ] && fail "a stopped run left a page"
rm -f many.h many.htm many.htm.tmp*


if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "all cli tests passed"
