#!/usr/bin/env bash
# End to end: with a valid fix, "Cancel" on the category page ends the run and the fallback
# record lands in pois/recorded.asc, to the byte; the category files stay as they were. Return
# on the untouched page ends the run without a record.
# shellcheck source-path=SCRIPTDIR source=lib/scenario.sh
source "$(dirname "$0")/lib/scenario.sh" "$@"

readonly SAMPLE_POIS="$E2E_ROOT/sample/pois" SAMPLE_POSITION="$E2E_ROOT/sample/Documents/QXPosition.txt"

# The record holds the position file's coordinates, converted to millionths and written back
# with seven and five decimals, and the run's date and time.
sample_fix_cancelled() {
  start_run "$SAMPLE_POIS" "$SAMPLE_POSITION"
  cancel_run
  expect_fallback ""
  expect_others_unchanged "$SAMPLE_POIS" "$RUN/pois" recorded.asc
  expect_no_file "$RUN/.local" "a portable copy's run"  # its categories are beside it
}

# Return on the category page before any button has the focus is the page's OK: the run ends
# without the fallback record, and nothing is written.
return_on_the_untouched_page() {
  start_run "$SAMPLE_POIS" "$SAMPLE_POSITION"
  press_key "$PAGE" Return
  end_program
  expect_no_file "$RUN/pois/recorded.asc" "a run ended by Return"
  expect_others_unchanged "$SAMPLE_POIS" "$RUN/pois"
}

run_scenario "a valid fix, then Cancel: the fallback record" sample_fix_cancelled
run_scenario "Return on the untouched category page: no record" return_on_the_untouched_page
finish
