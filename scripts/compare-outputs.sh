#!/bin/sh
# Compares what two builds of the command line make of the same headers:
# the HTML page, the XML file and the lines no pass consumed, for every
# wx header, all of them joined into one, and each generated shape, each
# with no settings and with the wx settings (a shape also with its own).
#
#   scripts/compare-outputs.sh OLD_VARNEL NEW_VARNEL [HEADERGEN]
#
# HEADERGEN (default build/bench/varnel_headergen) writes the shapes.
# WX_DIR, SHAPE_BYTES (default 300000) change the inputs. Prints one line
# per difference and a count; exits 1 when anything differs. The wx settings
# run once more with the help objects on (--split --keywords).
set -u
cd "$(dirname "$0")/.."
OLD=$(realpath "$1")
NEW=$(realpath "$2")
GEN=$(realpath "${3:-build/bench/varnel_headergen}")
WX_DIR=${WX_DIR:-/usr/include/wx-3.2/wx}
SHAPE_BYTES=${SHAPE_BYTES:-300000}
WX_INI=$(realpath tests/wx/varnel.INI)
WORK=$(mktemp -d "${TMPDIR:-/tmp}/varnel-compare.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
# An empty folder to run in, so no varnel.INI is picked up by accident.
mkdir "$WORK/run" "$WORK/in"

for f in "$WX_DIR"/*.h; do
  cat "$f"
  # A file without a final line end must not run into the next one.
  [ -n "$(tail -c 1 "$f")" ] && echo
done > "$WORK/in/wx_all.h"
for shape in $("$GEN" 2>&1 | awk 'NR > 3 { print $1 }'); do
  "$GEN" "$shape" "$SHAPE_BYTES" "$WORK/in/$shape.h" > /dev/null
done

# Digest of one output of one build: $1 binary, $2 header, $3 what, then
# the settings arguments.
digest() {
  bin=$1 header=$2 what=$3
  shift 3
  case $what in
    html) (cd "$WORK/run" && "$bin" "$header" "$@" --html=-) ;;
    xml) (cd "$WORK/run" && "$bin" "$header" "$@" --xml=-) ;;
    lines) (cd "$WORK/run" && "$bin" "$header" "$@" --lines) ;;
  esac 2>&1 | md5sum
}

runs=0
diffs=0
compare() {
  header=$1
  shift
  for what in html xml lines; do
    runs=$((runs + 1))
    if [ "$(digest "$OLD" "$header" $what "$@")" != \
         "$(digest "$NEW" "$header" $what "$@")" ]; then
      diffs=$((diffs + 1))
      echo "DIFFERS: $header $what $*"
    fi
  done
}

for header in "$WX_DIR"/*.h "$WORK/in"/*.h; do
  compare "$header" --ini /dev/null
  compare "$header" --ini "$WX_INI"
  compare "$header" --ini "$WX_INI" --split --keywords
  own="${header%.h}.INI"
  [ -f "$own" ] && compare "$header" --ini "$own"
done
echo "$runs outputs compared, $diffs differ"
[ "$diffs" -eq 0 ]
