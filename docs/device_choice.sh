#!/usr/bin/env bash
# The device choice of the real program under Xvfb, driven with xdotool: "COM 1" names an adapter
# that is not plugged in, a right click on "Choose COM PORT" opens the choice, which lists
# duoclave-sim's by-id link; picking it opens the port. Keeps docs/device-choice-1-list.png and
# docs/device-choice-2-chosen.png. Needs a build in build/ (duoclave and duoclave-sim), or give
# the build folder as $1. Settings go to a temporary folder, not to the user's.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
work="$(mktemp -d)"
trap 'kill $sim 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -p "$work/dev/serial/by-id" "$work/config"

"$build/sim/duoclave-sim" --link "$work/com" --by-id "$work/dev/serial/by-id" --reg 20=321 >/dev/null &
sim=$!
for _ in $(seq 50); do [ -n "$(ls "$work/dev/serial/by-id")" ] && break; sleep 0.1; done

cat >"$work/session.sh" <<SESSION
set -e
export DUOCLAVE_DEVICE_ROOT="$work" XDG_CONFIG_HOME="$work/config" DUOCLAVE_COM1="$work/dev/ttyUSB0"
"$build/app/duoclave" &
app=\$!
window=\$(xdotool search --sync --name "Duoclave V 0.21" | head -1)
sleep 1
# The context menu of the port group, its first entry: "Device for COM 1...".
xdotool mousemove --window "\$window" 60 32 click 3
sleep 0.5
xdotool key Down Return
dialog=\$(xdotool search --sync --name "Device for COM 1" | head -1)
sleep 0.5
# The first device of the list: the simulator's by-id link.
xdotool mousemove --window "\$dialog" 120 84 click 1
sleep 0.5
import -window root -crop 1000x440+170+150 "$work/device-choice-1-list.png"
xdotool key Return
sleep 1
import -window "\$window" "$work/device-choice-2-chosen.png"
kill \$app
SESSION
xvfb-run -a -s "-screen 0 1280x720x24" bash "$work/session.sh"
cp "$work/device-choice-1-list.png" "$work/device-choice-2-chosen.png" docs/
echo "docs/device-choice-1-list.png docs/device-choice-2-chosen.png"
