#!/usr/bin/env bash
# Runs libFuzzer on the SQL script splitter and the INI reader, each for the given
# seconds (default 120), built with clang, AddressSanitizer and UBSan in build-fuzz/.
# Ends with an error when either finds a crash; the input that did is kept there.
#
#   scripts/fuzz.sh [seconds]
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=$repo/build-fuzz
seconds=${1:-120}
"$repo/scripts/install-deps.sh" >/dev/null
mkdir -p "$out"

build() { # target, sources...
    local target=$1
    shift
    # Qt's headers want position-independent code.
    clang++ -std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined \
        -fno-sanitize-recover=undefined -I"$repo/src" $(pkg-config --cflags Qt6Core) \
        "$repo/fuzz/$target.cpp" "$@" $(pkg-config --libs Qt6Core) -o "$out/$target"
}
build fuzz_script_splitter "$repo/src/store/sql_text.cpp"
build fuzz_ini_file "$repo/src/app/ini_file.cpp" "$repo/src/devices/cp1250.cpp"

for target in fuzz_script_splitter fuzz_ini_file; do
    mkdir -p "$out/corpus-$target"
    echo "$target: $seconds s"
    (cd "$out" && "./$target" -max_total_time="$seconds" -max_len=4096 \
        -print_final_stats=1 "corpus-$target" 2>&1 | grep -E "^(stat::number_of_executed_units|Done|==|SUMMARY)" || true)
    if ls "$out"/crash-* "$out"/leak-* "$out"/timeout-* >/dev/null 2>&1; then
        echo "$target found a problem: $(ls "$out"/crash-* "$out"/leak-* "$out"/timeout-* 2>/dev/null)" >&2
        exit 1
    fi
done
echo "no findings"
