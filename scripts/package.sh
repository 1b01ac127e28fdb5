#!/usr/bin/env bash
# Builds the release as Debian builds its packages (dpkg-buildflags: hardened, fortified, bound
# at load time) and the Debian package from it: build/package/duoclave_VERSION-1_ARCH.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B build/deb -G Ninja -DCMAKE_BUILD_TYPE=Release -DDUOCLAVE_BUILD_TESTS=OFF -DDUOCLAVE_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake --build build/deb
cpack -G DEB --config build/deb/CPackConfig.cmake -B build/package
rm -rf build/package/_CPack_Packages
ls build/package/*.deb
