# shellcheck shell=bash
# The frame of an end-to-end test: CTest runs a script with the built program's path as its
# argument; the script defines scenarios as functions and runs each with run_scenario, in its
# own temporary folder, on one virtual X server of handheld size. A failed scenario says why,
# shows what the program printed and keeps its folder (with a screenshot) for a look; the
# script ends non-zero when any scenario failed, and with 77 (skipped) when it skips itself.
set -euo pipefail

if [ $# -lt 1 ] || [ ! -x "$1" ]; then
  echo "usage: $0 PATH-OF-THE-BUILT-PROGRAM" >&2
  exit 2
fi
E2E_PROGRAM=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
E2E_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
# shellcheck disable=SC2034  # read by the scripts that source this file
readonly E2E_PROGRAM E2E_ROOT
readonly E2E_SKIPPED=77

# shellcheck source=../../../scripts/lib/display.sh
source "$E2E_ROOT/scripts/lib/display.sh"
# shellcheck source=expected.sh
source "$E2E_ROOT/tests/e2e/lib/expected.sh"
# shellcheck source=../../../scripts/lib/pages.sh
source "$E2E_ROOT/scripts/lib/pages.sh"

e2e_passed=0
e2e_failed=0
e2e_display=""

# skip_all REASON: the whole script has nothing to run yet.
skip_all() {
  echo "SKIPPED: $*"
  exit "$E2E_SKIPPED"
}

# run_scenario NAME FUNCTION: runs FUNCTION in a subshell with SCENARIO (its name) and
# SCENARIO_FOLDER (a new empty temporary folder) set, on the script's X server.
run_scenario() {
  local name=$1 function=$2 folder status
  # Always a server of our own, also on a desktop: the clicks rely on the handheld's screen.
  if [ -z "$e2e_display" ]; then
    display_start
    e2e_display=$DISPLAY
  fi
  folder=$(mktemp -d "${TMPDIR:-/tmp}/poi-e2e.XXXXXX")
  set +e
  (
    set -e
    SCENARIO=$name
    SCENARIO_FOLDER=$folder
    # The scenario's own exit actions stop its program; the X server belongs to the script.
    display_exit_actions=()
    PROGRAM_PID=""
    trap - EXIT
    "$function"
  )
  status=$?
  set -e
  if [ "$status" -eq 0 ]; then
    echo "PASS: $name"
    e2e_passed=$((e2e_passed + 1))
    rm -rf "$folder"
  else
    echo "FAIL: $name (its files are kept in $folder)"
    e2e_failed=$((e2e_failed + 1))
  fi
}

# finish: the script's verdict.
finish() {
  echo "$e2e_passed passed, $e2e_failed failed"
  [ "$e2e_failed" -eq 0 ]
}

# fail MESSAGE: ends the running scenario as failed, with the screen and the program's output.
fail() {
  echo "FAIL [$SCENARIO]: $*" >&2
  if [ -n "${DISPLAY:-}" ]; then
    screenshot "$SCENARIO_FOLDER/failure.png" 2>/dev/null &&
      echo "  the screen at the failure: $SCENARIO_FOLDER/failure.png" >&2
  fi
  local log
  for log in "$SCENARIO_FOLDER"/*/program.log; do
    if [ -s "$log" ]; then
      echo "  the program printed ($log):" >&2
      sed 's/^/    /' "$log" >&2
    fi
  done
  exit 1
}

# run_folder NAME: the path of a run folder inside the scenario's folder.
run_folder() { echo "$SCENARIO_FOLDER/$1"; }

# write_position_file FILE LINE...: a position file with the given lines.
write_position_file() {
  local file=$1
  shift
  printf '%s\n' "$@" >"$file"
}

# start_timed_program FOLDER [PROGRAM]: starts the program as start_program does and notes the
# time (seconds since the epoch) in RUN_STARTED; the record's time must lie between it and
# RUN_ENDED.
start_timed_program() {
  RUN_STARTED=$(date +%s)
  start_program "$@"
}

# end_program: waits for the program to end, expects exit status 0, sets RUN_ENDED.
end_program() {
  wait_for_program_end || fail "the program did not end"
  RUN_ENDED=$(date +%s)
  [ "$PROGRAM_STATUS" = 0 ] || fail "the program ended with status $PROGRAM_STATUS"
}

# open_page TITLE: waits for the page with the window title (CATEGORY_PAGE, INSERT_PAGE or
# DELETE_PAGE) and for it to be drawn; prints its window id.
open_page() {
  local id
  id=$(wait_for_window "$1") || return 1
  wait_until_painted || return 1
  echo "$id"
}

# recorded_time FILE: the "dd.MM.yy HH:mm:ss" of the last record name in the file.
recorded_time() {
  LC_ALL=C grep -ao 'Quillon RECORD ([0-9][0-9]\.[0-9][0-9]\.[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9])' "$1" |
    tail -n 1 | sed 's/^Quillon RECORD (//; s/)$//'
}

# run_time FILE: the run's record time read from FILE (its last record), after checking that it lies between
# RUN_STARTED and RUN_ENDED (local time, whole seconds).
run_time() {
  local file=$1 text seconds
  text=$(recorded_time "$file")
  [ -n "$text" ] || fail "$file holds no record name with a date and time"
  # dd.MM.yy HH:mm:ss -> 20yy-MM-dd HH:mm:ss
  seconds=$(date -d "20${text:6:2}-${text:3:2}-${text:0:2} ${text:9}" +%s) ||
    fail "the record's time \"$text\" is not a date"
  if ((seconds < RUN_STARTED || seconds > RUN_ENDED)); then
    fail "the record's time \"$text\" lies outside the run ($(date -d "@$RUN_STARTED" '+%d.%m.%y %T') to $(date -d "@$RUN_ENDED" '+%d.%m.%y %T'))"
  fi
  echo "$text"
}

# expect_bytes FILE EXPECTED DESCRIPTION: FILE holds exactly the bytes of the file EXPECTED.
expect_bytes() {
  local file=$1 expected=$2 description=$3
  [ -f "$file" ] || fail "$description: $file does not exist"
  if ! cmp -s "$file" "$expected"; then
    echo "  $description: $file differs; expected:" >&2
    od -c "$expected" | sed 's/^/    /' >&2
    echo "  found:" >&2
    od -c "$file" | sed 's/^/    /' >&2
    fail "$description: wrong bytes"
  fi
}

expect_no_file() {
  [ ! -e "$1" ] || fail "$2: $1 exists"
}

# expect_others_unchanged SOURCE POIS NAME...: every file of the run's "pois" folder except the
# named ones is byte for byte its copy in SOURCE, and none is missing or new.
expect_others_unchanged() {
  local source=$1 pois=$2 file name
  shift 2
  for file in "$source"/* "$pois"/*; do
    [ -e "$file" ] || continue
    name=$(basename "$file")
    if [ $# -gt 0 ] && printf '%s\n' "$@" | grep -qxF -- "$name"; then continue; fi
    [ -e "$source/$name" ] || fail "the run made a new file pois/$name"
    [ -e "$pois/$name" ] || fail "pois/$name is gone"
    cmp -s "$source/$name" "$pois/$name" || fail "pois/$name was changed"
  done
}
