#!/usr/bin/env bash
# Builds the benchmark and prints, measured in one run on the same files: the nearest-POI
# search over 400 category files holding 1,000,000 POI lines beside wc -l and a mawk
# script doing the same search; a deletion in a 250,000-line file beside cp + sync of
# that file; the peak memory for files of two sizes; and the start of the category page with
# 400 pictured categories (BMP and SVG) at 240 x 320 and 1920 x 1080 beside the same start
# with 400 categories without pictures. Times are the best of several runs with the files in
# the page cache. Usage: bench/run.sh [work folder]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-bench"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target poi_bench page_bench -j 2 >/dev/null
bench="$build/bench/poi_bench"
page_bench="$build/bench/page_bench"

if [ $# -gt 0 ]; then
  work="$1"
  mkdir -p "$work"
else
  work=$(mktemp -d "${TMPDIR:-/tmp}/poi-bench-XXXXXX")
  trap 'rm -rf "$work"' EXIT
fi

lon=8123456
lat=47123456
repeats=5

echo "Generating POI folders in $work ..."
"$bench" generate "$work/all" 400 1000000
"$bench" generate "$work/tenth" 40 100000
"$bench" generate "$work/one" 1 250000
"$bench" generate "$work/small" 1 25000
mv "$work/one/pois/Category000.asc" "$work/one/pristine.asc"
mv "$work/small/pois/Category000.asc" "$work/small/pristine.asc"
cat "$work"/all/pois/*.asc "$work"/one/pristine.asc >/dev/null  # into the page cache
megabytes=$(du -sm "$work/all/pois" | cut -f1)

now() { echo "$EPOCHREALTIME"; }
elapsed_ms() { mawk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", (b - a) * 1000 }'; }
min() { mawk -v a="$1" -v b="$2" 'BEGIN { print (a == "" || b + 0 < a + 0) ? b : a }'; }
ratio() { mawk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
verdict() { mawk -v v="$1" -v op="$2" -v t="$3" \
  'BEGIN { ok = (op == "<=") ? v <= t : v >= t; print ok ? "met" : "MISSED" }'; }

read -r search_ms search_kb found <<<"$("$bench" search "$work/all" $lon $lat $repeats)"
read -r _ tenth_kb _ <<<"$("$bench" search "$work/tenth" $lon $lat 1)"

wc_ms=""
for _ in $(seq $repeats); do
  start=$(now); wc -l "$work"/all/pois/*.asc >/dev/null; end=$(now)
  wc_ms=$(min "$wc_ms" "$(elapsed_ms "$start" "$end")")
done

awk_ms=""
awk_result=""
for _ in 1 2 3; do
  start=$(now)
  awk_result=$(mawk -v lon=$lon -v lat=$lat -f "$root/bench/nearest.awk" "$work"/all/pois/*.asc)
  end=$(now)
  awk_ms=$(min "$awk_ms" "$(elapsed_ms "$start" "$end")")
done

read -r delete_ms delete_kb <<<"$("$bench" delete "$work/one/pristine.asc" "$work/one" Category000 $repeats)"
read -r _ small_delete_kb <<<"$("$bench" delete "$work/small/pristine.asc" "$work/small" Category000 1)"

copy_ms=""
for _ in $(seq $repeats); do
  rm -f "$work/one/copy.asc"
  sync
  start=$(now); cp "$work/one/pristine.asc" "$work/one/copy.asc" && sync "$work/one/copy.asc"; end=$(now)
  copy_ms=$(min "$copy_ms" "$(elapsed_ms "$start" "$end")")
done

search_vs_wc=$(ratio "$search_ms" "$wc_ms")
awk_vs_search=$(ratio "$awk_ms" "$search_ms")
delete_vs_copy=$(ratio "$delete_ms" "$copy_ms")
one_mb=$(du -sm "$work/one/pristine.asc" | cut -f1)

echo
echo "Nearest POI to ($lon, $lat) over 400 files, 1,000,000 POI lines, $megabytes MB:"
echo "  found: $found"
echo "  mawk:  ${awk_result#"$work"/all/}"
printf '  %-44s %9s ms\n' "FindNearestPoi" "$search_ms"
printf '  %-44s %9s ms   search / wc -l = %s (target <= 2.5: %s)\n' "wc -l" "$wc_ms" \
  "$search_vs_wc" "$(verdict "$search_vs_wc" "<=" 2.5)"
printf '  %-44s %9s ms   mawk / search = %s (target >= 15: %s)\n' "mawk script, same search" \
  "$awk_ms" "$awk_vs_search" "$(verdict "$awk_vs_search" ">=" 15)"
echo
echo "Deleting the nearest POI from one file of 250,000 POI lines, $one_mb MB:"
printf '  %-44s %9s ms\n' "DeleteNearestPoi (write, sync, rename, sync)" "$delete_ms"
printf '  %-44s %9s ms   delete / (cp + sync) = %s (target <= 2: %s)\n' "cp + sync FILE" \
  "$copy_ms" "$delete_vs_copy" "$(verdict "$delete_vs_copy" "<=" 2)"
echo
echo "Peak memory (resident):"
printf '  %-44s %9s KB\n' "search, 100,000 lines" "$tenth_kb" "search, 1,000,000 lines" "$search_kb" \
  "delete, 25,000 lines" "$small_delete_kb" "delete, 250,000 lines" "$delete_kb"

for kind in none bmp svg; do
  "$page_bench" generate "$work/pages-$kind" 400 "$kind" 2>/dev/null
done
echo
echo "Start to the first category page, 400 categories (offscreen platform):"
for size in "240 320" "1920 1080"; do
  limit=1.2
  [ "$size" = "1920 1080" ] && limit=1.5
  declare -A start_ms=()
  for kind in none bmp svg; do
    # shellcheck disable=SC2086
    start_ms[$kind]=$("$page_bench" start "$work/pages-$kind" $size 9 2>/dev/null)
  done
  printf '  %-44s %9s ms\n' "${size/ / x }, no pictures" "${start_ms[none]}"
  for kind in bmp svg; do
    pictured=$(ratio "${start_ms[$kind]}" "${start_ms[none]}")
    printf '  %-44s %9s ms   pictured / none = %s (target <= %s: %s)\n' \
      "${size/ / x }, one ${kind^^} picture each" "${start_ms[$kind]}" "$pictured" "$limit" \
      "$(verdict "$pictured" "<=" "$limit")"
  done
  unset start_ms
done
