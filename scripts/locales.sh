#!/usr/bin/env bash
# Compiles locales into a folder of our own, so that a process started with LOCPATH=DIR and
# LC_ALL=NAME really runs in that locale: no root, no system locale list touched.
#   bash scripts/locales.sh DIR NAME...      (NAME like de_DE.UTF-8)
set -euo pipefail
dir="$1"; shift
mkdir -p "$dir"
for name in "$@"; do
  [ -f "$dir/$name/LC_NUMERIC" ] && continue
  source="${name%%.*}"
  charmap="${name#*.}"
  # Built in a temporary folder and moved in place, so that tests running beside us never see
  # a half-written locale.
  tmp="$(mktemp -d "$dir/.$name.XXXXXX")"
  if ! out="$(localedef -i "$source" -f "$charmap" "$tmp/$name" 2>&1)"; then
    rm -rf "$tmp"
    echo "localedef could not build $name: $out" >&2
    exit 1
  fi
  mv -T "$tmp/$name" "$dir/$name" 2>/dev/null || true
  rm -rf "$tmp"
done
