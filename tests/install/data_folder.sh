#!/usr/bin/env bash
# Where the categories live: an installed program (run from a temporary installed tree, with
# its home in the scenario's folder) keeps them in the user's data folder, which its first
# start fills with the installed samples and later starts leave as they are; a portable copy
# of the same program without them reports the failed write (the end-to-end runs are portable
# copies with their categories).
# shellcheck source-path=SCRIPTDIR source=lib/install.sh
source "$(dirname "$0")/lib/install.sh" "$@"

installed=$(mktemp -d "${TMPDIR:-/tmp}/poi-installed.XXXXXX")
install_tree "$installed" || { rm -rf "$installed"; install_fail "cmake --install failed"; }
readonly PROGRAM="$installed/usr/bin/poirecorder"
readonly INSTALLED_POIS="$installed/usr/share/poi-recorder/pois"
# shellcheck source=../e2e/lib/scenario.sh
source "$INSTALL_ROOT/tests/e2e/lib/scenario.sh" "$PROGRAM"
on_exit "rm -rf '$installed'"

readonly POSITION="$E2E_ROOT/sample/Documents/QXPosition.txt"

# installed_run HOME: the installed program with HOME as its home and the sample fix, ended by
# Cancel, which writes the fallback record.
installed_run() {
  start_timed_program "$1" "$PROGRAM"
  PAGE=$(open_page "$CATEGORY_PAGE") || fail "the category page did not appear"
  cancel_run
}

installed_first_and_second_start() {
  local home pois
  home=$(run_folder home)
  pois="$home/.local/share/poi-recorder/pois"
  # A home with the documents folder and the sample fix, and no program beside it.
  make_run_folder "$home" "$PROGRAM" "" "$POSITION"
  rm -r "$home/poirecorder" "$home/pois"
  read_fix "$POSITION"
  installed_run "$home"
  expect_others_unchanged "$INSTALLED_POIS" "$pois" recorded.asc
  expect_fallback "" "$pois/recorded.asc"
  expect_no_file "$INSTALLED_POIS/recorded.asc" "a run of the installed program"

  # The user's own changes stay: a sample removed is not brought back, a category of their
  # own is kept, and the record is added to the earlier one.
  rm "$pois/Apotheke.asc" "$pois/Apotheke.bmp"
  printf '\n11.5800000, 48.1400000, "Eigener Ort"' >"$pois/Eigene.asc"
  cp -R "$pois" "$SCENARIO_FOLDER/before"
  installed_run "$home"
  expect_others_unchanged "$SCENARIO_FOLDER/before" "$pois" recorded.asc
  expect_fallback "$SCENARIO_FOLDER/before/recorded.asc" "$pois/recorded.asc"
}

portable_copy_without_categories() {
  local folder box
  folder=$(run_folder portable)
  make_run_folder "$folder" "$PROGRAM" "" "$POSITION"
  rm -r "$folder/pois"
  start_program "$folder"
  PAGE=$(open_page "$CATEGORY_PAGE") || fail "the category page did not appear"
  press "$PAGE" "$PAGE_CANCEL"
  box=$(wait_for_window "$MESSAGE_BOX") || fail "the failed write was not reported"
  press_key "$box" Return
  end_program
  expect_no_file "$folder/pois" "a portable copy's run without its categories"
  expect_no_file "$folder/.local" "a portable copy's run"
}

run_scenario "installed: the first start fills the user's folder, the second keeps it" \
  installed_first_and_second_start
run_scenario "a portable copy without categories reports the failed write" \
  portable_copy_without_categories
finish
