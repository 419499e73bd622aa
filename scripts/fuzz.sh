#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# in build-fuzz/ and runs each for SECONDS (default 60) on a copy of its seed corpus, so the
# corpus in the tree never grows. A target that finds a crash, a leak or a disagreement
# stops the script with the input saved beside its copy of the corpus.
#
#     bash scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"

werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPOI_FUZZ=ON \
  -DCMAKE_CXX_COMPILER=clang++ -DPOI_WARNINGS_AS_ERRORS="$werror" >/dev/null
cmake --build build-fuzz -j "$(nproc)"

for corpus in fuzz/corpus/*/; do
  target="$(basename "$corpus")"
  work="build-fuzz/runs/$target"
  rm -rf "$work"
  mkdir -p "$work/corpus"
  cp "$corpus"* "$work/corpus/"
  echo "== fuzz_$target for $seconds s"
  if ! "build-fuzz/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$work/" "$work/corpus" >"$work/log" 2>&1; then
    tail -n 40 "$work/log"
    echo "fuzz_$target found a fault; the input is in $work/" >&2
    exit 1
  fi
  grep -E '^Done|stat::number_of_executed_units|stat::new_units_added' "$work/log"
done
