#!/usr/bin/env bash
# End to end: where a window manager runs, every page asks it for full screen and covers the
# whole screen; on a bare X server a page covers all but the bottom 11 pixels, at 0, 0.
# shellcheck source-path=SCRIPTDIR source=lib/scenario.sh
source "$(dirname "$0")/lib/scenario.sh" "$@"

# pages_cover bare|managed: a run on the sample data whose category page and insert page
# (key 2) lie at 0, 0 above the bottom 11 pixels of a bare X server, or cover the whole screen
# of a window manager and ask it for full screen; Escape ends it. The window manager gets a
# server of its own, so that it leaves no trace for the other scenario.
pages_cover() {
  local geometry="0 0 $DISPLAY_WIDTH $((DISPLAY_HEIGHT - 11))" full_screen=no insert id asked
  if [ "$1" = managed ]; then
    display_start
    start_window_manager || fail "the window manager did not start"
    geometry="0 0 $DISPLAY_WIDTH $DISPLAY_HEIGHT" full_screen=yes
  fi
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

run_scenario "a bare X server: the bottom 11 pixels stay free" pages_cover bare
run_scenario "a window manager: the pages fill the screen" pages_cover managed
finish
