#!/bin/sh
# The manual pages must render without a single warning, hold the sections
# a reader looks for, and document exactly the options `varnel --help`
# lists: each as an entry of its own in varnel.1, and none that the
# program does not know.
# usage: man_test.sh VARNEL SOURCE_DIR
set -u
VARNEL=$1
SRC=$2
. "$SRC/tests/e2e/test_lib.sh"
WORK=$(mktemp -d "${TMPDIR:-/tmp}/varnel-man.XXXXXX")
trap 'rm -rf "$WORK"' EXIT

if ! command -v man > /dev/null || ! command -v groff > /dev/null; then
  echo "FAIL: man or groff is missing (Debian packages man-db, groff-base)"
  exit 1
fi

for page in "$SRC/man/varnel.1" "$SRC/man/varnel-gui.1"; do
  name=$(basename "$page" .1)
  LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -l "$page" \
    > "$WORK/$name.txt" 2> "$WORK/$name.err" || fail "man -l $page failed"
  [ -s "$WORK/$name.err" ] && fail "$name.1 warns: $(cat "$WORK/$name.err")"
  for section in NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" FILES \
                 EXAMPLES "SEE ALSO"; do
    grep -qx "$section" "$WORK/$name.txt" || fail "$name.1 has no $section"
  done
  # The NAME line is what whatis and apropos show.
  if command -v lexgrog > /dev/null; then
    lexgrog "$page" | grep -qF "\"$name - " ||
      fail "$name.1: no whatis entry: $(lexgrog "$page" 2>&1)"
  fi
done

# Option names as the help text spells them: "--merge", "-j", not the
# hyphens inside words or a bare "--".
option_names() {
  grep -oE -- '(^|[^A-Za-z0-9-])--?[a-z][a-z-]*' | sed 's/^[^-]*//' | sort -u
}
"$VARNEL" --help > "$WORK/help.txt" || fail "varnel --help failed"
option_names < "$WORK/help.txt" > "$WORK/help-options.txt"
[ "$(wc -l < "$WORK/help-options.txt")" -ge 25 ] ||
  fail "only $(wc -l < "$WORK/help-options.txt") options found in --help"

# The tags of the option entries start in the column of the section text.
grep -E '^       -' "$WORK/varnel.txt" | option_names > "$WORK/man-options.txt"
while read -r option; do
  grep -qx -- "$option" "$WORK/man-options.txt" ||
    fail "varnel.1 has no entry for $option"
done < "$WORK/help-options.txt"
while read -r option; do
  [ "$option" = "-h" ] && continue  # the short spelling --help does not list
  grep -qx -- "$option" "$WORK/help-options.txt" ||
    fail "varnel.1 documents $option, which varnel --help does not list"
done < "$WORK/man-options.txt"

# The exit statuses the program gives, each with its own entry.
for status in 0 1 2; do
  sed -n '/^EXIT STATUS$/,/^FILES$/p' "$WORK/varnel.txt" |
    grep -qE "^       $status " || fail "varnel.1 does not explain exit status $status"
done

[ "$failures" -eq 0 ] || exit 1
echo "$(wc -l < "$WORK/help-options.txt") options documented; pages render cleanly"
