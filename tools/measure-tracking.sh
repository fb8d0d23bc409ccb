#!/usr/bin/env bash
# Prints the bottom-tracking accuracy tables of the README: Auto finding deep bottoms from the
# factory window, the deep drop-off, a shallow bottom in large Manual windows, the bottom's
# multiple echoes at four strengths, the range gate on flat bottoms with strong multiples and
# over the shelving bottom, and the earlier scenes at the factory damping and at damping 1.
#   tools/measure-tracking.sh [build-dir]
# Takes about fifteen minutes.
set -euo pipefail
cd "$(dirname "$0")/.."
trackacc="${1:-build}/tools/trackacc"
units=feet,metres,fathoms

echo "### Auto from the factory window over flat bottoms"
for band in 200 50; do
    echo
    echo "$band kHz:"
    echo
    extra=()
    [ "$band" = 50 ] && extra=(--full-50khz --screens full)
    "$trackacc" --depths 150,300,600,1000,2000 --units "$units" --duration 120 "${extra[@]}"
done

echo
echo "50 kHz, Auto Offset and Auto Range:"
echo
"$trackacc" --depths 150,300,600,1000,2000 --units "$units" --duration 120 --full-50khz \
    --screens full --range-and-offset

echo
echo "### A drop-off from 30 ft to 300 ft and back"
echo
"$trackacc" --scenes dropoff --units "$units" --sim-arg --floor-ft=300

echo
echo "Damping 1, feet:"
echo
"$trackacc" --scenes dropoff --units feet --sim-arg --floor-ft=300 --damping 1

echo
echo "### 15 ft in Manual windows"
for index in 4 5 6 7 8 9; do
    echo
    echo "Range index $index:"
    echo
    "$trackacc" --depths 15 --units "$units" --window-index "$index" --duration 60
done

echo
echo "### Multiple echoes, whole-column detection"
for strength in 0.4 0.6 0.8 1.0; do
    echo
    echo "Multiple strength $strength:"
    echo
    "$trackacc" --scenes multiples --units "$units" --sim-arg "--multiple-strength=$strength" \
        --duration 235
done

echo
echo "### Range gate on a flat bottom with multiple echoes"
for strength in 0.6 1.0; do
    for depth in 15 30 45 60; do
        echo
        echo "Multiple strength $strength, bottom at $depth ft:"
        echo
        "$trackacc" --scenes multiples --gate --units "$units" --duration 120 \
            --sim-arg "--multiple-strength=$strength" --sim-arg "--depth-ft=$depth"
    done
done

echo
echo "### Range gate over the shelving bottom"
echo
"$trackacc" --scenes shelving --gate --units "$units"

echo
echo "### Earlier scenes, factory damping 4"
echo
"$trackacc"

echo
echo "### Earlier scenes, damping 1"
echo
"$trackacc" --units feet --damping 1
