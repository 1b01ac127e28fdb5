#!/usr/bin/env bash
# Two pictures of the real program under Xvfb against duoclave-sim, driven with xdotool:
#   docs/window-maximised.png  the window maximised by a window manager (openbox) while a
#                              measurement runs: the chart takes the screen, the left column stays
#   docs/window-de.png         the window in a German session (LC_ALL=de_DE.UTF-8, compiled here
#                              without root) after reading a delay held as 3 half-microseconds
# Needs a build in build/ (duoclave and duoclave-sim), or give the build folder as $1.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/tools.sh docs locales
build="${1:-build}"
work="$(mktemp -d)"
trap 'kill $sim $sim2 2>/dev/null || true; rm -rf "$work"' EXIT

bash scripts/locales.sh "$work/locales" de_DE.UTF-8
# Register 5 holds the camcorder's power-on delay: 3 half-microseconds.
"$build/sim/duoclave-sim" --link "$work/com1" --reg 5=3 >/dev/null &
sim=$!
# A device of its own for the second window: the first one's kill leaves its line claimed.
"$build/sim/duoclave-sim" --link "$work/com1b" >/dev/null &
sim2=$!
for _ in $(seq 50); do [ -e "$work/com1" ] && [ -e "$work/com1b" ] && break; sleep 0.1; done

cat >"$work/session.sh" <<SESSION
set -e
at() { xdotool mousemove --window "\$window" "\$1" "\$2"; }

# A German session: pick "Power-on delay (us): camcorder" (row 4) from the combo box.
LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 LOCPATH="$work/locales" "$build/app/duoclave" --com1 "$work/com1" &
app=\$!
window=\$(xdotool search --sync --name "Duoclave V 0.21" | head -1)
sleep 1
at 120 148; xdotool click 1
xdotool key --delay 80 Down Down Down Down Down
sleep 1
import -window "\$window" "$work/window-de.png"
kill \$app; wait \$app 2>/dev/null || true

# A desktop with a window manager: start a measurement, then maximise the window.
openbox >/dev/null 2>&1 &
wm=\$!
sleep 1
"$build/app/duoclave" --com1 "$work/com1b" &
app=\$!
window=\$(xdotool search --sync --name "Duoclave V 0.21" | head -1)
sleep 1
at 128 300; xdotool click 1
sleep 12
wmctrl -r "Duoclave V 0.21" -b add,maximized_vert,maximized_horz
sleep 5
import -window root "$work/window-maximised.png"
kill \$app \$wm
SESSION
xvfb-run -a -s "-screen 0 1280x800x24" bash "$work/session.sh"
cp "$work/window-de.png" "$work/window-maximised.png" docs/
ls docs/window-de.png docs/window-maximised.png
