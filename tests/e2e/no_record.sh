#!/usr/bin/env bash
# End to end: runs that write nothing. Return on the untouched category page is the page's OK;
# without a valid fix the program shows "Missing GPS-Signal !" in a message box instead of the
# category page, ends when it is confirmed and says why on standard error. Which files give a
# valid fix is the position file's own test; Cancel's fallback record is checked by every run
# that files or deletes a POI.
# shellcheck source-path=SCRIPTDIR source=lib/scenario.sh
source "$(dirname "$0")/lib/scenario.sh" "$@"

readonly SAMPLE_POIS="$E2E_ROOT/sample/pois"

return_on_the_untouched_page() {
  start_run "$SAMPLE_POIS" "$E2E_ROOT/sample/Documents/QXPosition.txt"
  press_key "$PAGE" Return
  end_program
  expect_others_unchanged "$SAMPLE_POIS" "$RUN/pois"
}

no_position_file() {
  local folder box
  folder=$(run_folder run)
  make_run_folder "$folder" "$E2E_PROGRAM" "$SAMPLE_POIS" ""
  start_program "$folder"
  box=$(wait_for_window "$MESSAGE_BOX") || fail "no message box appeared"
  [ -z "$(visible_windows "$CATEGORY_PAGE")" ] || fail "a page was shown beside the message box"
  press_key "$box" Return
  end_program
  expect_others_unchanged "$SAMPLE_POIS" "$folder/pois"
  grep -qxF "poirecorder: no valid GPS fix: the position file \"$folder/Documents/QXPosition.txt\" is missing" \
    "$folder/program.log" || fail "standard error does not say that the position file is missing"
  ! grep -q '^ALSA lib' "$folder/program.log" || fail "the sound library wrote to standard error"
}

run_scenario "Return on the untouched category page: no record" return_on_the_untouched_page
run_scenario "no position file: the message, nothing written" no_position_file
finish
