#!/bin/sh
# Builds the fuzz targets with clang and libFuzzer in build-fuzz and runs
# each for FUZZ_SECONDS. The seed corpora and the saved regressions stay
# untouched: every run works on a copy under build-fuzz/corpus. A crash,
# a sanitizer report, a failed check or a slow input ends the target, its
# input lands in build-fuzz/artifacts/TARGET/, and the script fails.
# Environment:
#   FUZZ_SECONDS  time per target (default 60)
#   FUZZ_TARGETS  targets to run (default: header xml_tree merge settings)
#   BUILD_FUZZ    build folder (default build-fuzz)
#   FUZZ_ARGS     further libFuzzer options
set -e
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD_FUZZ=${BUILD_FUZZ:-build-fuzz}
FUZZ_SECONDS=${FUZZ_SECONDS:-60}
FUZZ_TARGETS=${FUZZ_TARGETS:-"header xml_tree merge settings"}

command -v clang++ >/dev/null || {
  echo "fuzz.sh: clang++ is needed (apt-get install clang)" >&2
  exit 1
}
for target in $FUZZ_TARGETS; do
  set -- "$@" "fuzz_$target"
done
# Several runs may start at once (one target each); one builds at a time.
mkdir -p "$BUILD_FUZZ"
flock "$BUILD_FUZZ/.build-lock" sh -c '
  build=$0 jobs=$1; shift
  cmake -S fuzz -B "$build" -DCMAKE_CXX_COMPILER=clang++ >/dev/null &&
  cmake --build "$build" -j "$jobs" --target "$@"' \
  "$BUILD_FUZZ" "${JOBS:-2}" "$@"

# The largest input worth mutating, per target: headers and XML files of a
# few pages exercise every rule; settings files are short.
max_len() {
  case $1 in
    header) echo 16384 ;;
    xml_tree) echo 16384 ;;
    merge) echo 32768 ;;
    settings) echo 4096 ;;
  esac
}

status=0
for target in $FUZZ_TARGETS; do
  corpus="$BUILD_FUZZ/corpus/$target"
  artifacts="$BUILD_FUZZ/artifacts/$target/"
  mkdir -p "$corpus" "$artifacts"
  for seeds in "fuzz/corpus/$target" "fuzz/regressions/$target"; do
    [ -d "$seeds" ] && cp -n "$seeds"/* "$corpus"/ 2>/dev/null || true
  done
  dict=""
  [ -f "fuzz/$target.dict" ] && dict="-dict=fuzz/$target.dict"
  echo "== fuzz_$target for ${FUZZ_SECONDS}s"
  # shellcheck disable=SC2086
  if ! "$BUILD_FUZZ/fuzz_$target" "$corpus" $dict \
      -max_total_time="$FUZZ_SECONDS" -max_len="$(max_len "$target")" \
      -timeout=5 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$artifacts" $FUZZ_ARGS \
      2>"$BUILD_FUZZ/fuzz_$target.log"; then
    echo "fuzz_$target failed; see $BUILD_FUZZ/fuzz_$target.log and $artifacts" >&2
    tail -n 40 "$BUILD_FUZZ/fuzz_$target.log" >&2
    status=1
  fi
  grep -E '^(#[0-9]+.*DONE|stat::number_of_executed_units|stat::peak_rss_mb)' \
    "$BUILD_FUZZ/fuzz_$target.log" || true
done
[ "$status" -eq 0 ] && echo "fuzz.sh: no findings in $ROOT/$BUILD_FUZZ"
exit $status
