#!/usr/bin/env bash
# End to end with the real gpsd: a drive (tests/data/drive.nmea) is sent to a gpsd of the
# test's own, one second of GGA and RMC at a time, as UDP datagrams to 127.0.0.1, and the real
# poirecorder-gpsd keeps a position file from it. The file must follow the drive to 7 decimals
# with a freshness stamp of this boot that the recorder takes, say Valid = 0 in the tunnel,
# after a silence and after SIGTERM, and give no fix when the feeder cannot write it (a full
# disk, a folder it may not write); a recorder started 8 s after the feeder was frozen says
# "Missing GPS-Signal !".
#
# Usage: e2e_drive.sh PATH-OF-THE-BUILT-RECORDER PATH-OF-THE-BUILT-FEEDER
# shellcheck source-path=SCRIPTDIR source=../e2e/lib/scenario.sh
source "$(dirname "$0")/../e2e/lib/scenario.sh" "$1"

[ $# -ge 2 ] && [ -x "$2" ] || { echo "usage: $0 RECORDER FEEDER" >&2 && exit 2; }
FEEDER=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
readonly FEEDER DRIVE="$E2E_ROOT/tests/data/drive.nmea"
command -v gpsd >/dev/null || { echo "gpsd is missing; scripts/install-deps.sh installs it" >&2 && exit 1; }

# free_port tcp|udp: a port that no socket of this machine has now.
free_port() {
  local port
  while :; do
    port=$((20000 + RANDOM % 40000))
    awk -v port="$(printf ':%04X$' "$port")" '$2 ~ port { found = 1 } END { exit found }' \
      "/proc/net/$1" "/proc/net/${1}6" 2>/dev/null && break
  done
  echo "$port"
}

# start_gpsd: starts gpsd for clients on 127.0.0.1:GPSD_PORT, reading NMEA from UDP datagrams
# to 127.0.0.1:NMEA_PORT, and waits until it takes clients.
start_gpsd() {
  local deadline=$((SECONDS + DISPLAY_WAIT_SECONDS)) pid
  GPSD_PORT=$(free_port tcp) NMEA_PORT=$(free_port udp)
  # -N foreground, -n read the source before any client asks, -b never write to it.
  gpsd -N -n -b -S "$GPSD_PORT" -F "$SCENARIO_FOLDER/gpsd.sock" "udp://127.0.0.1:$NMEA_PORT" \
    >>"$SCENARIO_FOLDER/gpsd.log" 2>&1 &
  pid=$!
  on_exit "stop_process $pid"
  until (exec 3<>"/dev/tcp/127.0.0.1/$GPSD_PORT") 2>/dev/null; do
    kill -0 "$pid" && ((SECONDS < deadline)) || fail "gpsd did not start: $(<"$SCENARIO_FOLDER/gpsd.log")"
    sleep 0.1
  done
}

# start_feeder FILE [RUNNER...]: starts poirecorder-gpsd (through RUNNER, such as setpriv) on
# FILE for the gpsd at GPSD_PORT, with a stale time of 2 s; sets FEEDER_PID.
start_feeder() {
  local file=$1 && shift
  "$@" "$FEEDER" --port "$GPSD_PORT" --file "$file" --stale-after 2 \
    2>>"$SCENARIO_FOLDER/feeder.log" &
  FEEDER_PID=$!
  on_exit "kill -CONT $FEEDER_PID 2>/dev/null; stop_process $FEEDER_PID"
}

# stop_feeder [STATUS]: SIGTERM; the feeder must end with STATUS (0).
stop_feeder() {
  local status=0
  kill -TERM "$FEEDER_PID"
  wait "$FEEDER_PID" || status=$?
  [ "$status" -eq "${1:-0}" ] || fail "the feeder ended with status $status after SIGTERM"
}

# drive_seconds: one line for each second of the drive: its sentences, then "|", then the four
# keys the position file must say afterwards, worked out here from the RMC sentence: its
# position with 7 decimals, its course with 1 (the last one while it gives none), and Valid = 1
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
FIRST=$(drive_seconds | sed -n 1p)
readonly SENTENCES=${FIRST%%|*} FIX=${FIRST#*|}

# send SENTENCES: one datagram to gpsd's NMEA port; one that finds no reader is lost.
send() {
  # shellcheck disable=SC2059  # the escapes are meant
  printf "$1" 2>/dev/null >"/dev/udp/127.0.0.1/$NMEA_PORT" || true
}

# says FILE KEYS: whether the first four lines of FILE are KEYS (\n escapes).
says() { cmp -s <(head -n 4 "$1" 2>/dev/null) <(printf '%b' "$2"); }
is_empty() { [ -f "$1" ] && [ ! -s "$1" ]; }
# said TIMES TEXT: the feeder said TEXT so many times.
said() { [ "$(grep -c "$2" "$SCENARIO_FOLDER/feeder.log")" = "$1" ] || fail "not $1 times \"$2\""; }

# wait_until WHAT COMMAND...: waits until the command succeeds, sending the sentences in RESEND
# (when set) every half second: gpsd does not keep a report for a feeder that has yet to ask.
wait_until() {
  local what=$1 deadline=$((SECONDS + DISPLAY_WAIT_SECONDS)) i=0
  shift
  until "$@"; do
    ((SECONDS < deadline)) || fail "$what: not so after ${DISPLAY_WAIT_SECONDS} s: $*;" \
      "the file says: $(od -c "$2" 2>/dev/null); the feeder said: $(<"$SCENARIO_FOLDER/feeder.log")"
    ((i++ % 10)) || [ -z "${RESEND:-}" ] || send "$RESEND"
    sleep 0.05
  done
}

# The file follows the drive with a stamp of this boot; after a silence longer than the stale
# time and after SIGTERM it says Valid = 0.
follows_the_drive() {
  local file="$SCENARIO_FOLDER/QXPosition.txt" sentences keys second=0 stale run
  start_gpsd
  start_feeder "$file"
  while IFS='|' read -r sentences keys; do
    ((second++)) || RESEND=$sentences wait_until "the first second of the drive" says "$file" "$keys"
    send "$sentences"
    wait_until "second $second of the drive" says "$file" "$keys"
    stale=${keys/Valid = 1/Valid = 0}
  done < <(drive_seconds)
  [[ $(tail -n 2 "$file") =~ ^"Boot id = $(</proc/sys/kernel/random/boot_id)"$'\n'"Uptime = "[0-9]+\.[0-9]{3}$ ]] ||
    fail "no stamp of this boot: $(<"$file")"
  # The recorder takes the fresh fix, read through a link to the feeder's file.
  run=$(run_folder run) && make_run_folder "$run" "$E2E_PROGRAM" "$E2E_ROOT/sample/pois"
  ln -s "$file" "$run/Documents/QXPosition.txt"
  HOME="$run" XDG_CONFIG_HOME="$run/config" "$run/poirecorder" --category Blitzer --exact \
    2>"$run/program.log" || fail "the recorder took no fix from the feeder: $(<"$run/program.log")"
  wait_until "the silence after the drive" says "$file" "$stale"
  stop_feeder
  says "$file" "$stale" || fail "Valid = 1 after SIGTERM"
}

# A frozen feeder (SIGSTOP) leaves Valid = 1 behind: a recorder started 8 s later shows
# "Missing GPS-Signal !" and says on standard error how old the fix is.
frozen_feeder() {
  local run box
  run=$(run_folder frozen)
  start_gpsd
  make_run_folder "$run" "$E2E_PROGRAM" ""
  start_feeder "$run/Documents/QXPosition.txt"
  RESEND=$SENTENCES wait_until "a fix" says "$run/Documents/QXPosition.txt" "$FIX"
  kill -STOP "$FEEDER_PID"
  sleep 8
  start_program "$run"
  box=$(wait_for_window "$MESSAGE_BOX") || fail "no message box for the frozen feeder's file"
  press_key "$box" Return
  end_program
  grep -q 'says "Valid = 1", but its fix is [0-9.]* s old' "$run/program.log" ||
    fail "standard error does not say how old the frozen feeder's fix is"
}

# A full disk, with no room for data nor for a new file: the feeder empties the file in place
# (which frees no room for a file), says so once, and writes it again once there is room.
full_disk() {
  local ram="$SCENARIO_FOLDER/ram" i
  mkdir "$ram"
  if ! mount -t tmpfs -o size=16k,nr_inodes=8 tmpfs "$ram" 2>/dev/null; then
    echo "  a tmpfs cannot be mounted here: the full disk is not tried"
    return 0
  fi
  on_exit "umount '$ram'"
  start_gpsd
  start_feeder "$ram/QXPosition.txt"
  RESEND=$SENTENCES wait_until "a fix" says "$ram/QXPosition.txt" "$FIX"
  dd if=/dev/zero of="$ram/filler" bs=1k 2>/dev/null || true
  for ((i = 0; i < 8; i++)); do : 2>/dev/null >"$ram/file$i" || break; done
  wait_until "the disk is full" is_empty "$ram/QXPosition.txt"
  rm "$ram"/file* "$ram/filler"
  RESEND=$SENTENCES wait_until "room again" says "$ram/QXPosition.txt" "$FIX"
  stop_feeder
  said 1 'No space left on device); emptied it, so that it gives no fix'
}

# A folder the feeder may not write, with a file it may: the file is emptied at the start and
# stays empty after SIGTERM. Root writes any folder, so root runs the feeder as nobody.
unwritable_folder() {
  local folder="$SCENARIO_FOLDER/locked" runner=()
  mkdir "$folder"
  printf 'Lat = 47.5\nLon = 10.25\nCourse = 12.3\nValid = 1\n' >"$folder/QXPosition.txt"
  chmod 666 "$folder/QXPosition.txt"
  chmod 711 "$SCENARIO_FOLDER"
  [ "$(id -u)" != 0 ] || runner=(setpriv --reuid=65534 --regid=65534 --clear-groups)
  [ "$(id -u)" = 0 ] || chmod 555 "$folder"
  on_exit "chmod 755 '$folder'"
  start_gpsd
  start_feeder "$folder/QXPosition.txt" "${runner[@]}"
  RESEND=$SENTENCES wait_until "the start" grep -qs 'emptied it' "$SCENARIO_FOLDER/feeder.log"
  stop_feeder 1
  is_empty "$folder/QXPosition.txt" || fail "not empty after SIGTERM: $(<"$folder/QXPosition.txt")"
  said 2 'Permission denied); emptied it, so that it gives no fix'
}

run_scenario "the file follows the drive with a stamp, and says Valid = 0 when stale and at the stop" \
  follows_the_drive
run_scenario "a frozen feeder: no fix 8 s later" frozen_feeder
run_scenario "a full disk: the file is emptied, then written again" full_disk
run_scenario "a folder the feeder may not write: the file is emptied" unwritable_folder
finish
