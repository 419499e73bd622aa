#!/usr/bin/env bash
# The built GPX export on the sample POI folder and on hostile files. Every document must be
# well-formed XML (xmllint) and read back by a real GPX reader (gpsbabel) with the POIs'
# coordinates, names, times and types; the sample's are reckoned here on their own with awk,
# the hostile files' are written out by hand. Also: the same bytes under a German locale, the
# exit statuses (the command line's: tests/install/tree.sh; which paths and lines are exported
# and what is named: the unit tests), the output file replaced in one step and the default folder. Usage: gpx_export.sh PATH-OF-THE-BUILT-poirecorder-gpx
set -euo pipefail

program=$(realpath "$1")
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/poi-gpx-XXXXXX")
trap 'rm -rf "$work"' EXIT
# Record names are local times: the expected UTC times below are those of Berlin.
export TZ=Europe/Berlin LC_ALL=C.UTF-8

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
# same WHAT EXPECTED-FILE ACTUAL-FILE
same() { diff -u "$2" "$3" || fail "$1"; }

# run_export NAME ARGUMENTS...: runs the export; NAME.gpx, NAME.err and NAME.status are what it wrote.
run_export() {
  local name=$1
  shift
  local status=0
  "$program" "$@" >"$work/$name.gpx" 2>"$work/$name.err" || status=$?
  echo "$status" >"$work/$name.status"
}

expect_status() {
  [ "$(cat "$work/$1.status")" = "$2" ] || fail "$1 ends with $(cat "$work/$1.status" "$work/$1.err")"
}

# read_back NAME: NAME.gpx must be well-formed XML; what gpsbabel reads from it, as CSV rows
# "lat,lon,name[,date,time]" in NAME.csv (times in UTC; gpsbabel names a waypoint without a
# name "WPTnnn", here "" again), and the waypoints' types, one a line, in NAME.types.
read_back() {
  xmllint --noout "$work/$1.gpx" || fail "$1 is not well-formed XML"
  gpsbabel -i gpx -f "$work/$1.gpx" -o unicsv,utc=0 -F - | tr -d "\r" | tail -n +2 | cut -d, -f2- |
    sed 's/^\([^,]*,[^,]*,\)"WPT[0-9]*"/\1""/' >"$work/$1.csv"
  gpsbabel -i gpx -f "$work/$1.gpx" -o gpx -F "$work/$1.again.gpx"
  local count i
  count=$(xmllint --xpath 'count(//*[local-name()="wpt"])' "$work/$1.again.gpx")
  : >"$work/$1.types"
  for ((i = 1; i <= count; i++)); do
    xmllint --xpath "string(//*[local-name()='wpt'][$i]/*[local-name()='type'])" \
      "$work/$1.again.gpx" >>"$work/$1.types"  # a line each
  done
}

# --- The sample folder, reckoned with the end-to-end tests' awk reading of POI lines: the
# category files in the order of the category page; a waypoint's name is what follows the
# second comma, trimmed and unquoted.
# shellcheck source-path=SCRIPTDIR source=../e2e/lib/expected.sh
source "$root/tests/e2e/lib/expected.sh"
cp -r "$root/sample/pois" "$work/sample"
expected_sample() {
  local name
  while IFS= read -r name; do
    iconv -f CP1252 -t UTF-8 "$work/sample/$name.asc" |
      e2e_awk -v RS='\r\n|\r|\n' -v type="$(sed 's/°/ /g; s/^[ \t]*//; s/[ \t]*$//' <<<"$name")" \
        "$E2E_POI_LINE_AWK"'parse_poi($0) {
          name = $0; sub(/^[^,]*,[^,]*(,|$)/, "", name); name = trim(name)
          if (name ~ /^".*"$/ && length(name) >= 2) name = substr(name, 2, length(name) - 2)
          gsub(/"/, "\"\"", name)
          printf "%.6f,%.6f,\"%s\"\n", poiLat / 1000000, poiLon / 1000000, name
          print type > "/dev/stderr"
        }'
  done < <(category_names "$work/sample")
}
expected_sample >"$work/sample.expected.csv" 2>"$work/sample.expected.types"

