#!/usr/bin/env bash
# End to end: whole recordings through the category page and the insert and delete pages.
# A placement appends its record to the category's file and the run's end appends the fallback
# record; a deletion rewrites the nearest POI's file without it; Back returns to the category
# page. The expected bytes are worked out independently (lib/expected.sh).
# shellcheck source-path=SCRIPTDIR source=lib/scenario.sh
source "$(dirname "$0")/lib/scenario.sh" "$@"

readonly SAMPLE_POIS="$E2E_ROOT/sample/pois"

# category_at FOLDER INDEX: the name of the category at INDEX (from 0) in the pages' order.
category_at() {
  category_names "$1" | sed -n "$(($2 + 1))p"
}

# The fix of a position file, as the variables LON, LAT (millionths) and COURSE (degrees).
read_fix() {
  LON=$(micro_degrees "$(position_value "$1" Lon)")
  LAT=$(micro_degrees "$(position_value "$1" Lat)")
  COURSE=$(whole_degrees "$(position_value "$1" Course)")
}

# expect_fallback FOLDER EARLIER NAME: recorded.asc holds the bytes of the file EARLIER ("" for
# none) and then the fallback record of the fix (LON, LAT) named NAME.
expect_fallback() {
  local folder=$1 earlier=$2 name=$3 expected="$SCENARIO_FOLDER/expected-recorded"
  if [ -n "$earlier" ]; then cp "$earlier" "$expected"; else : >"$expected"; fi
  fallback_text "$LON" "$LAT" "$name" >>"$expected"
  expect_bytes "$folder/pois/recorded.asc" "$expected" "the fallback record"
}

# expect_category_record FOLDER SOURCE CATEGORY LON LAT NAME: the category's file is its copy
# in SOURCE followed by one record at LON, LAT named NAME.
expect_category_record() {
  local folder=$1 source=$2 category=$3 expected="$SCENARIO_FOLDER/expected-category"
  cp "$source/$category.asc" "$expected"
  record_text "$4" "$5" "$6" >>"$expected"
  expect_bytes "$folder/pois/$category.asc" "$expected" "the record in $category.asc"
}

# placed_beside_street POSITION_FILE CATEGORY_INDEX PLACE OFFSET [TURNS]: a run on the sample
# categories that turns TURNS pages with Next, chooses the category on the page's slot that
# shows CATEGORY_INDEX, and presses the placement button at PLACE (left or right: OFFSET -90
# or +90).
placed_beside_street() {
  local position=$1 index=$2 place=$3 offset=$4 turns=${5:-0}
  local folder category page insert slot time name moved
  folder=$(run_folder run)
  make_run_folder "$folder" "$E2E_PROGRAM" "$SAMPLE_POIS" "$position"
  category=$(category_at "$SAMPLE_POIS" "$index")
  read_fix "$position"

  start_timed_program "$folder"
  page=$(open_page "$CATEGORY_PAGE") || fail "the category page did not appear"
  local turn
  for ((turn = 0; turn < turns; turn++)); do
    turn_page "$page" "$NEXT_PAGE_SLOT" || fail "Next did not show another page"
  done
  # The first page shows categories from slot 1 (slot 0 deletes), the second from index 5,
  # each later one six further on.
  if ((turns == 0)); then slot=$((index + 1)); else slot=$((index - 5 - 6 * (turns - 1))); fi
  press_slot "$page" "$slot"
  insert=$(open_page "$INSERT_PAGE") || fail "the insert page for $category did not appear"
  press "$insert" "$place"
  end_program

  time=$(run_time "$folder/pois/recorded.asc")
  name=$(record_name "$time")
  moved=$(beside_street "$LON" "$LAT" "$COURSE" "$offset")
  # shellcheck disable=SC2086
  expect_category_record "$folder" "$SAMPLE_POIS" "$category" $moved "$name"
  expect_fallback "$folder" "" "$name"
  expect_others_unchanged "$SAMPLE_POIS" "$folder/pois" "$category.asc" recorded.asc
}

# Right of the street, on the second page of the sample categories: the course 245.7 reads as
# 245, so the POI moves 20 m towards 335 degrees.
right_of_street_on_the_second_page() {
  placed_beside_street "$E2E_ROOT/sample/Documents/QXPosition.txt" 5 "$INSERT_RIGHT" 90 1
}

