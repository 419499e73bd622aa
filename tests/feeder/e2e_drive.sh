#!/usr/bin/env bash
# End to end with the real gpsd: a drive (tests/data/drive.nmea) is sent to a gpsd of the
# test's own, one second of GGA and RMC at a time, as UDP datagrams to 127.0.0.1, and the real
# poirecorder-gpsd keeps a position file from it. The file must follow the drive to 7 decimals,
# keep the last course while the car stands, say Valid = 0 in the tunnel, after a silence
# longer than --stale-after, while gpsd is away and after SIGTERM; and the recorder, started on
# that file, must record at the drive's position.
#
# Usage: e2e_drive.sh PATH-OF-THE-BUILT-RECORDER PATH-OF-THE-BUILT-FEEDER
# shellcheck source-path=SCRIPTDIR source=../e2e/lib/scenario.sh
source "$(dirname "$0")/../e2e/lib/scenario.sh" "$1"

if [ $# -lt 2 ] || [ ! -x "$2" ]; then
  echo "usage: $0 RECORDER FEEDER" >&2
  exit 2
fi
FEEDER=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
readonly FEEDER
readonly DRIVE="$E2E_ROOT/tests/data/drive.nmea"
readonly SAMPLE_POIS="$E2E_ROOT/sample/pois"

if ! command -v gpsd >/dev/null; then
  echo "gpsd is not installed; scripts/install-deps.sh installs it" >&2
  exit 1
fi

# --- gpsd and the feeder --------------------------------------------------------------------

# port_in_use tcp|udp PORT: whether a socket of this machine has the local port.
port_in_use() {
  local hex
  hex=$(printf '%04X' "$2")
  cat "/proc/net/$1" "/proc/net/${1}6" 2>/dev/null | awk -v port=":$hex" '$2 ~ port "$" { found = 1 }
    END { exit !found }'
}

# free_port tcp|udp: a port that no socket has now.
free_port() {
  local port
  while :; do
    port=$((20000 + RANDOM % 40000))
    port_in_use "$1" "$port" || break
  done
  echo "$port"
}

# start_gpsd: starts gpsd in the foreground, listening for clients on 127.0.0.1:GPSD_PORT and
# reading NMEA from UDP datagrams to 127.0.0.1:NMEA_PORT; picks both ports when they are not
# set yet (a restart keeps them). Waits until gpsd takes connections; sets GPSD_PID.
start_gpsd() {
  local attempt deadline
  for attempt in 1 2 3 4 5; do
    if [ -z "${GPSD_FIXED_PORTS:-}" ]; then
      GPSD_PORT=$(free_port tcp)
      NMEA_PORT=$(free_port udp)
    fi
    # -N foreground, -n read the source before any client asks, -b never write to it.
    gpsd -N -n -b -S "$GPSD_PORT" -F "$SCENARIO_FOLDER/gpsd.sock" \
      "udp://127.0.0.1:$NMEA_PORT" >>"$SCENARIO_FOLDER/gpsd.log" 2>&1 &
    GPSD_PID=$!
    on_exit "stop_process $GPSD_PID"
    deadline=$((SECONDS + DISPLAY_WAIT_SECONDS))
    while kill -0 "$GPSD_PID" 2>/dev/null && ((SECONDS < deadline)); do
      if (exec 3<>"/dev/tcp/127.0.0.1/$GPSD_PORT") 2>/dev/null; then return 0; fi
      sleep 0.1
    done
    stop_process "$GPSD_PID"
    [ -z "${GPSD_FIXED_PORTS:-}" ] || break
    echo "gpsd did not start on port $GPSD_PORT (attempt $attempt); trying other ports" >&2
  done
  fail "gpsd did not start; its log: $(cat "$SCENARIO_FOLDER/gpsd.log")"
}

# start_feeder FILE STALE_AFTER: starts poirecorder-gpsd on FILE for the gpsd at GPSD_PORT;
# sets FEEDER_PID. Its messages go to feeder.log.
start_feeder() {
  "$FEEDER" --port "$GPSD_PORT" --file "$1" --stale-after "$2" \
    2>>"$SCENARIO_FOLDER/feeder.log" &
  FEEDER_PID=$!
  on_exit "stop_process $FEEDER_PID"
}

# stop_feeder: SIGTERM, then the feeder's exit status must be 0.
stop_feeder() {
  local status=0
  kill -TERM "$FEEDER_PID"
  wait "$FEEDER_PID" || status=$?
  [ "$status" -eq 0 ] || fail "the feeder ended with status $status after SIGTERM"
}

# --- the drive ------------------------------------------------------------------------------

# drive_seconds: one line for each second of the drive: its sentences, then "|", then what the
# position file must say afterwards, worked out here from the RMC sentence: its position in
# degrees with 7 decimals, its course with 1 (the last one while it gives none), and Valid = 1
# for the status A. Line breaks are written as \r\n and \n for printf %b.
drive_seconds() {
  e2e_awk -F, '
    function degrees(value, hemisphere, width,   d) {
      d = substr(value, 1, width) + substr(value, width + 1) / 60
      return (hemisphere == "S" || hemisphere == "W") ? -d : d
    }
    function flush() {
      if (sentences == "") return
      printf "%s|Lat = %.7f\\nLon = %.7f\\nCourse = %.1f\\nValid = %d\\n\n", sentences, lat, lon, course, valid
      sentences = ""
    }
    /^#/ { next }
    { sub(/\r$/, "") }
    $2 != time { flush(); time = $2 }
    { sentences = sentences $0 "\\r\\n" }
    $1 ~ /RMC$/ {
      valid = ($3 == "A")
      if (valid) { lat = degrees($4, $5, 2); lon = degrees($6, $7, 3) }
      if (valid && $9 != "") course = $9
    }
    END { flush() }' "$DRIVE"
}

# send SENTENCES: one datagram to gpsd's NMEA port (\r\n escapes as in drive_seconds). A
# datagram that finds no reader is lost, as from a receiver that nobody listens to.
send() {
  # shellcheck disable=SC2059  # the escapes are meant
  printf "$1" 2>/dev/null >"/dev/udp/127.0.0.1/$NMEA_PORT" || true
}

# file_says FILE TEXT: whether FILE holds exactly TEXT (\n escapes).
file_says() {
  printf '%b' "$2" >"$SCENARIO_FOLDER/expected"
  cmp -s "$1" "$SCENARIO_FOLDER/expected"
}

# not_said FILE DESCRIPTION: ends the scenario, showing what the file says instead.
not_said() {
  echo "  expected:" >&2
  od -c "$SCENARIO_FOLDER/expected" | sed 's/^/    /' >&2
  echo "  found:" >&2
  od -c "$1" 2>&1 | sed 's/^/    /' >&2
  echo "  the feeder printed:" >&2
  sed 's/^/    /' "$SCENARIO_FOLDER/feeder.log" >&2
  fail "$2: the position file did not say so within ${DISPLAY_WAIT_SECONDS} s"
}

# wait_for_text FILE TEXT DESCRIPTION: waits until FILE holds exactly TEXT.
wait_for_text() {
  local deadline=$((SECONDS + DISPLAY_WAIT_SECONDS))
  until file_says "$1" "$2"; do
    ((SECONDS < deadline)) || not_said "$1" "$3"
    sleep 0.05
  done
}

# send_until FILE SENTENCES TEXT DESCRIPTION: sends the sentences every half second until FILE
# holds TEXT. A report that gpsd sends before the feeder has asked for reports is not sent to
# it, so the first sentences after a (re)connection are sent until they arrive.
send_until() {
  local deadline=$((SECONDS + DISPLAY_WAIT_SECONDS)) i
  while :; do
    send "$2"
    for ((i = 0; i < 10; i++)); do
      file_says "$1" "$3" && return 0
      sleep 0.05
    done
    ((SECONDS < deadline)) || not_said "$1" "$4"
  done
}

# drive FILE: sends the drive second by second and checks the file after each. In the tunnel
# gpsd may send no report at all; the file then says Valid = 0 once the fix is stale.
drive() {
  local file=$1 second=0 sentences expected
  while IFS='|' read -r sentences expected; do
    if ((second == 0)); then
      send_until "$file" "$sentences" "$expected" "second 0 of the drive"
    else
      LAST_SENT=$EPOCHREALTIME
      send "$sentences"
      wait_for_text "$file" "$expected" "second $second of the drive"
    fi
    second=$((second + 1))
    LAST_SECOND=$sentences
    LAST_TEXT=$expected
  done < <(drive_seconds)
  [ "$second" -gt 20 ] || fail "the drive has only $second seconds"
}

# drive_to_the_end FILE: sends the whole drive at once and waits for the file to say where it
# ends.
drive_to_the_end() {
  local file=$1 sentences expected first=1
  while IFS='|' read -r sentences expected; do
    if ((first)); then
      send_until "$file" "$sentences" "$expected" "second 0 of the drive"
      first=0
    else
      send "$sentences"
    fi
    LAST_TEXT=$expected
  done < <(drive_seconds)
  wait_for_text "$file" "$LAST_TEXT" "the end of the drive"
}

# not_valid TEXT: the same text with Valid = 0.
not_valid() { printf '%s' "${1%Valid = 1\\n}Valid = 0\\n"; }

# start_poller FILE: reads the file again and again until stop_poller; every text read must
# be a whole position file with its four keys. A bad read is kept in poller.bad.
start_poller() {
  local file=$1 bad="$SCENARIO_FOLDER/poller.bad" pattern
  pattern='^Lat = -?[0-9]+\.[0-9]{7}'$'\n''Lon = -?[0-9]+\.[0-9]{7}'$'\n''Course = [0-9]+\.[0-9]'$'\n''Valid = [01]$'
  (
    reads=0
    while [ ! -e "$SCENARIO_FOLDER/poller.stop" ]; do
      text=$(<"$file") || text="(unreadable)"
      reads=$((reads + 1))
      [[ $text =~ $pattern ]] || printf '%s\n---\n' "$text" >>"$bad"
    done
    echo "$reads" >"$SCENARIO_FOLDER/poller.reads"
  ) &
  POLLER_PID=$!
  on_exit "touch '$SCENARIO_FOLDER/poller.stop'; stop_process $POLLER_PID"
}

stop_poller() {
  touch "$SCENARIO_FOLDER/poller.stop"
  wait "$POLLER_PID" || true
  [ ! -e "$SCENARIO_FOLDER/poller.bad" ] ||
    fail "a reader found a position file that was not whole: $(head -c 400 "$SCENARIO_FOLDER/poller.bad")"
  echo "  the reader read the file $(cat "$SCENARIO_FOLDER/poller.reads") times, always whole"
}

# expect_only_the_position_file FOLDER: no temporary file is left beside it.
expect_only_the_position_file() {
  local names
  names=$(ls -A "$1")
  [ "$names" = QXPosition.txt ] || fail "the folder holds more than the position file: $names"
}

# --- the scenarios --------------------------------------------------------------------------

# The file follows the drive; a reader polling it meanwhile always reads it whole. After a
# silence longer than --stale-after it says Valid = 0, and again after SIGTERM.
follows_the_drive() {
  local documents="$SCENARIO_FOLDER/Documents" file elapsed
  file="$documents/QXPosition.txt"
  mkdir -p "$documents"
  # What an earlier run that lost its power left behind: an old fix, still "valid".
  printf 'Lat = 47.5000000\nLon = 10.2500000\nCourse = 12.3\nValid = 1\n' >"$file"
  start_gpsd
  start_feeder "$file" 2
  wait_for_text "$file" 'Lat = 47.5000000\nLon = 10.2500000\nCourse = 12.0\nValid = 0\n' \
    "at the start, the old position is not valid"

  start_poller "$file"
  drive "$file"
  # The last report arrived after LAST_SENT, so Valid = 0 may come 2 s after it at the earliest.
  wait_for_text "$file" "$(not_valid "$LAST_TEXT")" "silence after the drive"
  elapsed=$(e2e_awk -v from="$LAST_SENT" -v to="$EPOCHREALTIME" 'BEGIN { printf "%.3f", to - from }')
  stop_poller
  e2e_awk -v elapsed="$elapsed" 'BEGIN { exit !(elapsed >= 2) }' ||
    fail "the fix was taken for stale after ${elapsed} s, before the 2 s of --stale-after"
  echo "  stale after ${elapsed} s of silence"

  send_until "$file" "$LAST_SECOND" "$LAST_TEXT" "a report after the silence"
  stop_feeder
  wait_for_text "$file" "$(not_valid "$LAST_TEXT")" "after SIGTERM"
  expect_only_the_position_file "$documents"
}

# Started before gpsd, the feeder waits for it; when gpsd goes away the file says Valid = 0
# at once (the stale time is long), and the feeder connects again when gpsd is back.
outlives_gpsd() {
  local documents="$SCENARIO_FOLDER/Documents" file first
  file="$documents/QXPosition.txt"
  mkdir -p "$documents"
  GPSD_PORT=$(free_port tcp)
  NMEA_PORT=$(free_port udp)
  GPSD_FIXED_PORTS=1
  start_feeder "$file" 600
  wait_for_text "$file" 'Lat = 0.0000000\nLon = 0.0000000\nCourse = 0.0\nValid = 0\n' \
    "no earlier file, no gpsd"

  start_gpsd
  first=$(drive_seconds | sed -n 1p)
  send_until "$file" "${first%%|*}" "${first#*|}" "the first report"
  stop_process "$GPSD_PID"
  wait_for_text "$file" "$(not_valid "${first#*|}")" "gpsd gone"

  start_gpsd
  send_until "$file" "${first%%|*}" "${first#*|}" "gpsd back"
  stop_feeder
  wait_for_text "$file" "$(not_valid "${first#*|}")" "after SIGTERM"

  local log="$SCENARIO_FOLDER/feeder.log"
  [ "$(grep -c 'cannot reach gpsd' "$log")" = 1 ] || fail "not one 'cannot reach': $(cat "$log")"
  [ "$(grep -c 'lost the connection' "$log")" = 1 ] || fail "not one 'lost': $(cat "$log")"
  [ "$(grep -c 'connected to gpsd' "$log")" = 2 ] || fail "not two 'connected': $(cat "$log")"
}

# The recorder, started while the feeder keeps the file, files its POI at the drive's end.
records_at_the_drive_position() {
  local folder file category page insert time name lon lat
  folder=$(run_folder run)
  make_run_folder "$folder" "$E2E_PROGRAM" "$SAMPLE_POIS"
  file="$folder/Documents/QXPosition.txt"
  start_gpsd
  # The car stands at the end of the drive while the recording is made: no stale time here.
  start_feeder "$file" 600
  drive_to_the_end "$file"

  printf '%b' "$LAST_TEXT" >"$SCENARIO_FOLDER/end-of-drive.txt"
  lon=$(micro_degrees "$(position_value "$SCENARIO_FOLDER/end-of-drive.txt" Lon)")
  lat=$(micro_degrees "$(position_value "$SCENARIO_FOLDER/end-of-drive.txt" Lat)")
  category=$(category_names "$SAMPLE_POIS" | sed -n 1p)

  start_timed_program "$folder"
  page=$(open_page "$CATEGORY_PAGE") || fail "the category page did not appear"
  press_slot "$page" 1
  insert=$(open_page "$INSERT_PAGE") || fail "the insert page for $category did not appear"
  press "$insert" "$INSERT_EXACT"
  end_program

  time=$(run_time "$folder/pois/recorded.asc")
  name=$(record_name "$time")
  cp "$SAMPLE_POIS/$category.asc" "$SCENARIO_FOLDER/expected-category"
  record_text "$lon" "$lat" "$name" >>"$SCENARIO_FOLDER/expected-category"
  expect_bytes "$folder/pois/$category.asc" "$SCENARIO_FOLDER/expected-category" \
    "the record in $category.asc at the end of the drive"
  stop_feeder
}

run_scenario "the file follows the drive, goes stale, and says Valid = 0 at the stop" \
  follows_the_drive
run_scenario "started before gpsd, Valid = 0 while gpsd is away, back with it" outlives_gpsd
run_scenario "the recorder records at the drive's position" records_at_the_drive_position
finish
