#!/usr/bin/env bash
# Installs the build as a packager does (a DESTDIR, a prefix of its own) and checks that exactly
# the programs, their manual pages, the desktop entry, the icons and the Debian documents land
# there, and that each installed program runs from there with a bare environment.
# Arguments: BUILD_DIR VERSION PROGRAM...
set -euo pipefail
build=$1
version=$2
shift 2
programs=("$@")

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
prefix=/opt/duoclave-check   # not the default, so that a hard-coded path would show
DESTDIR="$root" cmake --install "$build" --prefix "$prefix" >"$root.log" 2>&1 || { cat "$root.log"; exit 1; }
rm -f "$root.log"

expected=(
  share/applications/duoclave.desktop
  share/icons/hicolor/scalable/apps/duoclave.svg
  share/icons/hicolor/48x48/apps/duoclave.png
  share/icons/hicolor/256x256/apps/duoclave.png
  share/doc/duoclave/copyright
  share/doc/duoclave/changelog.Debian.gz
  share/lintian/overrides/duoclave
)
for p in "${programs[@]}"; do
  expected+=("bin/$p" "share/man/man1/$p.1.gz")
done

failed=0
# Test programs, benchmarks and libraries must stay out: the installed files are exactly these.
actual=$(cd "$root" && find . -type f -o -type l | sed 's|^\./||' | sort)
wanted=$(printf "${prefix#/}/%s\n" "${expected[@]}" | sort)
if [ "$actual" != "$wanted" ]; then
  echo "installed files differ from the expected ones (< installed, > expected):"
  diff <(echo "$actual") <(echo "$wanted") || true
  failed=1
fi

for size in 48 256; do
  png="$root$prefix/share/icons/hicolor/${size}x${size}/apps/duoclave.png"
  if [ -f "$png" ] && ! file -b "$png" | grep -q "PNG image data, $size x $size"; then
    echo "the ${size}x${size} icon is $(file -b "$png")"
    failed=1
  fi
done

for p in "${programs[@]}"; do
  installed="$root$prefix/bin/$p"
  if ! out=$(env -i PATH=/usr/bin:/bin HOME="$root" "$installed" --version 2>&1); then
    echo "$p --version failed from $installed: $out"
    failed=1
  elif [[ "$out" != *"$version"* ]]; then
    echo "$p --version says \"$out\", not version $version"
    failed=1
  else
    echo "$p: $out"
  fi
done
exit $failed
