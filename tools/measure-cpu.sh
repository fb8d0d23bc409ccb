#!/usr/bin/env bash
# The program's processor time against ifbsim at chart speed 8, Full screen, factory 100 ft
# window, on a virtual X screen: CPU seconds of the program per minute of pinging and the pings
# made, with the window at its own size (one picture pixel per screen pixel) and at 3800 x 2100.
#   tools/measure-cpu.sh [--build DIR] [--seconds S]
set -euo pipefail
cd "$(dirname "$0")/.."
build=build
seconds=60
while [ $# -gt 0 ]; do
    case "$1" in
        --build) build=$2; shift 2 ;;
        --seconds) seconds=$2; shift 2 ;;
        *) echo "unknown option $1" >&2; exit 2 ;;
    esac
done
command -v xvfb-run >/dev/null || { echo "xvfb-run is needed (apt-get install xvfb xauth)" >&2; exit 2; }

measure() { # label screen [soak options...]
    local label=$1 screen=$2
    shift 2
    local row
    row=$(QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 ${screen}x24" \
        "$build/tools/soak" --label "$label" --seconds "$seconds" "$@" 2>/dev/null)
    IFS=$'\t' read -r _ _ _ _ rate _ _ _ _ _ _ cpu _ <<<"$row"
    echo "| $label | $cpu | $(echo "scale=1; $cpu * 100 / 60" | bc) | $(echo "scale=0; $rate * 60 / 1" | bc) |"
}

echo "| window | CPU s per minute | % of one core | pings per minute |"
echo "|---|---|---|---|"
measure "own size, 1:1" 1920x1200
measure "3800 x 2100" 3840x2160 --size 3800x2100
