#!/usr/bin/env bash
# End to end: without a valid fix the program shows "Missing GPS-Signal !" in a message box
# instead of the category page, ends when it is confirmed, writes nothing, and says why on
# standard error. Which files give a valid fix is the position file's own test.
# shellcheck source-path=SCRIPTDIR source=lib/scenario.sh
source "$(dirname "$0")/lib/scenario.sh" "$@"

no_position_file() {
  local source="$E2E_ROOT/sample/pois" folder box
  folder=$(run_folder run)
  make_run_folder "$folder" "$E2E_PROGRAM" "$source" ""
  start_program "$folder"
  box=$(wait_for_window "$MESSAGE_BOX") || fail "no message box appeared"
  [ -z "$(visible_windows "$CATEGORY_PAGE")" ] || fail "a page was shown beside the message box"
  press_key "$box" Return
  end_program
  expect_no_file "$folder/pois/recorded.asc" "a run without a fix"
  expect_others_unchanged "$source" "$folder/pois"
  grep -qxF "poirecorder: no valid GPS fix: the position file \"$folder/Documents/QXPosition.txt\" is missing" \
    "$folder/program.log" || fail "standard error does not say that the position file is missing"
  ! grep -q '^ALSA lib' "$folder/program.log" || fail "the sound library wrote to standard error"
}

run_scenario "no position file: the message, nothing written" no_position_file
finish
