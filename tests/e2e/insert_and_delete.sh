#!/usr/bin/env bash
# End to end: whole recordings through the category page and the insert and delete pages,
# once by clicks and once by keys only, as from a keypad or a remote. A placement appends its
# record to the category's file and the run's end appends the fallback record; a deletion
# rewrites the nearest POI's file without it. The expected bytes are worked out independently
# (lib/expected.sh, or by hand for the deletion's own store). The pages' other buttons and keys (Back, Escape, the exact placement) are
# the screens' own tests.
# shellcheck source-path=SCRIPTDIR source=lib/scenario.sh
source "$(dirname "$0")/lib/scenario.sh" "$@"

readonly SAMPLE_POIS="$E2E_ROOT/sample/pois" SAMPLE_POSITION="$E2E_ROOT/sample/Documents/QXPosition.txt"

# filed_on_the_second_page clicks|keys: Next (Page Down) shows the second page of the sample
# categories, whose first slot (key 1) shows the sixth category; "right of the street" (Right)
# files the POI there: the course 245.7 reads as 245, so it moves 20 m towards 335 degrees.
filed_on_the_second_page() {
  local category insert
  category=$(category_names "$SAMPLE_POIS" | sed -n 6p)
  start_run "$SAMPLE_POIS" "$SAMPLE_POSITION"
  if [ "$1" = keys ]; then
    turn_page_by_key "$PAGE" "$KEY_NEXT_PAGE" || fail "Page Down did not show the next page"
    press_key "$PAGE" "$(slot_key 0)"
  else
    turn_page "$PAGE" "$NEXT_PAGE_SLOT" || fail "Next did not show another page"
    press_slot "$PAGE" 0
  fi
  insert=$(open_page "$INSERT_PAGE") || fail "the insert page for $category did not appear"
  if [ "$1" = keys ]; then press_key "$insert" "$KEY_INSERT_RIGHT"; else press "$insert" "$INSERT_RIGHT"; fi
  end_program

  expect_fallback ""
  # shellcheck disable=SC2046
  expect_record "$RUN/pois/$category.asc" "$SAMPLE_POIS/$category.asc" $(beside_street "$LON" "$LAT" "$COURSE" 90)
  expect_others_unchanged "$SAMPLE_POIS" "$RUN/pois" "$category.asc" recorded.asc
}

# nearest_poi_deleted clicks|keys: "Delete nearest POI" (key 1), then "Confirm Deletion"
# (Down). The POIs nearest to the sample fix are two at one place in the middle of Cafe.asc,
# between a comment ended by CR LF, blank lines, a line that holds no POI, a name with a
# Windows-1252 byte and numbers written short; recorded.asc holds a POI right at the fix, but
# it is no category and must be neither found nor deleted. Cafe.asc is rewritten without both
# and without its blank lines, every other line kept as read after its own line break; the
# removed lines are kept in pois/deleted/.
nearest_poi_deleted() {
  local source="$SCENARIO_FOLDER/pois" delete
  mkdir -p "$source"
  printf '\n11.5600000, 48.1300000, "Backstube West"\n11.6000000, 48.1600000, "Backstube Nord"' \
    >"$source/Baeckerei.asc"
  printf '\n; Cafes in der Altstadt\r\n11.58, 48.14, "Cafe Kurz"\n\n11.5759000, 48.1373000, "Cafe am Markt"\nkein Komma\n \t\n11.5700000, 48.1380000, "Caf\xe9 Rischart"  \n11.5759000, 48.1373000, "Cafe Doppelt"' \
    >"$source/Cafe.asc"
  printf '\n11.5758630, 48.1372360, "Quillon RECORD (01.02.03 09:05:07)"\n' >"$source/recorded.asc"
  cp "$SAMPLE_POIS/Biergarten.bmp" "$source/Baeckerei.bmp"
  cp "$SAMPLE_POIS/Sehenswuerdigkeit.bmp" "$source/Cafe.bmp"
  start_run "$source" "$SAMPLE_POSITION"
  if [ "$1" = keys ]; then press_key "$PAGE" "$(slot_key 0)"; else press_slot "$PAGE" 0; fi
  delete=$(open_page "$DELETE_PAGE") || fail "the delete page did not appear"
  if [ "$1" = keys ]; then press_key "$delete" "$KEY_DELETE_CONFIRM"; else press "$delete" "$DELETE_CONFIRM"; fi
  end_program

  printf '\n; Cafes in der Altstadt\n11.58, 48.14, "Cafe Kurz"\nkein Komma\n11.5700000, 48.1380000, "Caf\xe9 Rischart"  ' \
    >"$SCENARIO_FOLDER/expected-kept"
  expect_bytes "$RUN/pois/Cafe.asc" "$SCENARIO_FOLDER/expected-kept" "Cafe.asc without its nearest POIs"
  printf '\n11.5759000, 48.1373000, "Cafe am Markt"\n11.5759000, 48.1373000, "Cafe Doppelt"' \
    >"$SCENARIO_FOLDER/expected-deleted"
  expect_bytes "$RUN/pois/deleted/Cafe.asc" "$SCENARIO_FOLDER/expected-deleted" "the deleted lines kept"
  expect_fallback "$source/recorded.asc"
  expect_others_unchanged "$source" "$RUN/pois" Cafe.asc recorded.asc deleted
}

for way in clicks keys; do
  run_scenario "a POI filed right of the street on the second page, by $way" \
    filed_on_the_second_page "$way"
  run_scenario "the nearest POI deleted, by $way" nearest_poi_deleted "$way"
done
finish
