#!/usr/bin/env bash
# Configures and builds the program and its tests in build/ (warnings are errors in CI).
set -euo pipefail
cd "$(dirname "$0")/.."
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPOI_WARNINGS_AS_ERRORS="$werror" >/dev/null
cmake --build build -j "$(nproc)"
