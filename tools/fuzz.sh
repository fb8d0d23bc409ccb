#!/usr/bin/env bash
# Builds the libFuzzer programs with clang (build-fuzz/) and runs each for SECONDS (default 10)
# from its seed corpus and regression inputs; fails on the first finding. New inputs go to
# build-fuzz/corpus/, a crashing input to build-fuzz/findings/ (copy it to fuzz/regressions/).
#   tools/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-10}
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DVZ_FUZZ=ON -DVZ_BENCH=OFF >/dev/null
harnesses="export gps playback_file playback_line reply settings"
cmake --build build-fuzz -j "$(nproc)" $(for h in $harnesses; do echo --target "fuzz_$h"; done)
mkdir -p build-fuzz/findings
export QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for h in $harnesses; do
    mkdir -p "build-fuzz/corpus/$h"
    inputs=(fuzz/corpus/"$h")
    [ -d "fuzz/regressions/$h" ] && inputs+=(fuzz/regressions/"$h")
    echo "== fuzz_$h for ${seconds} s"
    build-fuzz/fuzz/"fuzz_$h" -max_total_time="$seconds" -max_len=65536 -print_final_stats=1 \
        -artifact_prefix="build-fuzz/findings/$h-" "build-fuzz/corpus/$h" "${inputs[@]}" 2>&1 |
        grep -E '^(stat::number_of_executed_units|==[0-9]+==ERROR|SUMMARY|artifact_prefix|Test unit written)|runtime error' || true
    test "${PIPESTATUS[0]}" -eq 0
done
