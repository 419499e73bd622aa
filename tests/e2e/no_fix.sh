#!/usr/bin/env bash
# End to end: without a valid fix the program shows "Missing GPS-Signal !" in a message box
# instead of the category page, ends when it is confirmed, writes nothing, and says why on
# standard error.
# shellcheck source-path=SCRIPTDIR source=lib/scenario.sh
source "$(dirname "$0")/lib/scenario.sh" "$@"

# refused_run FOLDER: runs the program in FOLDER, expects the message box instead of a page
# and confirms it with Return.
refused_run() {
  local box
  start_program "$1"
  box=$(wait_for_window "$MESSAGE_BOX") || fail "no message box appeared"
  [ -z "$(visible_windows "$CATEGORY_PAGE")" ] || fail "a page was shown beside the message box"
  press_key "$box" Return
  end_program
}

# expect_nothing_written POSITION_FILE WHY: a run folder with the sample categories and the given
# position file ("" for none); after a refused run, recorded.asc is not there, every category
# file is as it was, and standard error says WHY of the position file.
expect_nothing_written() {
  local source="$E2E_ROOT/sample/pois" folder
  folder=$(run_folder run)
  make_run_folder "$folder" "$E2E_PROGRAM" "$source" "$1"
  refused_run "$folder"
  expect_no_file "$folder/pois/recorded.asc" "a run without a fix"
  expect_others_unchanged "$source" "$folder/pois"
  grep -qxF "poirecorder: no valid GPS fix: the position file \"$folder/Documents/QXPosition.txt\" $2" \
    "$folder/program.log" || fail "standard error does not say that the position file $2"
}

no_position_file() {
  expect_nothing_written "" "is missing"
}

# Only the value "1" makes a fix valid; the coordinates alone do not.
fix_not_valid() {
  printf '%s\n' "Lat = 48.137240" "Lon = 11.575860" "Course = 245.7" "Valid = 10" \
    >"$SCENARIO_FOLDER/QXPosition.txt"
  expect_nothing_written "$SCENARIO_FOLDER/QXPosition.txt" 'has no line "Valid = 1"'
}

run_scenario "no position file: the message, nothing written" no_position_file
run_scenario "a fix that is not valid: the message, nothing written" fix_not_valid
finish
