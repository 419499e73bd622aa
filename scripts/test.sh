#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the whole suite through CTest,
# then the core's tests once more under AddressSanitizer and UndefinedBehaviorSanitizer,
# then each fuzz target for 15 s.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh

echo "== Tests"
(cd build && ctest --output-on-failure -j "$(nproc)")

echo "== Core tests under AddressSanitizer and UndefinedBehaviorSanitizer"
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPOI_CORE_ONLY=ON \
  -DPOI_WARNINGS_AS_ERRORS="$werror" \
  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer" \
  >/dev/null
cmake --build build-sanitize -j "$(nproc)"
(cd build-sanitize && ctest --output-on-failure -j "$(nproc)")

echo "== Fuzz targets, 15 s each"
bash scripts/fuzz.sh 15
