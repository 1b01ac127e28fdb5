#!/usr/bin/env bash
# Takes a screenshot of the real window under Xvfb, connected to duoclave-sim, after reading the
# Tele/Wide command: docs/window.png. Needs a build in build/ (duoclave and duoclave-sim).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/tools.sh docs
build="${1:-build}"
work="$(mktemp -d)"
trap 'kill $sim 2>/dev/null || true; rm -rf "$work"' EXIT

"$build/sim/duoclave-sim" --link "$work/com1" --reg 98=0x12AB --reg 5=3 >/dev/null &
sim=$!
for _ in $(seq 50); do [ -e "$work/com1" ] && break; sleep 0.1; done

cat >"$work/session.sh" <<SESSION
set -e
"$build/app/duoclave" --com1 "$work/com1" &
app=\$!
window=\$(xdotool search --sync --name "Duoclave V 0.21" | head -1)
sleep 1
# Click into the combo box's text, then step down to the Tele/Wide command (row 17).
xdotool mousemove 300 339 click 1
xdotool key --delay 60 \$(printf 'Down %.0s' \$(seq 18))
sleep 1
import -window "\$window" "$work/window.png"
kill \$app
SESSION
xvfb-run -a -s "-screen 0 1280x720x24" bash "$work/session.sh"
cp "$work/window.png" docs/window.png
echo "docs/window.png"
