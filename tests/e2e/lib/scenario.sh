# shellcheck shell=bash
# The frame of an end-to-end test: CTest runs a script with the built program's path as its
# argument; the script defines scenarios as functions and runs each with run_scenario, in its
# own temporary folder, on one virtual X server of handheld size. A failed scenario says why,
# shows what the program printed and keeps its folder (with a screenshot) for a look; the
# script ends non-zero when any scenario failed.
set -euo pipefail

if [ $# -lt 1 ] || [ ! -x "$1" ]; then
  echo "usage: $0 PATH-OF-THE-BUILT-PROGRAM" >&2
  exit 2
fi
E2E_PROGRAM=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
E2E_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
# shellcheck disable=SC2034  # read by the scripts that source this file
readonly E2E_PROGRAM E2E_ROOT

# shellcheck source=../../../scripts/lib/display.sh
source "$E2E_ROOT/scripts/lib/display.sh"
# shellcheck source=expected.sh
source "$E2E_ROOT/tests/e2e/lib/expected.sh"
# shellcheck source=../../../scripts/lib/pages.sh
source "$E2E_ROOT/scripts/lib/pages.sh"

e2e_passed=0
e2e_failed=0
e2e_display=""

# run_scenario NAME FUNCTION [ARGUMENT...]: runs FUNCTION in a subshell with SCENARIO (its
# name) and SCENARIO_FOLDER (a new empty temporary folder) set, on the script's X server.
run_scenario() {
  local name=$1 folder status
  shift
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
    "$@"
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

# fail MESSAGE: ends the running scenario as failed, with what the program printed; the screen
# is kept as failure.png.
fail() {
  echo "FAIL [$SCENARIO]: $*" >&2
  [ -z "${DISPLAY:-}" ] || screenshot "$SCENARIO_FOLDER/failure.png" 2>/dev/null || true
  tail -n +1 "$SCENARIO_FOLDER"/*/program.log >&2 2>/dev/null || true
  exit 1
}

# run_folder NAME: the path of a run folder inside the scenario's folder.
run_folder() { echo "$SCENARIO_FOLDER/$1"; }

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

# start_run SOURCE POSITION: a copy of the built program started in the run folder RUN with
# the categories of SOURCE and the position file POSITION, at RUN_STARTED (the record's time
# must lie between it and RUN_ENDED); PAGE is the category page once drawn, LON, LAT and
# COURSE the fix.
start_run() {
  RUN=$(run_folder run)
  make_run_folder "$RUN" "$E2E_PROGRAM" "$1" "$2"
  read_fix "$2"
  RUN_STARTED=$(date +%s)
  start_program "$RUN"
  PAGE=$(open_page "$CATEGORY_PAGE") || fail "the category page did not appear"
}

# expect_bytes FILE EXPECTED DESCRIPTION: FILE holds exactly the bytes of the file EXPECTED.
expect_bytes() {
  local file=$1 expected=$2 description=$3
  [ -f "$file" ] || fail "$description: $file does not exist"
  diff <(od -c "$expected") <(od -c "$file") >&2 || fail "$description: wrong bytes (< expected, > found)"
}

# expect_fallback EARLIER [RECORDED]: RECORDED (the run's recorded.asc) holds the file EARLIER
# ("" for none) and then the fallback record of the fix; sets NAME, the run's record name, whose
# "dd.MM.yy HH:mm:ss" must lie between RUN_STARTED and RUN_ENDED (local time, whole seconds).
expect_fallback() {
  local recorded=${2:-$RUN/pois/recorded.asc} text seconds
  text=$(LC_ALL=C grep -ao 'Quillon RECORD ([0-9][0-9]\.[0-9][0-9]\.[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9])' "$recorded" |
    tail -n 1 | sed 's/^Quillon RECORD (//; s/)$//') || fail "$recorded holds no record name with a date and time"
  # dd.MM.yy HH:mm:ss -> 20yy-MM-dd HH:mm:ss
  seconds=$(date -d "20${text:6:2}-${text:3:2}-${text:0:2} ${text:9}" +%s) ||
    fail "the record's time \"$text\" is not a date"
  ((seconds >= RUN_STARTED && seconds <= RUN_ENDED)) ||
    fail "the record's time \"$text\" lies outside the run ($(date -d "@$RUN_STARTED") to $(date -d "@$RUN_ENDED"))"
  NAME="Quillon RECORD ($text)"
  expect_record "$recorded" "$1" "$LON" "$LAT" '\n' # the fallback record ends with a line break
}

# expect_record FILE EARLIER LON LAT [END]: FILE holds the file EARLIER ("" for none), then one
# record at LON, LAT named NAME, then END (printf escapes).
expect_record() {
  local expected="$SCENARIO_FOLDER/expected"
  # shellcheck disable=SC2059  # the escapes are meant
  { [ -z "$2" ] || cat "$2"; record_text "$3" "$4" "$NAME" && printf "${5:-}"; } >"$expected"
  expect_bytes "$1" "$expected" "the record in ${1##*/}"
}

# expect_others_unchanged SOURCE POIS NAME...: every file of the run's "pois" folder except the
# named ones is byte for byte its copy in SOURCE, and none is missing or new (such as a record).
expect_others_unchanged() {
  local source=$1 pois=$2 name excluded=()
  shift 2
  for name in "$@"; do excluded+=(-x "$name"); done
  diff -r "${excluded[@]}" "$source" "$pois" >&2 || fail "the run changed other files of pois/"
}
