#!/usr/bin/env bash
# Configures and builds Varnel with Ninja.
#   scripts/build.sh BUILD_DIR BUILD_TYPE [extra cmake arguments...]
# VARNEL_JOBS sets the number of parallel jobs (default: one per core).
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 BUILD_DIR BUILD_TYPE [cmake args...]" >&2; exit 2; }
build_dir=$1 build_type=$2
shift 2
source_dir=$(cd "$(dirname "$0")/.." && pwd)

cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE="$build_type" "$@" >/dev/null
cmake --build "$build_dir" -j "${VARNEL_JOBS:-$(nproc)}"
