#!/bin/sh
# The program's own help book: every page the project lists exists, and
# every link of the pages, the contents and the index names a page of the
# book and an anchor in it.
#
# usage: help_links_test.sh SOURCE_DIR
HELP=$1/resources/help
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

pages=$(sed -n '/^\[FILES\]/,$p' "$HELP/varnel.hhp" | sed 1d | tr -d '\r' | grep .)
[ -n "$pages" ] || fail "varnel.hhp lists no pages"
for page in $pages; do
  [ -f "$HELP/$page" ] || fail "varnel.hhp lists $page, which is missing"
done
for file in "$HELP"/*.html; do
  echo "$pages" | grep -qx "$(basename "$file")" ||
    fail "$(basename "$file") is not listed in varnel.hhp"
done

# check_target FROM TARGET: TARGET is page, page#anchor or #anchor.
check_target() {
  case $2 in
    http:*|https:*|mailto:*) return ;;
  esac
  page=${2%%#*}
  [ -n "$page" ] || page=$(basename "$1")
  anchor=
  case $2 in *'#'*) anchor=${2#*#} ;; esac
  if ! echo "$pages" | grep -qx "$page"; then
    fail "$(basename "$1") links $2: no page $page in the book"
    return
  fi
  [ -z "$anchor" ] || grep -q "name=\"$anchor\"" "$HELP/$page" ||
    fail "$(basename "$1") links $2: no anchor $anchor in $page"
}

for file in "$HELP"/*.html; do
  for target in $(grep -o 'href="[^"]*"' "$file" | sed 's/^href="//; s/"$//'); do
    check_target "$file" "$target"
  done
done
for file in "$HELP/contents.hhc" "$HELP/index.hhk"; do
  for target in $(grep -o 'name="Local" value="[^"]*"' "$file" |
                    sed 's/.*value="//; s/"$//'); do
    check_target "$file" "$target"
  done
done
grep -q 'value="check.html"' "$HELP/contents.hhc" ||
  fail "the contents lack the check page"

[ "$failures" -eq 0 ] && echo "help book links: all resolve"
exit "$failures"
