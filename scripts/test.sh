#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test. The tests start and stop
# their own throwaway MariaDB in the build tree.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${PRODEJ_BUILD_DIR:-$repo/build}
"$repo/scripts/install-deps.sh"
"$repo/scripts/build.sh"
cd "$build"
ctest --output-on-failure "$@"
