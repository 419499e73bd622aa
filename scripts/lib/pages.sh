# shellcheck shell=bash disable=SC2034  # the places are read by the scripts that source this file
# Where the pages' buttons are, in dialog units (x y width height) of the 136 x 170 unit page,
# and clicks on them by their place, as a person's finger finds them. click_button scales the
# units to the window's client area (240 x 309 on the handheld's screen).

# The windows by their titles: each page is named, and the message box bears the program's name.
readonly CATEGORY_PAGE="Categories"
readonly INSERT_PAGE="Insert POI"
readonly DELETE_PAGE="Delete POI"
readonly MESSAGE_BOX="POI Recorder"

# Every page: "Cancel" across the top.
readonly PAGE_CANCEL="3 2 130 21"
# The category page's eight slots, left to right, top to bottom; on the first page slot 0 is
# "Delete nearest POI", and with eight or more categories slots 6 and 7 turn the pages.
readonly CATEGORY_SLOTS=(
  "3 24 65 35" "68 24 65 35"
  "3 60 65 35" "68 60 65 35"
  "3 96 65 35" "68 96 65 35"
  "3 132 65 35" "68 132 65 35"
)
readonly NEXT_PAGE_SLOT=7
# The insert page.
readonly INSERT_LEFT="3 68 42 72"
readonly INSERT_EXACT="47 68 42 72"
readonly INSERT_RIGHT="91 68 42 72"
readonly INSERT_BACK="3 146 130 21"
# The delete page.
readonly DELETE_CONFIRM="3 93 130 48"
readonly DELETE_BACK="3 146 130 21"

# press PAGE PLACE: clicks the control at PLACE ("x y width height" in dialog units).
press() {
  local page=$1
  # shellcheck disable=SC2086
  click_button "$page" $2
}

# press_slot PAGE SLOT: clicks a slot of the category page.
press_slot() {
  press "$1" "${CATEGORY_SLOTS[$2]}"
}

# turn_page PAGE SLOT: clicks a page-turning slot and waits until the new page is drawn.
turn_page() {
  local before
  before=$(screen_hash)
  press_slot "$1" "$2"
  wait_until_changed "$before" && wait_until_painted
}

# The keys of the pages: on the category page the digits 1 to 8 press the slots in reading
# order and Page_Down / Page_Up turn the pages; on the insert page Left, Down and Right place
# the POI; on the delete page Down confirms. Return presses the focused button, Escape cancels.
readonly KEY_NEXT_PAGE=Next
readonly KEY_PREVIOUS_PAGE=Prior
readonly KEY_INSERT_LEFT=Left
readonly KEY_INSERT_EXACT=Down
readonly KEY_INSERT_RIGHT=Right
readonly KEY_DELETE_CONFIRM=Down

# slot_key SLOT: the key that presses a slot of the category page (0 to 7).
slot_key() { echo $(($1 + 1)); }

# turn_page_by_key PAGE KEY: presses a page-turning key and waits until the new page is drawn.
turn_page_by_key() {
  local before
  before=$(screen_hash)
  press_key "$1" "$2"
  wait_until_changed "$before" && wait_until_painted
}
