#!/bin/sh
# Builds the benchmark in Release mode in its own build folder and runs it.
# Arguments, and the words of BENCH_ARGS (make bench BENCH_ARGS=--quick),
# go to varnel_bench; see varnel_bench --help.
set -e
cd "$(dirname "$0")/.."
BUILD=${BENCH_BUILD:-build-bench}
JOBS=${JOBS:-2}
# No tests and no windowed program: the benchmark needs only the library.
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DVARNEL_TESTS=OFF \
  -DVARNEL_GUI=OFF > /dev/null
# Build messages go to standard error: standard output is the report.
cmake --build "$BUILD" -j "$JOBS" --target varnel_bench >&2
# The outputs go to memory where the system has it, so that the figures are
# the program's, not the disk's writeback of a gigabyte page written just
# before. TMPDIR chooses another folder.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
  export TMPDIR=/dev/shm
fi
# shellcheck disable=SC2086
exec "$BUILD/bench/varnel_bench" $BENCH_ARGS "$@"
