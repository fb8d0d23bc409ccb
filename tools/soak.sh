#!/usr/bin/env bash
# The whole program against the simulated box, every link fault at every window, Full and Split:
# prints a Markdown table (exit status, deepest ping-cycle nesting, pings/s beside what the link
# and the sound's travel allow, prompts, whether pinging resumed, CPU).
#   tools/soak.sh [--build DIR] [--seconds S] [--jobs N] [--windows "100 250 ..."] [--faults "none stall ..."]
# A silent or vanished box comes back (started again without the fault) at the first prompt, as a
# user who checks the cable and answers with the same port.
set -uo pipefail
cd "$(dirname "$0")/.."
build=build
seconds=30
jobs=2
windows="100 250 500 1000 2000"
faults="none silent vanish stall truncate garbage flood drop-acks corrupt-checksums"
while [ $# -gt 0 ]; do
    case "$1" in
        --build) build=$2; shift 2 ;;
        --seconds) seconds=$2; shift 2 ;;
        --jobs) jobs=$2; shift 2 ;;
        --windows) windows=$2; shift 2 ;;
        --faults) faults=$2; shift 2 ;;
        *) echo "unknown option $1" >&2; exit 2 ;;
    esac
done
[ -x "$build/tools/soak" ] || { echo "build $build/tools/soak first" >&2; exit 2; }

# About four seconds of pinging before a box falls silent or vanishes, whatever the window.
pings_in_4s() {
    case "$1" in 100) echo 30 ;; 250) echo 15 ;; 500) echo 8 ;; 1000) echo 4 ;; *) echo 2 ;; esac
}

fault_options() { # fault window
    case "$1" in
        none) ;;
        silent) echo "--restart-on-prompt -- --silent-after $(pings_in_4s "$2")" ;;
        vanish) echo "--restart-on-prompt -- --vanish-after $(pings_in_4s "$2")" ;;
        flood) echo "-- --flood 0.05 --flood-bytes 4000 --faults-after 3" ;;
        *) echo "-- --$1 0.05 --faults-after 3" ;;
    esac
}

# A silent or vanished box needs time for the prompt and for pinging to come back.
case_seconds() {
    case "$1" in silent | vanish) echo $((seconds * 2 + 10)) ;; *) echo "$seconds" ;; esac
}

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
n=0
for fault in $faults; do
    for window in $windows; do
        for screen in Full Split; do
            n=$((n + 1))
            split=""; [ "$screen" = Split ] && split=--split
            (
                # shellcheck disable=SC2046
                "$build/tools/soak" --label "$fault" --seconds "$(case_seconds "$fault")" --window-ft "$window" \
                    $split $(fault_options "$fault" "$window") >"$out/$n.row" 2>"$out/$n.err"
                echo $? >"$out/$n.rc"
            ) &
            while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do sleep 0.5; done
        done
    done
done
wait

# What the link and the sound allow depends on the window only; a spoiled reply can leave the
# program with odd figures for it, so the clean run's value serves every fault.
declare -A clean
echo "| fault | window ft | screen | exit | nesting | pings drawn/s | allowed | ratio | box prompts | first prompt s | other dialogs | resumed | CPU s/min | writes/ping command |"
echo "|---|---|---|---|---|---|---|---|---|---|---|---|---|---|"
for i in $(seq "$n"); do
    rc=$(cat "$out/$i.rc")
    if [ -s "$out/$i.row" ]; then
        IFS=$'\t' read -r f w s nest rate allowed ratio prompts at others resumed cpu writes <"$out/$i.row"
        if [ "$f" = none ]; then clean[$w$s]=$allowed; fi
        if [ -n "${clean[$w$s]:-}" ]; then
            allowed=${clean[$w$s]}
            ratio=$(echo "scale=2; $rate / $allowed" | bc)
        fi
        echo "| $f | $w | $s | $rc | $nest | $rate | $allowed | $ratio | $prompts | $at | $others | $resumed | $cpu | $writes |"
    else
        echo "| (case $i) | | | $rc | | | | | | | | | | $(head -c 80 "$out/$i.err" | tr '\n|' '  ') |"
    fi
done
