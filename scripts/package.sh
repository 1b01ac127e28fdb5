#!/usr/bin/env bash
# Builds the release and the Debian package from it: build/package/duoclave_VERSION-1_ARCH.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DDUOCLAVE_BUILD_TESTS=OFF -DDUOCLAVE_BUILD_BENCH=OFF
cmake --build build/release
cpack -G DEB --config build/release/CPackConfig.cmake -B build/package
rm -rf build/package/_CPack_Packages
ls build/package/*.deb
