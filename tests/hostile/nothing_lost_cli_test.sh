#!/bin/sh
# The round trip of the varnel program (export, edit, merge, export) while
# the file size limit makes the writes fail after 0, 1, 2 ... blocks of
# 512 bytes, until the limit is high enough for the whole job. After every
# run the XML and the HTML file are byte for byte what they were: a failed
# write leaves the old file, and a write that got through wrote the same
# bytes, since the round trip of an unchanged header is stable.
# usage: nothing_lost_cli_test.sh VARNEL SOURCE_DIR
set -u
VARNEL=$1
SRC=$2
WORK=$(mktemp -d "${TMPDIR:-/tmp}/varnel-lost.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
cd "$WORK" || exit 1

. "$SRC/tests/e2e/test_lib.sh"

cp "$SRC/examples/Geometry.h" "$SRC/examples/varnel.INI" .
job() { "$VARNEL" Geometry.h --ini varnel.INI --merge Geometry.xml --all "$@"; }

# Export, then write a description into every placeholder of a variable.
"$VARNEL" Geometry.h --ini varnel.INI --xml >/dev/null || fail "first export"
awk '/^Here should be a short description of the variable\.\r$/ {
       n++; printf "Edited description %d\r\n", n; next } { print }' \
  Geometry.xml > edited.xml && mv edited.xml Geometry.xml
edits=$(grep -c '^Edited description' Geometry.xml)
[ "$edits" -gt 3 ] || fail "only $edits placeholders were edited"
job >/dev/null || fail "the merge of the edited file failed"
cp Geometry.xml before.xml
cp Geometry.htm before.htm
total=$(( ($(wc -c < before.xml) + $(wc -c < before.htm)) / 512 + 2 ))

blocks=0
failed=0
while [ "$blocks" -le "$total" ]; do
  # The limit holds for every file the job writes, so its messages go
  # through a pipe.
  err=$( (ulimit -f "$blocks" && job > /dev/null) 2>&1 )
  status=$?
  if [ "$status" -ne 0 ]; then
    failed=$((failed + 1))
    [ "$status" -eq 1 ] || fail "$blocks blocks: exit status $status"
    case $err in
      *"The datas cannot be saved."*) ;;
      *) fail "$blocks blocks: no message: $err" ;;
    esac
  fi
  cmp -s Geometry.xml before.xml || fail "$blocks blocks: the XML file changed"
  cmp -s Geometry.htm before.htm || fail "$blocks blocks: the HTML file changed"
  leftovers=$(ls | grep -c '\.tmp')
  [ "$leftovers" -eq 0 ] || fail "$blocks blocks: temporary files left: $(ls)"
  blocks=$((blocks + 1))
done
[ "$failed" -gt 40 ] || fail "only $failed runs failed; the limit did not bite"
[ "$status" -eq 0 ] || fail "the job failed even with $total blocks"
[ "$(grep -c '^Edited description' Geometry.xml)" -eq "$edits" ] ||
  fail "descriptions were lost"

[ "$failures" -eq 0 ] && echo "all nothing-lost checks passed ($failed failing runs)"
[ "$failures" -eq 0 ]