# Left of the street from the first page, heading north-east: 45 - 90 wraps round to 315.
left_of_street_with_the_course_wrapping() {
  write_position_file "$SCENARIO_FOLDER/QXPosition.txt" \
    "Lat = 48.137236" "Lon = 11.575863" "Course = 45.0" "Valid = 1"
  placed_beside_street "$SCENARIO_FOLDER/QXPosition.txt" 0 "$INSERT_LEFT" -90
}

# A position file in whole degrees, as other programs write it: heading east, the left of the
# street lies to the north.
left_of_street_in_whole_degrees() {
  write_position_file "$SCENARIO_FOLDER/QXPosition.txt" \
    "Lat = 48" "Lon = 11" "Course = 90" "Valid = 1"
  placed_beside_street "$SCENARIO_FOLDER/QXPosition.txt" 2 "$INSERT_LEFT" -90
}

# two_categories FOLDER: a "pois" folder with the categories Alpha and Beta and their pictures.
two_categories() {
  mkdir -p "$1"
  printf '\n11.5800000, 48.1400000, "Alpha One"' >"$1/Alpha.asc"
  printf '\n11.5900000, 48.1500000, "Beta One"\n11.5910000, 48.1510000, "Beta Two"' >"$1/Beta.asc"
  cp "$SAMPLE_POIS/Apotheke.bmp" "$1/Alpha.bmp"
  cp "$SAMPLE_POIS/Museum.bmp" "$1/Beta.bmp"
}

# Back on Alpha's insert page returns to the category page; Beta's "Exakt recorded" then files
# the fix itself into Beta, and Alpha stays as it was.
back_then_another_category() {
  local source="$SCENARIO_FOLDER/pois" position="$E2E_ROOT/sample/Documents/QXPosition.txt"
  local folder page insert time name
  two_categories "$source"
  folder=$(run_folder run)
  make_run_folder "$folder" "$E2E_PROGRAM" "$source" "$position"
  read_fix "$position"

  start_timed_program "$folder"
  page=$(open_page "$CATEGORY_PAGE") || fail "the category page did not appear"
  press_slot "$page" 1
  insert=$(open_page "$INSERT_PAGE") || fail "the insert page for Alpha did not appear"
  press "$insert" "$INSERT_BACK"
  wait_for_window_gone "$insert" || fail "Back did not close the insert page"
  wait_until_painted
  press_slot "$page" 2
  insert=$(open_page "$INSERT_PAGE") || fail "the insert page for Beta did not appear"
  press "$insert" "$INSERT_EXACT"
  end_program

  time=$(run_time "$folder/pois/recorded.asc")
  name=$(record_name "$time")
  expect_category_record "$folder" "$source" Beta "$LON" "$LAT" "$name"
  expect_fallback "$folder" "" "$name"
  expect_others_unchanged "$source" "$folder/pois" Beta.asc recorded.asc
}

# store_with_a_nearest_poi FOLDER: categories whose POI nearest to the sample fix lies in the
# middle of Cafe.asc, between a comment ended by CR LF, blank lines, a line that holds no POI,
# a name with a Windows-1252 byte and numbers written short; and a recorded.asc holding a POI
# right at the fix, which is no category and must be neither found nor deleted.
store_with_a_nearest_poi() {
  mkdir -p "$1"
  printf '\n11.5600000, 48.1300000, "Backstube West"\n11.6000000, 48.1600000, "Backstube Nord"' \
    >"$1/Baeckerei.asc"
  printf '\n; Cafes in der Altstadt\r\n11.58, 48.14, "Cafe Kurz"\n\n11.5759000, 48.1373000, "Cafe am Markt"\nkein Komma\n \t\n11.5700000, 48.1380000, "Caf\xe9 Rischart"  \n11.5759000, 48.1373000, "Cafe Doppelt"' \
    >"$1/Cafe.asc"
  printf '\n11.5758630, 48.1372360, "Quillon RECORD (01.02.03 09:05:07)"\n' >"$1/recorded.asc"
  cp "$SAMPLE_POIS/Biergarten.bmp" "$1/Baeckerei.bmp"
  cp "$SAMPLE_POIS/Sehenswuerdigkeit.bmp" "$1/Cafe.bmp"
}

