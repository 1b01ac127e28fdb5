#!/usr/bin/env bash
# Each program's manual page as man shows it (80 columns, with groff's warnings): no warning, a
# NAME line that whatis can read, the usual sections, and every option that --help names.
# Arguments: pairs of PROGRAM PAGE
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failed=0
while [ $# -ge 2 ]; do
  program=$1
  page=$2
  shift 2
  name=$(basename "$program")
  if ! MANWIDTH=80 MANPAGER=cat PAGER=cat man --warnings -l "$page" >"$work/text" 2>"$work/warnings"; then
    echo "$name: man failed"
    failed=1
  fi
  if [ -s "$work/warnings" ]; then
    echo "$name: man warns:"
    cat "$work/warnings"
    failed=1
  fi
  if ! lexgrog "$page" | grep -q "\"$name - "; then
    echo "$name: lexgrog cannot read the NAME section: $(lexgrog "$page" 2>&1)"
    failed=1
  fi
  for section in NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" "SEE ALSO"; do
    grep -qx "$section" "$work/text" || { echo "$name: no $section section"; failed=1; }
  done
  # Long lines would mean roff could not break something (a path, an option).
  if awk 'length > 80 { exit 1 }' "$work/text"; then :; else
    echo "$name: lines wider than 80 columns"
    failed=1
  fi
  for option in $("$program" --help | grep -o -- '--[a-z][a-z0-9-]*' | sort -u); do
    grep -qF -- "$option" "$work/text" || { echo "$name: the page lacks $option"; failed=1; }
  done
done
exit $failed
