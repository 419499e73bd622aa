#!/usr/bin/env bash
# End to end: where a window manager runs, every page asks it for full screen and covers the
# whole screen; on a bare X server a page covers all but the bottom 11 pixels, at 0, 0.
# shellcheck source-path=SCRIPTDIR source=lib/scenario.sh
source "$(dirname "$0")/lib/scenario.sh" "$@"

# pages_cover GEOMETRY FULL_SCREEN: a run on the sample data whose category page and insert
# page (key 2) lie at GEOMETRY ("x y width height") and ask for full screen or not (yes / no);
# Escape ends it.
pages_cover() {
  local geometry=$1 full_screen=$2 insert id asked
  start_run "$E2E_ROOT/sample/pois" "$E2E_ROOT/sample/Documents/QXPosition.txt"
  press_key "$PAGE" "$(slot_key 1)"
  insert=$(open_page "$INSERT_PAGE") || fail "the insert page did not appear"
  for id in "$PAGE" "$insert"; do
    [ "$(window_geometry "$id")" = "$geometry" ] ||
      fail "a page lies at $(window_geometry "$id"), not at $geometry"
    if window_full_screen "$id"; then asked=yes; else asked=no; fi
    [ "$asked" = "$full_screen" ] || fail "a page asked for full screen: $asked, not $full_screen"
  done
  press_key "$insert" Escape
  end_program
}

bare_display() {
  pages_cover "0 0 $DISPLAY_WIDTH $((DISPLAY_HEIGHT - 11))" no
}

# A server of its own, so that the window manager leaves no trace for the other scenario.
with_a_window_manager() {
  display_start
  start_window_manager || fail "the window manager did not start"
  pages_cover "0 0 $DISPLAY_WIDTH $DISPLAY_HEIGHT" yes
}

run_scenario "a bare X server: the bottom 11 pixels stay free" bare_display
run_scenario "a window manager: the pages fill the screen" with_a_window_manager
finish
