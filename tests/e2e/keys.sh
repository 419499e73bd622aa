#!/usr/bin/env bash
# End to end with keys only, as from a keypad or a remote: no pointer moves. A POI is filed
# right of the street on the second category page and the nearest POI is deleted; the files
# are compared byte for byte with an independent reckoning (lib/expected.sh).
# shellcheck source-path=SCRIPTDIR source=lib/scenario.sh
source "$(dirname "$0")/lib/scenario.sh" "$@"

readonly SAMPLE_POIS="$E2E_ROOT/sample/pois" SAMPLE_POSITION="$E2E_ROOT/sample/Documents/QXPosition.txt"

# Page Down shows the second page, whose first slot (key 1) is the sixth category; Right files
# the POI 20 m right of the course.
recorded_with_keys() {
  local category insert
  category=$(category_names "$SAMPLE_POIS" | sed -n 6p)
  start_run "$SAMPLE_POIS" "$SAMPLE_POSITION"
  turn_page_by_key "$PAGE" "$KEY_NEXT_PAGE" || fail "Page Down did not show the next page"
  press_key "$PAGE" "$(slot_key 0)"
  insert=$(open_page "$INSERT_PAGE") || fail "the insert page for $category did not appear"
  press_key "$insert" "$KEY_INSERT_RIGHT"
  end_program

  expect_fallback ""
  # shellcheck disable=SC2046
  expect_category_record "$SAMPLE_POIS" "$category" $(beside_street "$LON" "$LAT" "$COURSE" 90)
  expect_others_unchanged "$SAMPLE_POIS" "$RUN/pois" "$category.asc" recorded.asc
}

# Key 1 opens the delete page, Down confirms: the nearest POI's file is rewritten without it.
deleted_with_keys() {
  local source="$SCENARIO_FOLDER/pois" delete number lon lat category
  mkdir -p "$source"
  printf '\n11.5600000, 48.1300000, "West"\n11.5758000, 48.1372000, "Near"\r\n; kept\n' \
    >"$source/Alpha.asc"
  printf '\n11.6000000, 48.1600000, "North"' >"$source/Beta.asc"
  cp "$SAMPLE_POIS/Apotheke.bmp" "$source/Alpha.bmp"
  start_run "$source" "$SAMPLE_POSITION"
  read -r number lon lat < <(nearest_poi "$LON" "$LAT" "$source/Alpha.asc" "$source/Beta.asc")
  category=$(category_names "$source" | sed -n "${number}p")
  press_key "$PAGE" "$(slot_key 0)"
  delete=$(open_page "$DELETE_PAGE") || fail "the delete page did not appear"
  press_key "$delete" "$KEY_DELETE_CONFIRM"
  end_program

  kept_lines "$source/$category.asc" "$lon" "$lat" >"$SCENARIO_FOLDER/expected-kept"
  expect_bytes "$RUN/pois/$category.asc" "$SCENARIO_FOLDER/expected-kept" \
    "$category.asc without its POI at $lon, $lat"
  expect_fallback ""
  expect_others_unchanged "$source" "$RUN/pois" "$category.asc" recorded.asc
}

run_scenario "a POI filed right of the street with keys only" recorded_with_keys
run_scenario "the nearest POI deleted with keys only" deleted_with_keys
finish
