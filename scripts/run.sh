#!/usr/bin/env bash
# Installs what is missing, builds Varnel in Release into ./build and starts
# it. Varnel starts hidden: look for its icon in the tray.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build Release -DVARNEL_TESTS=OFF -DVARNEL_BENCH=OFF
exec build/src/Varnel "$@"