run_export sample "$work/sample"
expect_status sample 0
read_back sample
same "the sample's coordinates and names read back" "$work/sample.expected.csv" "$work/sample.csv"
same "the sample's types read back" "$work/sample.expected.types" "$work/sample.types"
[ "$(wc -l <"$work/sample.csv")" -gt 30 ] || fail "the sample has fewer POIs than it should"

# --- Hostile text for the XML and its reader: quotes, ampersands and angle brackets,
# Windows-1252 bytes, a record name with the time it gives in winter, a line
# that is no POI (so the status is 1), and the recorded positions. How every kind of line
# is read is the unit tests' business.
hostile="$work/hostile"
mkdir -p "$hostile"
printf '%s' '
9.5, 48.25, "Caf'$'\xe9'' '$'\x80'' '$'\x93''Zum "Hirsch"'$'\x94'', Bar & <Grill>"
10.0, 50.0, "Quillon RECORD (05.12.26 14:03:59)"
not a poi' >"$hostile/Quotes & Ampersands°.asc"
printf '\n1.5000000, 2.5000000, "Quillon RECORD (01.01.26 00:00:00)"\n' >"$hostile/recorded.asc"

cat >"$work/hostile.expected.csv" <<CSV
48.250000,9.500000,"Café € “Zum ""Hirsch""”, Bar & <Grill>",,
50.000000,10.000000,"Quillon RECORD (05.12.26 14:03:59)",2026/12/05,13:03:59
2.500000,1.500000,"Quillon RECORD (01.01.26 00:00:00)",2025/12/31,23:00:00
CSV
printf '%s\n' "Quotes & Ampersands" "Quotes & Ampersands" recorded \
  >"$work/hostile.expected.types"

run_export hostile --include-recorded "$hostile"
expect_status hostile 1
read_back hostile
same "the hostile text, coordinates and times read back" "$work/hostile.expected.csv" "$work/hostile.csv"
same "the hostile files' types read back" "$work/hostile.expected.types" "$work/hostile.types"

# --- The same bytes whatever the locale: a German one writes a decimal comma.
if ! locale -a | grep -qi '^de_DE\.utf-\?8$'; then
  fail "the de_DE.UTF-8 locale is missing (scripts/install-deps.sh makes it)"
fi
LC_ALL=de_DE.UTF-8 "$program" "$work/sample" 2>/dev/null | cmp -s - "$work/sample.gpx" ||
  fail "other bytes under de_DE.UTF-8"

# --- The output file: replaced in one step, the same bytes as standard output.
echo "old" >"$work/out.gpx"
run_export to-file -o "$work/out.gpx" "$work/sample"
expect_status to-file 0
cmp -s "$work/out.gpx" "$work/sample.gpx" || fail "-o wrote other bytes"
[ -z "$(find "$work" -maxdepth 1 -name '.out.gpx.*')" ] || fail "-o left its temporary file"
run_export no-folder -o "$work/nowhere/out.gpx" "$work/sample"
expect_status no-folder 2
run_export onto-poi-file -o "$work/sample/Museum.asc" "$work/sample"
expect_status onto-poi-file 2
cmp -s "$work/sample/Museum.asc" "$root/sample/pois/Museum.asc" || fail "-o replaced a POI file"

# --- Without a path: the pois folder beside the program, as the recorder uses it.
mkdir "$work/portable"
cp "$program" "$work/portable/"
cp -r "$work/sample" "$work/portable/pois"
status=0
(cd "$work" && "$work/portable/$(basename "$program")" >"$work/default.gpx" 2>"$work/default.err") || status=$?
[ "$status" = 0 ] && cmp -s "$work/default.gpx" "$work/sample.gpx" ||
  fail "without a path: status $status, $(cat "$work/default.err")"
echo "PASS: the export read back"