# "Delete nearest POI", then "Confirm Deletion": the file of the nearest POI is rewritten
# without every POI at its place; every other line but the blank ones stays as it was.
delete_the_nearest_poi() {
  local source="$SCENARIO_FOLDER/pois" position="$E2E_ROOT/sample/Documents/QXPosition.txt"
  local folder page delete time nearest file_number match_lon match_lat category
  local -a files=()
  store_with_a_nearest_poi "$source"
  folder=$(run_folder run)
  make_run_folder "$folder" "$E2E_PROGRAM" "$source" "$position"
  read_fix "$position"
  while IFS= read -r category; do files+=("$source/$category.asc"); done \
    < <(category_names "$source")
  nearest=$(nearest_poi "$LON" "$LAT" "${files[@]}")
  read -r file_number match_lon match_lat <<<"$nearest"
  category=$(category_at "$source" $((file_number - 1)))

  start_timed_program "$folder"
  page=$(open_page "$CATEGORY_PAGE") || fail "the category page did not appear"
  press_slot "$page" 0
  delete=$(open_page "$DELETE_PAGE") || fail "the delete page did not appear"
  press "$delete" "$DELETE_CONFIRM"
  end_program

  kept_lines "$source/$category.asc" "$match_lon" "$match_lat" >"$SCENARIO_FOLDER/expected-kept"
  expect_bytes "$folder/pois/$category.asc" "$SCENARIO_FOLDER/expected-kept" \
    "$category.asc without its POIs at $match_lon, $match_lat"
  # The removed lines, as read, are kept in pois/deleted/.
  e2e_awk -v lon="$match_lon" -v lat="$match_lat" -v RS='\r\n|\r|\n' "$E2E_POI_LINE_AWK"'
    parse_poi($0) && poiLon == lon && poiLat == lat { printf "\n%s", $0 }' \
    "$source/$category.asc" >"$SCENARIO_FOLDER/expected-deleted"
  expect_bytes "$folder/pois/deleted/$category.asc" "$SCENARIO_FOLDER/expected-deleted" \
    "the deleted lines kept"
  time=$(run_time "$folder/pois/recorded.asc")
  expect_fallback "$folder" "$source/recorded.asc" "$(record_name "$time")"
  expect_others_unchanged "$source" "$folder/pois" "$category.asc" recorded.asc deleted
}

# Back on the delete page returns to the category page and deletes nothing; Cancel there
# then ends the run with the fallback record alone.
delete_page_back_then_cancel() {
  local source="$SCENARIO_FOLDER/pois" position="$E2E_ROOT/sample/Documents/QXPosition.txt"
  local folder page delete time
  store_with_a_nearest_poi "$source"
  folder=$(run_folder run)
  make_run_folder "$folder" "$E2E_PROGRAM" "$source" "$position"
  read_fix "$position"

  start_timed_program "$folder"
  page=$(open_page "$CATEGORY_PAGE") || fail "the category page did not appear"
  press_slot "$page" 0
  delete=$(open_page "$DELETE_PAGE") || fail "the delete page did not appear"
  press "$delete" "$DELETE_BACK"
  wait_for_window_gone "$delete" || fail "Back did not close the delete page"
  wait_until_painted
  press "$page" "$PAGE_CANCEL"
  end_program

  time=$(run_time "$folder/pois/recorded.asc")
  expect_fallback "$folder" "$source/recorded.asc" "$(record_name "$time")"
  expect_others_unchanged "$source" "$folder/pois" recorded.asc
}

run_scenario "right of the street, on the second page" right_of_street_on_the_second_page
run_scenario "left of the street, the course wrapping round" left_of_street_with_the_course_wrapping
run_scenario "left of the street, a position file in whole degrees" left_of_street_in_whole_degrees
run_scenario "Back, then another category, exactly at the fix" back_then_another_category
run_scenario "the nearest POI deleted" delete_the_nearest_poi
run_scenario "Back on the delete page, then Cancel" delete_page_back_then_cancel
finish
