#!/usr/bin/env bash
# Installs what is missing, builds Varnel in Release into ./build and makes
# its Debian package there: build/varnel_<version>_<architecture>.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build Release -DVARNEL_TESTS=OFF -DVARNEL_BENCH=OFF
cd build
cpack -G DEB
