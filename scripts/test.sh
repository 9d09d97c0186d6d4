#!/usr/bin/env bash
# Installs what is missing, checks the C++ files' format, builds Varnel three
# times and runs every test:
#   1. a normal build: logic, widget and end-to-end (Xvfb) tests, then its
#      Debian package, checked with lintian;
#   2. an AddressSanitizer + UndefinedBehaviorSanitizer build: logic and
#      widget tests, with leak detection on;
#   3. the settings fuzzer (clang's libFuzzer) for a minute: a crash, a leak
#      or a file that reads differently after a save fails the run.
# The build directories are <prefix>-test, <prefix>-asan and <prefix>-fuzz,
# the prefix being $VARNEL_BUILD_PREFIX or ./build.
set -euo pipefail
cd "$(dirname "$0")/.."
prefix=${VARNEL_BUILD_PREFIX:-build}
jobs=${VARNEL_JOBS:-$(nproc)}

scripts/install-deps.sh

echo "== Format"
scripts/check-format.sh

run_ctest() {
    local build_dir=$1
    shift
    (cd "$build_dir" && ctest --output-on-failure --no-tests=error -j "$jobs" "$@")
}

echo "== Normal build: $prefix-test"
scripts/build.sh "$prefix-test" RelWithDebInfo -DVARNEL_BENCH=ON
run_ctest "$prefix-test"

echo "== Debian package from $prefix-test"
scripts/check-package.sh "$prefix-test"

echo "== Sanitizer build: $prefix-asan"
scripts/build.sh "$prefix-asan" Debug -DVARNEL_SANITIZE=ON -DVARNEL_BENCH=OFF
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
run_ctest "$prefix-asan" -L 'logic|widget'

echo "== Settings fuzzer: $prefix-fuzz"
scripts/build.sh "$prefix-fuzz" RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 -DVARNEL_FUZZ=ON
# The fuzzer adds what it learns to its corpus: a copy of the seeds, so the
# source tree stays as it is.
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
cp tests/data/settings/* "$corpus"
symbolizer=/usr/lib/llvm-14/bin/llvm-symbolizer
if [ -x "$symbolizer" ]; then
    export ASAN_SYMBOLIZER_PATH=$symbolizer
fi
log=$prefix-fuzz/fuzz.log
if ! "$prefix-fuzz/tests/fuzz/fuzz_settings" -max_total_time=60 -max_len=65536 \
    -artifact_prefix="$prefix-fuzz/" "$corpus" >"$log" 2>&1; then
    cat "$log"
    echo "The settings fuzzer found a fault; its input is in $prefix-fuzz/" >&2
    exit 1
fi
tail -n 1 "$log"
