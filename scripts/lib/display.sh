# shellcheck shell=bash
# Shell functions that run the program in a virtual X server of handheld size and act on it as
# a person would: find a window by its title, click, press a key, take a screenshot. The demo
# and the end-to-end tests source this file; it sets no shell options of its own.
#
# A run folder holds everything one run needs and nothing of the user's:
#   FOLDER/poirecorder             a copy of the built program
#   FOLDER/pois/                   its categories (copied from a source folder, maybe empty)
#   FOLDER/Documents/              the documents folder, with QXPosition.txt when given
#   FOLDER/config/user-dirs.dirs   points the documents folder at FOLDER/Documents
#   FOLDER/program.log             what the program printed
#
# Every wait has a deadline (in seconds, DISPLAY_WAIT_SECONDS, 30 unless set) so that a program
# that hangs ends the run with a message instead of hanging it; the deadline is not a measure
# of speed. Everything started here is stopped by its process id when the shell exits.

# The handheld's screen, unless the caller names another size before sourcing this file.
: "${DISPLAY_WIDTH:=240}" "${DISPLAY_HEIGHT:=320}"
readonly DISPLAY_WIDTH DISPLAY_HEIGHT
# The pages are laid out in dialog units: 136 x 170 of them fill the page's client area.
readonly PAGE_UNITS_WIDTH=136
readonly PAGE_UNITS_HEIGHT=170

: "${DISPLAY_WAIT_SECONDS:=30}"

display_exit_actions=()
PROGRAM_PID=""

# on_exit COMMAND...: runs the command when the shell exits, the last registered first.
on_exit() {
  display_exit_actions+=("$*")
  trap display_run_exit_actions EXIT
  # A signal ends the shell through its exit actions too.
  trap 'exit 130' INT
  trap 'exit 143' TERM HUP
}

