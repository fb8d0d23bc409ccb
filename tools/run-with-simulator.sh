#!/usr/bin/env bash
# Installs what is missing (Debian 12), builds, starts the simulated Interface Box and the
# simulated GPS on pseudo-terminals and runs the program connected to them: the box as COM1, the
# GPS as COM2, the NMEA output on COM3 (`cat` the path printed at the start to watch it).
#   tools/run-with-simulator.sh                 live echogram in a window
#   tools/run-with-simulator.sh --screenshot F  run headless under Xvfb for a few seconds, save F
# Further options after "--" go to ifbsim (see build/tools/ifbsim --help); options after a second
# "--" go to gpssim (see build/tools/gpssim --help).
set -euo pipefail
cd "$(dirname "$0")/.."

need=()
for pkg in build-essential cmake ninja-build qt6-base-dev qt6-serialport-dev libgtest-dev libbenchmark-dev xvfb xauth; do
    dpkg -s "$pkg" >/dev/null 2>&1 || need+=("$pkg")
done
if [ ${#need[@]} -gt 0 ]; then
    if [ "$(id -u)" = 0 ]; then SUDO=; else SUDO=sudo; fi
    $SUDO apt-get update && $SUDO apt-get install -y --no-install-recommends "${need[@]}"
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target vodazuzovi ifbsim gpssim

screenshot=""
seconds=12
sim_args=()
gps_args=()
while [ $# -gt 0 ]; do
    case "$1" in
        --screenshot) screenshot=$(realpath -m "$2"); shift 2 ;;
        --seconds) seconds=$2; shift 2 ;;
        --) shift; break ;;
        *) echo "unknown option $1" >&2; exit 2 ;;
    esac
done
while [ $# -gt 0 ] && [ "$1" != "--" ]; do sim_args+=("$1"); shift; done
[ $# -gt 0 ] && shift && gps_args=("$@")

run=$(mktemp -d /tmp/vodazuzovi-demo.XXXXXX)
# A demo data folder of its own: the user's settings and recordings stay untouched.
export VODAZUZOVI_HOME="$run/data"
mkdir -p "$VODAZUZOVI_HOME"
export VODAZUZOVI_COM1="$run/com1"
build/tools/ifbsim --link "$VODAZUZOVI_COM1" "${sim_args[@]}" >"$run/ifbsim.out" 2>&1 &
sim=$!
export VODAZUZOVI_COM2="$run/com2" VODAZUZOVI_COM3="$run/com3"
nmea_out="$run/nmea-out"
build/tools/gpssim --link "$VODAZUZOVI_COM2" --nmea-link "$VODAZUZOVI_COM3" --nmea-tap "$nmea_out" \
    "${gps_args[@]}" >"$run/gpssim.out" 2>&1 &
gps=$!
trap 'kill $sim $gps 2>/dev/null; wait $sim $gps 2>/dev/null; rm -rf "$run"' EXIT
for _ in $(seq 50); do [ -e "$VODAZUZOVI_COM1" ] && [ -e "$nmea_out" ] && break; sleep 0.1; done
echo "NMEA output (switch on Options > Serial Data Out ON/OFF): cat $nmea_out"

if [ -n "$screenshot" ]; then
    QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1400x1000x24" \
        build/src/vodazuzovi --ports 1,2,3 --quit-after "$seconds" --screenshot "$screenshot"
    echo "saved $screenshot"
else
    build/src/vodazuzovi --ports 1,2,3
fi
