#!/usr/bin/env bash
# Builds the .deb with cpack as a release does and has lintian judge it as Debian would; checks
# that dpkg-shlibdeps found the run-time libraries and that only the programs are in it.
# Arguments: BUILD_DIR PROGRAM...
set -euo pipefail
build=$1
shift

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1; then
  cat "$out/cpack.log"
  exit 1
fi
deb=$(ls "$out"/*.deb)

failed=0
lintian --fail-on error,warning --display-info "$deb" || { echo "lintian finds fault with $(basename "$deb")"; failed=1; }

depends=$(dpkg-deb --field "$deb" Depends)
for library in libqt6widgets6 libqt6core6 libstdc++6 libc6; do
  [[ "$depends" == *"$library ("* ]] || { echo "Depends lacks $library: $depends"; failed=1; }
done

programs=$(dpkg-deb --contents "$deb" | awk '{print $6}' | sed -n 's|^\./usr/bin/||p' | grep . | sort)
wanted=$(printf '%s\n' "$@" | sort)
[ "$programs" = "$wanted" ] || { echo "programs in the package: $programs; expected: $wanted"; failed=1; }

# Nothing to run at install or removal: the menu and icon caches follow by triggers.
scripts=$(dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -E 'preinst|postinst|prerm|postrm' || true)
[ -z "$scripts" ] || { echo "unexpected maintainer scripts: $scripts"; failed=1; }
exit $failed
