#!/usr/bin/env bash
# Builds the program and runs it against the device simulator on a pseudo-terminal:
# no hardware needed. Without a display it runs under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DDUOCLAVE_BUILD_TESTS=OFF -DDUOCLAVE_BUILD_BENCH=OFF
cmake --build build/release

link="${TMPDIR:-/tmp}/duoclave-com1"
build/release/sim/duoclave-sim --link "$link" &
sim=$!
trap 'kill $sim 2>/dev/null; wait $sim 2>/dev/null' EXIT
for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  build/release/app/duoclave --com1 "$link"
else
  echo "No display: running under Xvfb (use a desktop session to see the window)."
  xvfb-run -a -s "-screen 0 1280x800x24" build/release/app/duoclave --com1 "$link"
fi
