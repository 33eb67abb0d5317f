#!/bin/sh
# Builds the whole test suite with AddressSanitizer and
# UndefinedBehaviorSanitizer in its own folder and runs it. Any report
# fails the run. The windowed program is left out: the toolkit is not
# built with the sanitizers.
# Environment: BUILD_ASAN (default build-asan), JOBS (default 2), CXX.
set -e
cd "$(dirname "$0")/.."
BUILD_ASAN=${BUILD_ASAN:-build-asan}
JOBS=${JOBS:-2}
FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"

cmake -S . -B "$BUILD_ASAN" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVARNEL_WERROR=ON \
  -DVARNEL_GUI=OFF \
  -DVARNEL_STATIC_CLI=OFF \
  -DCMAKE_CXX_FLAGS="$FLAGS" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$BUILD_ASAN" -j "$JOBS"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
ctest --test-dir "$BUILD_ASAN" --output-on-failure -j "$JOBS"
