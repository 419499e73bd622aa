#!/usr/bin/env bash
# End to end: one press files a POI without a window, where no display is, with exactly the
# bytes the insert page writes, and the fallback record after it; without a fix or with an
# unknown category it writes nothing, says why on standard error and ends with 1.
# shellcheck source-path=SCRIPTDIR source=lib/scenario.sh
source "$(dirname "$0")/lib/scenario.sh" "$@"

readonly SAMPLE_POIS="$E2E_ROOT/sample/pois"

# One press per row: the category as typed, the placement, the exit status, the category file
# it writes to (none: nothing may change) and the line on standard error.
one_press_table() {
  local position="$E2E_ROOT/sample/Documents/QXPosition.txt" typed placement status file why moved got
  read_fix "$position"
  RUN=$(run_folder run)
  while IFS='|' read -r typed placement status file why; do
    make_run_folder "$RUN" "$E2E_PROGRAM" "$SAMPLE_POIS" "$position"
    why=${why//FOLDER/$RUN}
    [[ $why == "no valid GPS fix"* ]] && rm "$RUN/Documents/QXPosition.txt"
    # The program with no display; the record's time must lie between RUN_STARTED and RUN_ENDED.
    RUN_STARTED=$(date +%s) got=0
    env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_DATA_HOME HOME="$RUN" XDG_CONFIG_HOME="$RUN/config" \
      "$RUN/poirecorder" --category "$typed" "--$placement" >"$RUN/program.log" 2>&1 || got=$?
    RUN_ENDED=$(date +%s)
    [ "$got" = "$status" ] || fail "$typed --$placement ended with $got"
    # Standard error holds the program's reason alone: no lines of the sound library.
    [ "$(cat "$RUN/program.log")" = "${why:+poirecorder: $why}" ] ||
      fail "$typed --$placement: standard error is not \"$why\""
    if [ -z "$file" ]; then
      expect_others_unchanged "$SAMPLE_POIS" "$RUN/pois"
      continue
    fi
    expect_fallback ""
    case "$placement" in
      left) moved=$(beside_street "$LON" "$LAT" "$COURSE" -90) ;;
      right) moved=$(beside_street "$LON" "$LAT" "$COURSE" 90) ;;
      exact) moved="$LON $LAT" ;;
    esac
    # shellcheck disable=SC2086
    expect_record "$RUN/pois/$file" "$SAMPLE_POIS/$file" $moved
    expect_others_unchanged "$SAMPLE_POIS" "$RUN/pois" "$file" recorded.asc
  done <<'ROWS'
blitzer|left|0|Blitzer.asc|
Aussicht 360 |exact|0|Aussicht 360°.asc|
MUSEUM|right|0|Museum.asc|
Blitz|left|1||no category "Blitz" in "FOLDER/pois/"
Blitzer|right|1||no valid GPS fix: the position file "FOLDER/Documents/QXPosition.txt" is missing
ROWS
}

run_scenario "one press: each placement, an unknown category, no fix" one_press_table
finish
