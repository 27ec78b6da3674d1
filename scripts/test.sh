#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test; then the same again in a
# second build with AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/),
# unless PRODEJ_SANITIZE=0. The tests start and stop their own throwaway MariaDB in
# the build tree. Arguments go to ctest.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${PRODEJ_BUILD_DIR:-$repo/build}
"$repo/scripts/install-deps.sh"
"$repo/scripts/build.sh"
(cd "$build" && ctest --output-on-failure "$@")
if [ "${PRODEJ_SANITIZE:-1}" != 0 ]; then
    # Line tables only and -O1: stack traces for findings, a fifth less build time.
    PRODEJ_BUILD_DIR=$build-asan "$repo/scripts/build.sh" -DPRODEJ_SANITIZE=ON \
        -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG"
    # Any finding ends the test program, and so fails the test.
    export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}
    export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
    (cd "$build-asan" && ctest --output-on-failure "$@")
fi
