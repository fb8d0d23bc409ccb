#!/usr/bin/env bash
# Builds the program, the simulator and the tests, and runs every test (offscreen).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"
# Serially: the link tests keep the box protocol's real 0.1 s reply deadlines.
ctest --test-dir build --output-on-failure
