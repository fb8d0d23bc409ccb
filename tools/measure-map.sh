#!/usr/bin/env bash
# Prints the depth-map figures of the README: a one-hour survey of the simulated lake (seed 1)
# recorded by lakesurvey at the factory depth damping (4) and at damping 1, each gridded by
# vodazuzovi-export --grid at 1, 2 and 5 m cells with a reach of 10 m and of 3 m, and checked by
# lakemapcheck against the lake: cells within 2 % + 0.5 ft, the time and the peak memory.
#   tools/measure-map.sh [build-dir] [work-dir]
# Takes about four minutes (most of it recording: every data record goes to the disk).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
work="${2:-$(mktemp -d)}"
cmake --build "$build" --target lakesurvey lakemapcheck vodazuzovi-export ifbsim >/dev/null
for damping in 4 1; do
    dir="$work/damping$damping"
    mkdir -p "$dir"
    echo "## Depth damping $damping"
    "$build/tools/lakesurvey" --out "$dir" --lake 1 --minutes 60 --damping "$damping" >/dev/null
    for cell in 1 2 5; do
        for reach in 10 3; do
            echo "### $cell m cells, reach $reach m"
            /usr/bin/time -f "time %e s wall, %U s user, %S s system; peak memory %M KB" \
                "$build/tools/vodazuzovi-export" --grid "$cell" --reach "$reach" -o "$dir/map-$cell-$reach" "$dir" \
                2>&1 | grep -E "^(read|time)"
            "$build/tools/lakemapcheck" "$dir/map-$cell-$reach.tif" 1 "$dir/truth.txt"
        done
    done
done
echo "maps in $work"
