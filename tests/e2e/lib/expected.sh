# shellcheck shell=bash
# What the program should write, worked out here on its own with awk from the same inputs the
# program reads, so that the end-to-end tests compare the program's bytes with an independent
# reckoning. Every function but read_fix prints its result on standard output.
#
# Positions are whole millionths of a degree; a text becomes millionths by its value as written
# (whole degrees too) times 1000000.0, truncated toward zero.

e2e_awk() { LC_ALL=C awk "$@"; }

# read_fix FILE: the fix of a position file as LON, LAT (millionths) and COURSE (whole degrees,
# truncated toward zero), each from the value text of its key's first line "KEY = value".
read_fix() {
  read -r LON LAT COURSE < <(e2e_awk '{ sub(/^[ \t]+/, "") }
    /^(Lat|Lon|Course) =/ && !($1 in value) { value[$1] = substr($0, length($1) + 3) }
    END { printf "%d %d %d\n", int((value["Lon"] + 0) * 1000000.0), int((value["Lat"] + 0) * 1000000.0),
      int(value["Course"] + 0) }' "$1")
}

# record_text LON LAT NAME: a record as it is appended to a category file: its line break, the
# longitude with seven decimals, the latitude with five and "00", and the name in quotes.
record_text() {
  e2e_awk -v lon="$1" -v lat="$2" -v name="$3" \
    'BEGIN { printf "\n%.7f, %.5f00, \"%s\"", lon * 0.000001, lat * 0.000001, name }'
}

# beside_street LON LAT COURSE OFFSET: the position 20 m to the side of the course (OFFSET -90
# for the left, +90 for the right), as "lon lat". The flat-earth formula of the placement, with
# its constants and its order of operations: pi to ten decimals, 111.325 km per degree of
# longitude at the equator, 0.02 / 111.24 degrees of latitude per 20 m, and the shift added to
# the position before the sum is truncated.
beside_street() {
  e2e_awk -v lon="$1" -v lat="$2" -v course="$3" -v offset="$4" '
    function radians(degrees) { return ((degrees * 0.002777777777777778) * 3.1415926535) * 2.0 }
    BEGIN {
      angle = course + offset
      if (angle > 360) angle -= 360; else if (angle < 0) angle += 360
      sinA = sin(radians(angle)); cosA = cos(radians(angle))
      cosLat = cos(radians(lat * 0.000001))
      lonShift = ((0.02 / (cosLat * 111.325)) * sinA) * 1000000
      latShift = (cosA * 0.00017979144192736428) * 1000000
      printf "%d %d\n", int(lonShift + lon), int(latShift + lat)
    }'
}

# The POI line reader in awk: a line is "longitude, latitude, name"; comments (";"), lines
# without a comma after their first character and lines shorter than two characters are not
# POIs. A coordinate counts by its first 11 characters, read as written. The name is the
# third field cut to 128 characters, then trimmed; its quotes stay.
readonly E2E_POI_LINE_AWK='
  function trim(text) { gsub(/^[ \t\r\n\v\f]+|[ \t\r\n\v\f]+$/, "", text); return text }
  function coordinate(field) {
    return int((substr(trim(field), 1, 11) + 0) * 1000000.0)
  }
  # Sets poiLon, poiLat and poiName; returns 0 when the line holds no POI.
  function parse_poi(line,    fields, count) {
    sub(/^[ \t\r\n\v\f]+/, "", line)
    if (length(line) < 2 || index(line, ",") <= 1 || substr(line, 1, 1) == ";") return 0
    count = split(line, fields, ",")
    poiLon = coordinate(fields[1])
    poiLat = coordinate(count >= 2 ? fields[2] : "")
    poiName = trim(substr(count >= 3 ? fields[3] : "", 1, 128))
    return 1
  }'

# category_names FOLDER: the categories of a "pois" folder in the order the pages show them:
# every ".asc" file but recorded and quillon (in any letter case), sorted by character code.
category_names() {
  local file name
  for file in "$1"/*; do
    name=$(basename "$file")
    [[ ${name,,} == *.asc ]] || continue
    name=${name%????}
    case "${name,,}" in recorded | quillon) continue ;; esac
    printf '%s\n' "$name"
  done | LC_ALL=C sort
}
