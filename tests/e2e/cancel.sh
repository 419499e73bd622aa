#!/usr/bin/env bash
# End to end: with a valid fix, "Cancel" on the category page ends the run and the fallback
# record lands in pois/recorded.asc, to the byte; the category files stay as they were. Return
# on the untouched page ends the run without a record.
# shellcheck source-path=SCRIPTDIR source=lib/scenario.sh
source "$(dirname "$0")/lib/scenario.sh" "$@"

# cancelled_run FOLDER: runs the program in FOLDER and presses "Cancel" on the category page.
cancelled_run() {
  local page
  start_timed_program "$1"
  page=$(open_page "$CATEGORY_PAGE") || fail "the category page did not appear"
  press "$page" "$PAGE_CANCEL"
  end_program
}

# one_category FOLDER: a "pois" folder with one category and its picture.
one_category() {
  mkdir -p "$1"
  cp "$E2E_ROOT/sample/pois/Apotheke.asc" "$E2E_ROOT/sample/pois/Apotheke.bmp" "$1/"
}

# The sample data's fix: the record holds the position file's coordinates, converted to
# millionths and written back with seven and five decimals, and the run's date and time.
sample_fix_cancelled() {
  local source="$E2E_ROOT/sample/pois" position="$E2E_ROOT/sample/Documents/QXPosition.txt"
  local folder lon lat time
  folder=$(run_folder run)
  make_run_folder "$folder" "$E2E_PROGRAM" "$source" "$position"
  cancelled_run "$folder"

  lon=$(micro_degrees "$(position_value "$position" Lon)")
  lat=$(micro_degrees "$(position_value "$position" Lat)")
  time=$(run_time "$folder/pois/recorded.asc")
  fallback_text "$lon" "$lat" "$(record_name "$time")" >"$SCENARIO_FOLDER/expected"
  expect_bytes "$folder/pois/recorded.asc" "$SCENARIO_FOLDER/expected" "the fallback record"
  expect_others_unchanged "$source" "$folder/pois" recorded.asc
}

# 48.999996 is kept as 48999996 millionths and written with five decimals as 49.00000: the
# rounding carries into the whole degrees. 8.123456 times a million lies just below 8123456
# and is truncated to 8123455, so the longitude reads 8.1234550.
latitude_rounding_carries() {
  local source="$SCENARIO_FOLDER/pois" folder time
  one_category "$source"
  write_position_file "$SCENARIO_FOLDER/QXPosition.txt" \
    "Course = 12.5" "Lat = 48.999996" "Lon = 8.123456" "Valid = 1"
  folder=$(run_folder run)
  make_run_folder "$folder" "$E2E_PROGRAM" "$source" "$SCENARIO_FOLDER/QXPosition.txt"
  cancelled_run "$folder"

  time=$(run_time "$folder/pois/recorded.asc")
  printf '\n8.1234550, 49.0000000, "Quillon RECORD (%s)"\n' "$time" >"$SCENARIO_FOLDER/expected"
  expect_bytes "$folder/pois/recorded.asc" "$SCENARIO_FOLDER/expected" "the rounded record"
  expect_others_unchanged "$source" "$folder/pois" recorded.asc
}

# Negative coordinates keep their sign; -33.868825 lies a hair beyond the half in binary and
# rounds away from zero to -33.86883. The record is appended after the records already there.
negative_fix_appended() {
  local source="$SCENARIO_FOLDER/pois" folder time earlier
  earlier=$'\n1.0000000, 2.0000000, "Quillon RECORD (01.02.03 09:05:07)"\n'
  one_category "$source"
  printf '%s' "$earlier" >"$source/recorded.asc"
  write_position_file "$SCENARIO_FOLDER/QXPosition.txt" \
    "Valid = 1" "Lon = -0.1275" "Lat = -33.868825" "Course = 0.0"
  folder=$(run_folder run)
  make_run_folder "$folder" "$E2E_PROGRAM" "$source" "$SCENARIO_FOLDER/QXPosition.txt"
  cancelled_run "$folder"

  time=$(run_time "$folder/pois/recorded.asc")
  printf '%s\n-0.1275000, -33.8688300, "Quillon RECORD (%s)"\n' "$earlier" "$time" \
    >"$SCENARIO_FOLDER/expected"
  expect_bytes "$folder/pois/recorded.asc" "$SCENARIO_FOLDER/expected" "the appended record"
  expect_others_unchanged "$source" "$folder/pois" recorded.asc
}

# Return on the category page before any button has the focus is the page's OK: the run ends
# without the fallback record, and nothing is written.
return_on_the_untouched_page() {
  local source="$E2E_ROOT/sample/pois" folder page
  folder=$(run_folder run)
  make_run_folder "$folder" "$E2E_PROGRAM" "$source" "$E2E_ROOT/sample/Documents/QXPosition.txt"
  start_program "$folder"
  page=$(open_page "$CATEGORY_PAGE") || fail "the category page did not appear"
  press_key "$page" Return
  end_program
  expect_no_file "$folder/pois/recorded.asc" "a run ended by Return"
  expect_others_unchanged "$source" "$folder/pois"
}

run_scenario "a valid fix, then Cancel: the fallback record" sample_fix_cancelled
run_scenario "a latitude that rounds up into the whole degrees" latitude_rounding_carries
run_scenario "negative coordinates appended after an earlier record" negative_fix_appended
run_scenario "Return on the untouched category page: no record" return_on_the_untouched_page
finish
