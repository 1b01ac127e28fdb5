#!/usr/bin/env bash
# The zoom story of the real program under Xvfb against duoclave-sim, driven with xdotool:
# start a measurement, drag a zoom window over the chart, then double-click to get the fitted
# view back. Keeps docs/zoom-1-running.png, docs/zoom-2-zoomed.png, docs/zoom-3-fitted.png.
# Needs a build in build/ (duoclave and duoclave-sim), or give the build folder as $1.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/tools.sh docs
build="${1:-build}"
work="$(mktemp -d)"
trap 'kill $sim 2>/dev/null || true; rm -rf "$work"' EXIT

"$build/sim/duoclave-sim" --link "$work/com1" >/dev/null &
sim=$!
for _ in $(seq 50); do [ -e "$work/com1" ] && break; sleep 0.1; done

cat >"$work/session.sh" <<SESSION
set -e
"$build/app/duoclave" --com1 "$work/com1" &
app=\$!
window=\$(xdotool search --sync --name "Duoclave V 0.21" | head -1)
sleep 1
at() { xdotool mousemove --window "\$window" "\$1" "\$2"; }
# "Start measurement", then let about eight samples arrive.
at 128 300; xdotool click 1
sleep 8
import -window "\$window" "$work/zoom-1-running.png"
# A zoom window over the middle of the chart area; the tick after it re-fits, so look at once.
at 450 80; xdotool mousedown 1
for x in 500 560 620 680; do at \$x 190; sleep 0.05; done
xdotool mouseup 1
sleep 0.2
import -window "\$window" "$work/zoom-2-zoomed.png"
# Stop the measurement so that only the double click restores the fitted view.
at 128 300; xdotool click 1
sleep 0.5
at 600 150; xdotool click --repeat 2 --delay 80 1
sleep 0.5
import -window "\$window" "$work/zoom-3-fitted.png"
kill \$app
SESSION
xvfb-run -a -s "-screen 0 1280x720x24" bash "$work/session.sh"
cp "$work"/zoom-*.png docs/
ls docs/zoom-*.png
