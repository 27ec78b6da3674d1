#!/usr/bin/env bash
# Configures and builds the till in build/ (or $PRODEJ_BUILD_DIR). Extra arguments
# go to CMake (e.g. -DPRODEJ_SANITIZE=ON).
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${PRODEJ_BUILD_DIR:-$repo/build}
cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build" --parallel "$(nproc)"
