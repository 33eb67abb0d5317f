#!/bin/sh
# Runs varnel over every wxWidgets header with the wx settings file: each
# must parse and give both outputs, and the listed export macros must not
# reach any class name. Skipped when the headers are not installed.
# usage: wx_smoke_test.sh VARNEL SOURCE_DIR
set -u
VARNEL=$1
SRC=$2
HEADERS=/usr/include/wx-3.2/wx
if [ ! -d "$HEADERS" ]; then
  echo "no wx headers: skipped"
  exit 0
fi
WORK=$(mktemp -d "${TMPDIR:-/tmp}/varnel-wx.XXXXXX")
trap 'rm -rf "$WORK"' EXIT

failures=0
count=0
for header in "$HEADERS"/*.h; do
  count=$((count + 1))
  if ! "$VARNEL" "$header" --ini "$SRC/tests/wx/varnel.INI" --out "$WORK" \
       --all --keywords --split --stylesheet > /dev/null 2> "$WORK/err.txt"; then
    echo "FAIL: $header: $(cat "$WORK/err.txt")"
    failures=$((failures + 1))
    continue
  fi
  stem=$(basename "$header" .h)
  if grep -q '<ClassDefinition>.*WXDLLIMPEXP' "$WORK/$stem.xml"; then
    echo "FAIL: $header: an export macro is part of a class name"
    failures=$((failures + 1))
  fi
  rm -f "$WORK/$stem.xml" "$WORK/$stem.htm"
done
echo "$count headers, $failures failure(s)"
[ "$failures" -eq 0 ]
