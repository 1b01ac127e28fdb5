#!/usr/bin/env bash
# The desktop entry as the desktop sees it: valid for desktop-file-validate, starting one of the
# installed programs and showing the icon that is installed.
# Arguments: DESKTOP_FILE ICON_SVG PROGRAM...
set -euo pipefail
entry=$1
icon=$2
shift 2

failed=0
# Hints count too: one names a menu the entry would be missing from.
if ! report=$(desktop-file-validate "$entry" 2>&1) || [ -n "$report" ]; then
  echo "desktop-file-validate: $report"
  failed=1
fi

exec_line=$(sed -n 's/^Exec=//p' "$entry")
command=${exec_line%% *}
found=0
for p in "$@"; do [ "$command" = "$p" ] && found=1; done
[ $found -eq 1 ] || { echo "Exec= starts \"$command\", which is not an installed program"; failed=1; }

icon_name=$(sed -n 's/^Icon=//p' "$entry")
[ "$icon_name" = "$(basename "$icon" .svg)" ] || { echo "Icon=$icon_name, but the icon installed is $(basename "$icon")"; failed=1; }

grep -Eq '^Categories=.*(Electronics|Engineering)' "$entry" || { echo "no hardware or engineering category"; failed=1; }
exit $failed
