#!/usr/bin/env bash
# Loads the demo shop at two sizes into a private server of its own (build/benchdb,
# port 3327) and prints the figures of the till's logic on each.
#
#   scripts/bench.sh              small and large
#   scripts/bench.sh small|large  one size
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${PRODEJ_BUILD_DIR:-$repo/build}
sizes=${1:-small large}

"$repo/scripts/install-deps.sh" >/dev/null
"$repo/scripts/build.sh" >/dev/null
export PRODEJ_DB_DIR=${PRODEJ_BENCH_DB_DIR:-$build/benchdb}
export PRODEJ_DB_PORT=${PRODEJ_BENCH_PORT:-3327}
# Room for a chain's year of receipts and its product lists, as a shop's server
# would be set up; the tests' server keeps the small default.
export PRODEJ_DB_BUFFER_POOL=${PRODEJ_DB_BUFFER_POOL:-1G}
# The benchmark's workstations, for the program's database user.
export PRODEJ_DB_WORKSTATIONS="B0 B1 B2 C0 C1 C2 C3 C4 C5 C6 C7 R1 S1"
"$repo/scripts/db.sh" start >/dev/null

for size in $sizes; do
    case "$size" in
    small) args=(--branches 8 --products 1000 --receipt-lines 10000) ;;
    large) args=(--branches 20 --products 50000 --receipt-lines 1000000) ;;
    *) echo "unknown size $size" >&2; exit 2 ;;
    esac
    start=$(date +%s)
    "$repo/scripts/load-db.sh" --demo "$build/tools/prodej-demo" "${args[@]}" >/dev/null
    echo "$size: loaded (${args[*]}) in $(( $(date +%s) - start )) s"
    # The trace files of the run land in the build folder.
    (cd "$build" && ./bench/prodej-bench --port "$PRODEJ_DB_PORT" --label "$size")
    (cd "$build" && QT_QPA_PLATFORM=offscreen ./bench/prodej-bench-screen \
        --port "$PRODEJ_DB_PORT" --label "$size" 2> >(grep -v "This plugin does not support" >&2))
done
