#!/bin/sh
# The desktop entry must pass desktop-file-validate, start the program that
# is installed, and name an icon that exists in both installed forms (the
# scalable one and the 48 px picture).
# usage: desktop_test.sh SOURCE_DIR
set -u
SRC=$1
. "$SRC/tests/e2e/test_lib.sh"
ENTRY=$SRC/resources/varnel.desktop
ICONS=$SRC/resources/icons

if ! command -v desktop-file-validate > /dev/null; then
  echo "FAIL: desktop-file-validate is missing (Debian package desktop-file-utils)"
  exit 1
fi
# It prints hints as well as errors; any line at all is a finding.
report=$(desktop-file-validate "$ENTRY" 2>&1) || fail "desktop-file-validate failed"
[ -z "$report" ] || fail "desktop-file-validate: $report"

key() { sed -n "s/^$1=//p" "$ENTRY"; }
[ "$(key Exec)" = "varnel-gui %f" ] || fail "Exec is '$(key Exec)'"
[ "$(key Type)" = "Application" ] || fail "Type is '$(key Type)'"
[ "$(key Terminal)" = "false" ] || fail "Terminal is '$(key Terminal)'"
for category in Development Documentation; do
  key Categories | tr ';' '\n' | grep -qx "$category" ||
    fail "Categories lack $category"
done
for type in text/x-c++hdr text/x-chdr; do
  key MimeType | tr ';' '\n' | grep -qx "$type" || fail "MimeType lacks $type"
done

icon=$(key Icon)
[ -f "$ICONS/$icon.svg" ] || fail "no icon $ICONS/$icon.svg"
if command -v xmllint > /dev/null && [ -f "$ICONS/$icon.svg" ]; then
  xmllint --noout "$ICONS/$icon.svg" || fail "$icon.svg is not well-formed"
fi
png=$ICONS/$icon-48.png
if [ -f "$png" ]; then
  # The signature, then the IHDR chunk: width and height as 4-byte numbers.
  signature=$(od -An -tx1 -N8 "$png" | tr -d ' \n')
  [ "$signature" = "89504e470d0a1a0a" ] || fail "$png is not a PNG file"
  size=$(od -An -tu1 -j16 -N8 "$png" | tr -s ' ' | sed 's/^ //')
  [ "$size" = "0 0 0 48 0 0 0 48" ] || fail "$png is not 48 by 48 pixels: $size"
else
  fail "no icon $png"
fi

[ "$failures" -eq 0 ] || exit 1
echo "desktop entry and icons: ok"
