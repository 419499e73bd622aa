#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on the bundled sample data in
# build/demo: a copy of the program, the sample categories as its "pois" folder and a documents
# folder with a position file that has a valid fix. The user's own documents are never read.
#
# With a display the program opens there for you to use. Without one it runs in a virtual
# X server of handheld size (240 x 320) through a whole recording: the category page, the delete
# page and Back, then the insert page for "Aussicht 360°" and "Right from Street". A screenshot
# of each page is saved, and the script prints the records written.
#
# Usage: scripts/demo.sh [--size WIDTHxHEIGHT]
# --size runs the virtual X server at another size (a car's 800x480, a desktop's 1920x1080)
# with a window manager that gives the pages the full screen; the screenshots' names end in
# the size.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)

suffix=""
if [ "${1:-}" = --size ] && [[ "${2:-}" =~ ^([0-9]+)x([0-9]+)$ ]]; then
  DISPLAY_WIDTH=${BASH_REMATCH[1]}
  DISPLAY_HEIGHT=${BASH_REMATCH[2]}
  suffix="-$2"
elif [ $# -gt 0 ]; then
  echo "Usage: scripts/demo.sh [--size WIDTHxHEIGHT]" >&2
  exit 2
fi

bash scripts/install-deps.sh
bash scripts/build.sh

# shellcheck source-path=SCRIPTDIR source=lib/display.sh
source scripts/lib/display.sh
# shellcheck source-path=SCRIPTDIR source=lib/pages.sh
source scripts/lib/pages.sh

demo="$repo/build/demo"
make_run_folder "$demo" build/src/poirecorder sample/pois sample/Documents/QXPosition.txt
recorded="$demo/pois/recorded.asc"

category="$demo/pois/Aussicht 360°.asc"

show_records() {
  local file
  for file in "$category" "$recorded"; do
    echo "$file:"
    od -c "$file"
  done
}

if [ -n "${DISPLAY:-}" ]; then
  echo "Starting the program on $DISPLAY with the sample data in $demo"
  XDG_CONFIG_HOME="$demo/config" "$demo/poirecorder"
  [ -f "$recorded" ] && show_records
  exit 0
fi

echo "No display: running the program in a virtual X server of ${DISPLAY_WIDTH} x ${DISPLAY_HEIGHT}"
display_start
[ -n "$suffix" ] && start_window_manager
start_program "$demo"
page=$(wait_for_window "$CATEGORY_PAGE")
wait_until_painted
screenshot "$demo/category-page$suffix.png"

# "Delete nearest POI" shows the POI it would delete; Back deletes nothing.
press_slot "$page" 0
delete=$(wait_for_window "$DELETE_PAGE")
wait_until_painted
screenshot "$demo/delete-page$suffix.png"
press "$delete" "$DELETE_BACK"
wait_for_window_gone "$delete"
wait_until_painted

# The second category, "Aussicht 360°", and the POI 20 m to the right of the course.
press_slot "$page" 2
insert=$(wait_for_window "$INSERT_PAGE")
wait_until_painted
screenshot "$demo/insert-page$suffix.png"
press "$insert" "$INSERT_RIGHT"
wait_for_program_end
echo "The program ended with status $PROGRAM_STATUS."
echo "Screenshots: $demo/category-page$suffix.png, $demo/delete-page$suffix.png," \
  "$demo/insert-page$suffix.png"
show_records
