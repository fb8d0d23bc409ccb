#!/usr/bin/env bash
# Measures the pings per second the program reaches against ifbsim at wire speed (chart speed 8,
# the factory 100 ft window in Full screen) and the rate the serial link itself allows for the
# same exchanges. Two runs of different length cancel the start-up time.
#   tools/measure-ping-rate.sh [build-dir] [ifbsim options...]
# With "--ping-delay-ms 0" the simulator answers without waiting for the sound's travel time.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
shift || true
sim_options="$*"
short=8
long=28

count_pings() { # seconds -> ping commands seen by the simulator
    local run
    run=$(mktemp -d)
    VODAZUZOVI_HOME="$run/data" VODAZUZOVI_COM1="$run/com1" bash -c '
        "$0"/tools/ifbsim --link "$1/com1" --log "$1/sim.log" $3 >/dev/null 2>&1 &
        sim=$!
        for _ in $(seq 50); do [ -e "$1/com1" ] && break; sleep 0.1; done
        QT_QPA_PLATFORM=offscreen "$0"/src/vodazuzovi --ports 1,0,0 --quit-after "$2" >/dev/null 2>&1
        kill $sim; wait $sim 2>/dev/null || true' "$build" "$run" "$1" "$sim_options"
    # A ping starts with register 0 written with a processing code (1, 2, 0x81, 0x82).
    grep -c -E '^W 00 (01|02|81|82)$' "$run/sim.log"
    rm -rf "$run"
}

n1=$(count_pings $short)
n2=$(count_pings $long)
rate=$(echo "scale=2; ($n2 - $n1) / ($long - $short)" | bc)

# Bytes per ping on the wire: 15 block registers + the ping command (5-byte frames, 1-byte
# acknowledgements), the water-temperature exchange (5 out, 4 back) and the reply
# (samples + 10 + 3 trailer bytes); 662 samples for 100 ft at 61 us a sample.
reply=$((662 + 10 + 10 + 3))
bytes=$((16 * 5 + 16 + 5 + 4 + reply))
# 10 bits a byte at 115200 baud; the ping cycle's own 10 ms interval; and, apart, the time the
# sound needs to travel 100 ft down and back (at 4951 ft/s), which the simulator also waits.
link=$(echo "scale=2; 1 / ($bytes / 11520 + 0.010)" | bc)
link_sound=$(echo "scale=2; 1 / ($bytes / 11520 + 0.010 + 200 / 4951)" | bc)
echo "pings/s reached: $rate (from $n1 pings in ${short}s and $n2 in ${long}s)"
echo "bytes on the wire per ping: $bytes"
echo "rate the link allows: $link pings/s (with the sound's travel time: $link_sound pings/s)"
echo "ratio reached/link: $(echo "scale=2; $rate / $link" | bc) (with travel time: $(echo "scale=2; $rate / $link_sound" | bc))"
