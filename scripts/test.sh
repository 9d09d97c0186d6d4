#!/usr/bin/env bash
# Installs what is missing, builds Varnel twice and runs every test:
#   1. a normal build: logic, widget and end-to-end (Xvfb) tests;
#   2. an AddressSanitizer + UndefinedBehaviorSanitizer build: logic and
#      widget tests, with leak detection on.
# The build directories are <prefix>-test and <prefix>-asan, the prefix being
# $VARNEL_BUILD_PREFIX or ./build.
set -euo pipefail
cd "$(dirname "$0")/.."
prefix=${VARNEL_BUILD_PREFIX:-build}
jobs=${VARNEL_JOBS:-$(nproc)}

scripts/install-deps.sh

run_ctest() {
    local build_dir=$1
    shift
    (cd "$build_dir" && ctest --output-on-failure --no-tests=error -j "$jobs" "$@")
}

echo "== Normal build: $prefix-test"
scripts/build.sh "$prefix-test" RelWithDebInfo -DVARNEL_BENCH=ON
run_ctest "$prefix-test"

echo "== Sanitizer build: $prefix-asan"
scripts/build.sh "$prefix-asan" Debug -DVARNEL_SANITIZE=ON -DVARNEL_BENCH=OFF
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
run_ctest "$prefix-asan" -L 'logic|widget'
