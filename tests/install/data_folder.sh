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

installed_first_and_second_start() {
  local home pois
  home=$(run_folder home)
  pois="$home/.local/share/poi-recorder/pois"
  # A home with the documents folder and the sample fix, and no program beside it.
  make_run_folder "$home" "$PROGRAM" "" "$POSITION"
  rm -r "$home/poirecorder" "$home/pois"
  read_fix "$POSITION"
  # Cancel ends the run with the fallback record. That later starts leave the user's folder as
  # it is, the seeding's own test shows.
  RUN_STARTED=$(date +%s)
  start_program "$home" "$PROGRAM"
  PAGE=$(open_page "$CATEGORY_PAGE") || fail "the category page did not appear"
  press "$PAGE" "$PAGE_CANCEL"
  end_program
  expect_others_unchanged "$INSTALLED_POIS" "$pois" recorded.asc
  expect_fallback "" "$pois/recorded.asc"
  [ ! -e "$INSTALLED_POIS/recorded.asc" ] || fail "a run of the installed program wrote into the installed tree"
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
  [ ! -e "$folder/pois" ] && [ ! -e "$folder/.local" ] || fail "a portable copy's run made pois/ or .local/"
}

run_scenario "installed: the first start fills the user's folder" \
  installed_first_and_second_start
run_scenario "a portable copy without categories reports the failed write" \
  portable_copy_without_categories
finish
