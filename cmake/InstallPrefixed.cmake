# Run by `cmake --install` and by cpack, once the prefix the tree is installed under is known:
# the files that name installed paths (the feeder's user unit, the manual pages) are made here
# from that prefix, so a /usr/local install and the package in /usr each name their own tree.
# Given: POI_SOURCE_DIR, POI_GENERATED, POI_BINDIR, POI_DATADIR, POI_MANDIR, POI_DATA_NAME.

function(poi_under_prefix path result)
  if(IS_ABSOLUTE "${path}")
    set(${result} "${path}" PARENT_SCOPE)
  else()
    set(${result} "${CMAKE_INSTALL_PREFIX}/${path}" PARENT_SCOPE)
  endif()
endfunction()
poi_under_prefix("${POI_BINDIR}" bindir)
poi_under_prefix("${POI_DATADIR}" datadir)
poi_under_prefix("${POI_MANDIR}" mandir)
set(made "${POI_GENERATED}/prefixed")
file(MAKE_DIRECTORY "${made}")

# The user unit starts the installed feeder by its absolute path.
set(POI_FEEDER_PROGRAM "${bindir}/poirecorder-gpsd")
file(READ "${POI_SOURCE_DIR}/resources/systemd/poirecorder-gpsd.service.in" unit)
string(CONFIGURE "${unit}" unit @ONLY)
file(WRITE "${made}/poirecorder-gpsd.service" "${unit}")
file(INSTALL "${made}/poirecorder-gpsd.service" DESTINATION "${CMAKE_INSTALL_PREFIX}/lib/systemd/user")

# The manual pages name the installed sample categories; roff wants a hyphen as "\-". They are
# compressed without a time stamp, so that the same sources give the same bytes.
string(REPLACE "-" "\\-" samples "${datadir}/${POI_DATA_NAME}/pois")
file(GLOB pages "${POI_SOURCE_DIR}/resources/man/*.1")
foreach(page IN LISTS pages)
  get_filename_component(name "${page}" NAME)
  file(READ "${page}" text)
  string(REPLACE "@POI_INSTALLED_SAMPLES@" "${samples}" text "${text}")
  file(WRITE "${made}/${name}" "${text}")
  execute_process(COMMAND gzip -9 -n -f "${made}/${name}" COMMAND_ERROR_IS_FATAL ANY)
  file(INSTALL "${made}/${name}.gz" DESTINATION "${mandir}/man1")
endforeach()
