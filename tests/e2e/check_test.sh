#!/bin/sh
# The documentation check of the varnel program: coverage, the warnings
# that name the missing descriptions at their header lines, the exit
# statuses, --min-coverage, the JSON report and the filters.
# usage: check_test.sh VARNEL SOURCE_DIR
set -u
VARNEL=$1
SRC=$2
WORK=$(mktemp -d "${TMPDIR:-/tmp}/varnel-check.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
cd "$WORK" || exit 1

. "$SRC/tests/e2e/test_lib.sh"

cp "$SRC/examples/Geometry.h" "$SRC/examples/Geometry.xml" "$SRC/examples/varnel.INI" .
check() {
  expected=$1; file=$2; shift 2
  run "$expected" Geometry.h --ini varnel.INI --merge "$file" --check "$@"
}
warnings() { grep -c ': warning: ' out.txt; }

# The edited example with every placeholder filled: nothing is missing.
awk '
  function unique() { n++; return "Text " n "." }
  /^Here should be .*\r$/ { printf "%s\r\n", unique(); next }
  /^<Description>This is the list of .*<\/Description>\r$/ {
    printf "<Description>%s</Description>\r\n", unique(); next }
  { print }' Geometry.xml > full.xml
run 0 Geometry.h --ini varnel.INI --merge full.xml --check
total=$(sed -n 's/^coverage: \([0-9]*\) of \([0-9]*\) descriptions (100.0%).*/\1 \2/p' out.txt)
set -- $total
[ "$#" -eq 2 ] && [ "$1" -eq "$2" ] && [ "$1" -gt 50 ] ||
  fail "a complete file is not 'coverage: N of N': $(tail -n 1 out.txt)"
n=${1:-0}
[ "$(warnings)" -eq 0 ] || fail "a complete file gave warnings"
ls Geometry.htm Geometry.orphans.xml 2> /dev/null && fail "--check alone wrote a file"
cmp -s Geometry.xml "$SRC/examples/Geometry.xml" || fail "--check alone changed the XML file"

# One description taken out: exit 1 and exactly one warning, at its line.
sed 's/^Horizontal co-ordinate\./Here should be a short description of the variable./' full.xml > one.xml
line=$(grep -n 'double m_x;' Geometry.h | cut -d: -f1)
check 1 one.xml
[ "$(warnings)" -eq 1 ] || fail "one missing description gave $(warnings) warnings"
expect_out "Geometry.h:$line: warning: data member CPoint::m_x has no description"
expect_out "coverage: $((n - 1)) of $n descriptions"

# --min-coverage: the percentage decides; a lost description always fails.
check 0 one.xml --min-coverage 90
check 1 one.xml --min-coverage 100
run 2 Geometry.h --merge one.xml --min-coverage 101
run 2 Geometry.h --merge one.xml --min-coverage many
run 2 Geometry.h --merge one.xml --check=yaml
sed 's/double m_y;/double m_z;/' Geometry.h > renamed.h
cp one.xml renamed.xml
sed -i 's/<Module.Title>Geometry</<Module.Title>renamed</' renamed.xml
run 1 renamed.h --ini varnel.INI --merge renamed.xml --check --min-coverage 0
expect_out "renamed.xml: warning: the description of data member CPoint::m_y is no longer in the header"

# The JSON report, read by a JSON reader.
run 1 Geometry.h --ini varnel.INI --merge one.xml --check=json
if command -v python3 > /dev/null; then
  python3 - "$n" "$line" out.txt <<'EOF' || fail "the JSON report is not as expected"
import json, sys
total, line, path = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
report = json.load(open(path, encoding="ascii"))
assert report["total"] == total and report["described"] == total - 1, report
assert sum(k["total"] for k in report["kinds"].values()) == total
assert report["kinds"]["data members"]["described"] == report["kinds"]["data members"]["total"] - 1
[missing] = report["missing"]
assert missing["kind"] == "data member" and missing["name"] == "CPoint::m_x", missing
assert missing["line"] == line and missing["file"] == "Geometry.h", missing
assert report["orphaned"] == []
EOF
else
  fail "python3 is missing (scripts/install-deps.sh installs it): the JSON report cannot be read"
fi

# The filters change the counts as the page does: what the check calls
# missing is what the page shows as a placeholder, with every filter.
placeholders() {
  for s in "Here should be a description of the module" \
           "Here should be a description of the class." \
           "Here should be a short description of the variable." \
           "Here should be a short description of the function." \
           "Here should be a description of the return value." \
           "Here should be a description of the parameter" \
           "Here should be a detailed description of the function." \
           "This is the list of variables, that are not assigned to any class." \
           "This is the list of global functions."; do
    grep -o -F "$s" "$1"
  done | wc -l
}
for filters in "" "--members protected" "--members public" "--globals extern" \
               "--members public --globals extern"; do
  # shellcheck disable=SC2086
  run 1 Geometry.h --ini varnel.INI --check-all --html=page.htm $filters
  [ "$(warnings)" -eq "$(placeholders page.htm)" ] ||
    fail "with '$filters' the check finds $(warnings) missing, the page shows $(placeholders page.htm)"
done
run 1 Geometry.h --ini varnel.INI --check
all=$(warnings)
run 1 Geometry.h --ini varnel.INI --check --members public
[ "$(warnings)" -lt "$all" ] || fail "--members public did not lower the count"

# The report goes to standard output, so the outputs must go to files.
run 2 Geometry.h --check --xml -
expect_err "--check writes its report to standard output"

[ "$failures" -eq 0 ] && echo "check_test: all passed"
exit "$failures"
