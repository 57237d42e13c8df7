#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang and runs each for the given number of seconds
# (default 60) under AddressSanitizer and UBSan. Corpora stay in build/fuzz/corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
scripts/install-deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"
for target in build/fuzz/bin/fuzz_*; do
    name=$(basename "$target")
    corpus=build/fuzz/corpus/$name
    mkdir -p "$corpus"
    seeds=()
    [ -d "tests/data" ] && seeds=(tests/data)
    echo "== $name for ${seconds}s"
    log=build/fuzz/$name.log
    if ! "$target" -max_total_time="$seconds" -print_final_stats=1 "$corpus" "${seeds[@]}" >"$log" 2>&1; then
        grep -E 'ERROR|SUMMARY' "$log" || tail -n 20 "$log"
        echo "$name failed; the input that failed is named in $log"
        failed=1
    fi
    grep -E 'stat::number_of_executed_units' "$log" || true
done
exit "${failed:-0}"