display_run_exit_actions() {
  local i
  for ((i = ${#display_exit_actions[@]} - 1; i >= 0; i--)); do
    eval "${display_exit_actions[i]}" || true
  done
  display_exit_actions=()
}

display_note() { echo "display: $*" >&2; }

# stop_process PID: ends a process this shell started (TERM, then KILL after two seconds).
stop_process() {
  local pid=$1 i
  [ -n "$pid" ] || return 0
  kill -0 "$pid" 2>/dev/null || return 0
  kill -TERM "$pid" 2>/dev/null || true
  for ((i = 0; i < 20; i++)); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

# display_start: starts Xvfb at DISPLAY_WIDTH x DISPLAY_HEIGHT x 24 on a display number the server finds free itself
# and exports DISPLAY. It does not reset when its last client leaves, so that the next run
# finds it ready. The server is stopped when the shell exits.
display_start() {
  local number_file pid number="" deadline=$((SECONDS + DISPLAY_WAIT_SECONDS))
  number_file=$(mktemp)
  Xvfb -displayfd 9 -screen 0 "${DISPLAY_WIDTH}x${DISPLAY_HEIGHT}x24" -nolisten tcp -noreset \
    9>"$number_file" >/dev/null 2>&1 &
  pid=$!
  on_exit "stop_process $pid; rm -f '$number_file'"
  while [ -z "$number" ]; do
    if ! kill -0 "$pid" 2>/dev/null; then
      display_note "Xvfb ended before it was ready"
      return 1
    fi
    if ((SECONDS >= deadline)); then
      display_note "Xvfb did not report its display within ${DISPLAY_WAIT_SECONDS} s"
      return 1
    fi
    sleep 0.1
    number=$(tr -dc '0-9' <"$number_file")
  done
  export DISPLAY=":$number"
}

# start_window_manager: starts a small window manager (openbox) on $DISPLAY and waits until it
# announces itself on the root window, as the program checks. It is stopped when the shell exits.
start_window_manager() {
  local pid deadline=$((SECONDS + DISPLAY_WAIT_SECONDS))
  openbox --sm-disable >/dev/null 2>&1 &
  pid=$!
  on_exit "stop_process $pid"
  until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
    if ! kill -0 "$pid" 2>/dev/null; then
      display_note "the window manager ended before it was ready"
      return 1
    fi
    if ((SECONDS >= deadline)); then
      display_note "the window manager did not announce itself within ${DISPLAY_WAIT_SECONDS} s"
      return 1
    fi
    sleep 0.1
  done
}

# make_run_folder FOLDER PROGRAM POIS_SOURCE [POSITION_FILE]: lays out a fresh run folder.
# POIS_SOURCE "" gives an empty "pois" folder; without POSITION_FILE the documents folder
# stays empty (no fix).
make_run_folder() {
  local folder=$1 program=$2 pois_source=$3 position_file=${4:-}
  rm -rf "$folder"
  mkdir -p "$folder/pois" "$folder/Documents" "$folder/config"
  cp "$program" "$folder/poirecorder"
  if [ -n "$pois_source" ]; then
    cp -R "$pois_source/." "$folder/pois/"
  fi
  if [ -n "$position_file" ]; then
    cp "$position_file" "$folder/Documents/QXPosition.txt"
  fi
  folder=$(cd "$folder" && pwd)
  printf 'XDG_DOCUMENTS_DIR="%s/Documents"\n' "$folder" >"$folder/config/user-dirs.dirs"
}

# start_program FOLDER [PROGRAM]: starts the run folder's program (or PROGRAM, e.g. an installed
# one) in the background on $DISPLAY and sets PROGRAM_PID. The run folder is the program's home
# folder too, so that a program that keeps its data in the user's data folder
# (FOLDER/.local/share) keeps it there. The program is stopped when the shell exits, should it
# still run then.
start_program() {
  local folder=$1 program=${2:-$1/poirecorder} runtime
  runtime=$(mktemp -d)
  chmod 700 "$runtime"
  env -u XDG_DATA_HOME HOME="$folder" XDG_CONFIG_HOME="$folder/config" \
    XDG_RUNTIME_DIR="$runtime" "$program" >"$folder/program.log" 2>&1 &
  PROGRAM_PID=$!
  on_exit "stop_process $PROGRAM_PID; rm -rf '$runtime'"
}

program_running() { [ -n "$PROGRAM_PID" ] && kill -0 "$PROGRAM_PID" 2>/dev/null; }

# wait_for_program_end: waits until the program has ended and sets PROGRAM_STATUS to its exit
# status. It must run in this shell, not in a command substitution: only the shell that
# started the program can wait for it and learn its status.
wait_for_program_end() {
  local deadline=$((SECONDS + DISPLAY_WAIT_SECONDS))
  PROGRAM_STATUS=""
  while program_running; do
    if ((SECONDS >= deadline)); then
      display_note "the program was still running after ${DISPLAY_WAIT_SECONDS} s"
      return 1
    fi
    sleep 0.1
  done
  PROGRAM_STATUS=0
  wait "$PROGRAM_PID" 2>/dev/null || PROGRAM_STATUS=$?
}

# visible_windows TITLE: the ids of the visible windows titled TITLE. The desktop shows a title
# followed by the program's name ("Categories — POI Recorder"); the window's plain name is the
# title alone. Either matches.
visible_windows() {
  xdotool search --onlyvisible --name "^$1( — .+)?\$" 2>/dev/null || true
}

# wait_for_window TITLE [IGNORED_IDS]: waits until a visible window titled TITLE appears that is
# not among IGNORED_IDS (blank-separated; the pages that are already open) and prints its id.
wait_for_window() {
  local title=$1 ignored=" ${2:-} " deadline=$((SECONDS + DISPLAY_WAIT_SECONDS)) id
  while :; do
    for id in $(visible_windows "$title"); do
      case "$ignored" in *" $id "*) ;; *)
        echo "$id"
        return 0
        ;;
      esac
    done
    if [ -n "$PROGRAM_PID" ] && ! program_running; then
      display_note "the program ended before a window titled \"$title\" appeared"
      return 1
    fi
    if ((SECONDS >= deadline)); then
      display_note "no window titled \"$title\" appeared within ${DISPLAY_WAIT_SECONDS} s"
      return 1
    fi
    sleep 0.1
  done
}

# wait_for_window_gone ID: waits until the window is no longer shown.
wait_for_window_gone() {
  local id=$1 deadline=$((SECONDS + DISPLAY_WAIT_SECONDS))
  while xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable'; do
    if ((SECONDS >= deadline)); then
      display_note "window $id was still shown after ${DISPLAY_WAIT_SECONDS} s"
      return 1
    fi
    sleep 0.1
  done
}

# window_size ID: prints the window's client width and height.
window_size() {
  xdotool getwindowgeometry --shell "$1" | awk -F= '/^WIDTH=/ {w = $2} /^HEIGHT=/ {h = $2}
    END {print w, h}'
}

# window_geometry ID: prints the window's place and size on the screen: x y width height.
window_geometry() {
  xdotool getwindowgeometry --shell "$1" | awk -F= '{v[$1] = $2}
    END {print v["X"], v["Y"], v["WIDTH"], v["HEIGHT"]}'
}

# window_full_screen ID: whether the window asked the window manager for full screen.
window_full_screen() {
  xprop -id "$1" _NET_WM_STATE 2>/dev/null | grep -q _NET_WM_STATE_FULLSCREEN
}

# click_at ID X Y: a click of the left button at a point of the window's client area.
click_at() {
  xdotool mousemove --window "$1" "$2" "$3" click 1
}

# click_button ID X Y WIDTH HEIGHT: clicks the middle of a control whose place on the page is
# given in dialog units, scaled to the window's client area as the pages scale them.
click_button() {
  local id=$1 size
  size=$(window_size "$id")
  # shellcheck disable=SC2086
  set -- $size "$2" "$3" "$4" "$5"
  local x y
  x=$(awk -v w="$1" -v u="$PAGE_UNITS_WIDTH" -v x="$3" -v cx="$5" \
    'BEGIN {printf "%d", (x + cx / 2) * w / u}')
  y=$(awk -v h="$2" -v u="$PAGE_UNITS_HEIGHT" -v y="$4" -v cy="$6" \
    'BEGIN {printf "%d", (y + cy / 2) * h / u}')
  click_at "$id" "$x" "$y"
}

# press_key ID KEY: gives the window the keyboard focus and presses the key (e.g. Return).
press_key() {
  xdotool windowfocus --sync "$1" >/dev/null 2>&1 || xdotool windowfocus "$1"
  xdotool key --clearmodifiers "$2"
}

# screenshot FILE: the whole screen as an image (PNG by the file's name).
screenshot() {
  import -window root "$1"
}

# screen_hash: a fingerprint of what the screen shows.
screen_hash() {
  import -window root rgb:- 2>/dev/null | md5sum | cut -d' ' -f1
}

# wait_until_changed HASH: waits until the screen no longer shows what HASH was taken of.
wait_until_changed() {
  local deadline=$((SECONDS + DISPLAY_WAIT_SECONDS))
  while [ "$(screen_hash)" = "$1" ]; do
    if ((SECONDS >= deadline)); then
      display_note "the screen did not change within ${DISPLAY_WAIT_SECONDS} s"
      return 1
    fi
    sleep 0.1
  done
}

# wait_until_painted: waits until the screen holds more than one colour and two screenshots in
# a row are the same, so that a screenshot shows the page as drawn.
wait_until_painted() {
  local deadline=$((SECONDS + DISPLAY_WAIT_SECONDS)) previous="" current
  while :; do
    current=$(screen_hash)
    if [ "$current" = "$previous" ] &&
      [ "$(import -window root -format '%k' info: 2>/dev/null)" != 1 ]; then
      return 0
    fi
    if ((SECONDS >= deadline)); then
      display_note "the screen did not settle within ${DISPLAY_WAIT_SECONDS} s"
      return 1
    fi
    previous=$current
    sleep 0.2
  done
}
