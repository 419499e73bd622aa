#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on the bundled sample data in
# build/demo: a copy of the program, the sample categories as its "pois" folder and a documents
# folder with a position file that has a valid fix. The user's own documents are never read.
#
# With a display the program opens there for you to use. Without one it runs in a virtual
# X server of handheld size (240 x 320), a screenshot is saved, "Cancel" is pressed, and the
# script prints where the screenshot and the written record are.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)

bash scripts/install-deps.sh
bash scripts/build.sh

# shellcheck source-path=SCRIPTDIR source=lib/display.sh
source scripts/lib/display.sh

demo="$repo/build/demo"
make_run_folder "$demo" build/src/poirecorder sample/pois sample/Documents/QXPosition.txt
recorded="$demo/pois/recorded.asc"

show_record() {
  if [ -f "$recorded" ]; then
    echo "Written record: $recorded"
    od -c "$recorded"
  else
    echo "No record was written ($recorded does not exist)."
  fi
}

if [ -n "${DISPLAY:-}" ]; then
  echo "Starting the program on $DISPLAY with the sample data in $demo"
  XDG_CONFIG_HOME="$demo/config" "$demo/poirecorder"
  show_record
  exit 0
fi

echo "No display: running the program in a virtual X server of ${DISPLAY_WIDTH} x ${DISPLAY_HEIGHT}"
display_start
start_program "$demo"
page=$(wait_for_window Dialog)
wait_until_painted
screenshot "$demo/screenshot.png"
# "Cancel" spans the page's whole width at the top.
click_button "$page" 3 2 130 21
status=$(wait_for_program_end)
echo "The program ended with status $status."
echo "Screenshot: $demo/screenshot.png"
show_record
