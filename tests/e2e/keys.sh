#!/usr/bin/env bash
# End to end with keys only, as from a keypad or a remote: no pointer moves. A POI is filed
# right of the street on the second category page, the nearest POI is deleted, and Escape
# ends a run with the fallback record alone; the files are compared byte for byte with an
# independent reckoning (lib/expected.sh).
# shellcheck source-path=SCRIPTDIR source=lib/scenario.sh
source "$(dirname "$0")/lib/scenario.sh" "$@"

readonly SAMPLE_POIS="$E2E_ROOT/sample/pois"
readonly SAMPLE_POSITION="$E2E_ROOT/sample/Documents/QXPosition.txt"

# The sample fix as LON and LAT (millionths) and COURSE (whole degrees).
read_sample_fix() {
  LON=$(micro_degrees "$(position_value "$SAMPLE_POSITION" Lon)")
  LAT=$(micro_degrees "$(position_value "$SAMPLE_POSITION" Lat)")
  COURSE=$(whole_degrees "$(position_value "$SAMPLE_POSITION" Course)")
}

# expect_fallback FOLDER EARLIER: recorded.asc holds the file EARLIER ("" for none), then the
# fallback record of the fix named after the run's time.
expect_fallback() {
  local folder=$1 expected="$SCENARIO_FOLDER/expected-recorded" time
  if [ -n "$2" ]; then cp "$2" "$expected"; else : >"$expected"; fi
  time=$(run_time "$folder/pois/recorded.asc")
  fallback_text "$LON" "$LAT" "$(record_name "$time")" >>"$expected"
  expect_bytes "$folder/pois/recorded.asc" "$expected" "the fallback record"
}

# Page Down shows the second page, whose first slot (key 1) is the sixth category; Right files
# the POI 20 m right of the course.
recorded_with_keys() {
  local folder category page insert time expected="$SCENARIO_FOLDER/expected-category"
  folder=$(run_folder run)
  make_run_folder "$folder" "$E2E_PROGRAM" "$SAMPLE_POIS" "$SAMPLE_POSITION"
  category=$(category_names "$SAMPLE_POIS" | sed -n 6p)
  read_sample_fix

  start_timed_program "$folder"
  page=$(open_page "$CATEGORY_PAGE") || fail "the category page did not appear"
  turn_page_by_key "$page" "$KEY_NEXT_PAGE" || fail "Page Down did not show the next page"
  press_key "$page" "$(slot_key 0)"
  insert=$(open_page "$INSERT_PAGE") || fail "the insert page for $category did not appear"
  press_key "$insert" "$KEY_INSERT_RIGHT"
  end_program

  time=$(run_time "$folder/pois/recorded.asc")
  cp "$SAMPLE_POIS/$category.asc" "$expected"
  # shellcheck disable=SC2046
  record_text $(beside_street "$LON" "$LAT" "$COURSE" 90) "$(record_name "$time")" >>"$expected"
  expect_bytes "$folder/pois/$category.asc" "$expected" "the record in $category.asc"
  expect_fallback "$folder" ""
  expect_others_unchanged "$SAMPLE_POIS" "$folder/pois" "$category.asc" recorded.asc
}

# Key 1 opens the delete page, Down confirms: the nearest POI's file is rewritten without it.
deleted_with_keys() {
  local source="$SCENARIO_FOLDER/pois" folder page delete nearest number lon lat category
  mkdir -p "$source"
  printf '\n11.5600000, 48.1300000, "West"\n11.5758000, 48.1372000, "Near"\r\n; kept\n' \
    >"$source/Alpha.asc"
  printf '\n11.6000000, 48.1600000, "North"' >"$source/Beta.asc"
  cp "$SAMPLE_POIS/Apotheke.bmp" "$source/Alpha.bmp"
  folder=$(run_folder run)
  make_run_folder "$folder" "$E2E_PROGRAM" "$source" "$SAMPLE_POSITION"
  read_sample_fix
  nearest=$(nearest_poi "$LON" "$LAT" "$source/Alpha.asc" "$source/Beta.asc")
  read -r number lon lat <<<"$nearest"
  category=$(category_names "$source" | sed -n "${number}p")

  start_timed_program "$folder"
  page=$(open_page "$CATEGORY_PAGE") || fail "the category page did not appear"
  press_key "$page" "$(slot_key 0)"
  delete=$(open_page "$DELETE_PAGE") || fail "the delete page did not appear"
  press_key "$delete" "$KEY_DELETE_CONFIRM"
  end_program

  kept_lines "$source/$category.asc" "$lon" "$lat" >"$SCENARIO_FOLDER/expected-kept"
  expect_bytes "$folder/pois/$category.asc" "$SCENARIO_FOLDER/expected-kept" \
    "$category.asc without its POI at $lon, $lat"
  expect_fallback "$folder" ""
  expect_others_unchanged "$source" "$folder/pois" "$category.asc" recorded.asc deleted
}

# Escape on the insert page ends the run as Cancel does: only the fallback record is written.
escaped_from_the_insert_page() {
  local folder page insert
  folder=$(run_folder run)
  make_run_folder "$folder" "$E2E_PROGRAM" "$SAMPLE_POIS" "$SAMPLE_POSITION"
  read_sample_fix

  start_timed_program "$folder"
  page=$(open_page "$CATEGORY_PAGE") || fail "the category page did not appear"
  press_key "$page" "$(slot_key 1)"
  insert=$(open_page "$INSERT_PAGE") || fail "the insert page did not appear"
  press_key "$insert" Escape
  end_program

  expect_fallback "$folder" ""
  expect_others_unchanged "$SAMPLE_POIS" "$folder/pois" recorded.asc
}

run_scenario "a POI filed right of the street with keys only" recorded_with_keys
run_scenario "the nearest POI deleted with keys only" deleted_with_keys
run_scenario "Escape on the insert page: the fallback record alone" escaped_from_the_insert_page
finish
