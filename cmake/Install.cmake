# What `cmake --install` puts beside the programs (each program installs itself where it is
# built): the sample categories, the desktop entry, icon and metainfo, the manual pages, and
# the licence and release notes.

# The release this tree builds, read from the newest entry of packaging/changelog, which must
# be the project's version: the package, the metainfo and the release notes say the same.
file(STRINGS ${CMAKE_SOURCE_DIR}/packaging/changelog POI_CHANGELOG_LINES)
list(GET POI_CHANGELOG_LINES 0 POI_CHANGELOG_HEAD)
if(NOT POI_CHANGELOG_HEAD MATCHES "^${POI_DATA_NAME} \\(([^)]+)\\)")
  message(FATAL_ERROR "packaging/changelog does not begin with an entry for ${POI_DATA_NAME}")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR
    "packaging/changelog begins with version ${CMAKE_MATCH_1}, the project is ${PROJECT_VERSION}")
endif()
foreach(line IN LISTS POI_CHANGELOG_LINES)
  if(line MATCHES "^ -- (.+ <[^>]+>)  [A-Z][a-z][a-z], ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9]+) ")
    set(POI_MAINTAINER "${CMAKE_MATCH_1}")
    set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    list(FIND months "${CMAKE_MATCH_3}" month)
    math(EXPR month "${month} + 1" OUTPUT_FORMAT DECIMAL)
    if(month LESS 10)
      set(month "0${month}")
    endif()
    set(POI_RELEASE_DATE "${CMAKE_MATCH_4}-${month}-${CMAKE_MATCH_2}")
    break()
  endif()
endforeach()
if(NOT POI_RELEASE_DATE)
  message(FATAL_ERROR "packaging/changelog's newest entry has no signature line")
endif()

set(POI_HOMEPAGE_URL "https://poirecorder.org/" CACHE STRING
  "The project's web page, named in the metainfo and the package")
set(POI_SCREENSHOT_URL "${POI_HOMEPAGE_URL}screenshots/" CACHE STRING
  "Where the metainfo's screenshots (docs/*-page.png) are published, ending with /")

set(POI_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/${POI_DATA_NAME})
set(POI_GENERATED ${CMAKE_BINARY_DIR}/installed)

# The sample categories, which an installed program copies into the user's data folder.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/sample/pois/
  DESTINATION ${CMAKE_INSTALL_DATADIR}/${POI_DATA_NAME}/pois)

# The desktop's view of the program, all under the one id.
configure_file(${CMAKE_SOURCE_DIR}/resources/desktop/app.desktop.in
  ${POI_GENERATED}/${POI_APP_ID}.desktop @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/resources/desktop/app.metainfo.xml.in
  ${POI_GENERATED}/${POI_APP_ID}.metainfo.xml @ONLY)
install(FILES ${POI_GENERATED}/${POI_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${POI_GENERATED}/${POI_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/icon.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${POI_APP_ID}.svg)

# The release notes are installed compressed, without a time stamp in the compressed file,
# so that the same sources give the same bytes.
set(POI_COMPRESSED_FILES)
function(poi_install_compressed source name destination)
  set(compressed ${POI_GENERATED}/${name}.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${POI_GENERATED}/${name}
    COMMAND gzip -9 -n -f ${POI_GENERATED}/${name}
    DEPENDS ${source} VERBATIM)
  install(FILES ${compressed} DESTINATION ${destination})
  set(POI_COMPRESSED_FILES ${POI_COMPRESSED_FILES} ${compressed} PARENT_SCOPE)
endfunction()

poi_install_compressed(${CMAKE_SOURCE_DIR}/packaging/changelog changelog ${POI_DOC_DIR})
add_custom_target(compressed_documents ALL DEPENDS ${POI_COMPRESSED_FILES})

# The licence, as the machine-readable copyright file Debian reads.
file(READ ${CMAKE_SOURCE_DIR}/LICENSE POI_LICENSE_TEXT)
string(REGEX REPLACE "\n+$" "" POI_LICENSE_TEXT "${POI_LICENSE_TEXT}")
if(NOT POI_LICENSE_TEXT MATCHES "^MIT License\n\nCopyright \\(c\\) ([^\n]+)\n\n")
  message(FATAL_ERROR "LICENSE does not begin with its title and copyright line")
endif()
set(POI_COPYRIGHT "${CMAKE_MATCH_1}")
# The licence's own text, without its title and copyright line.
string(REGEX REPLACE "^MIT License\n\nCopyright[^\n]*\n\n" "" POI_LICENSE_TEXT
  "${POI_LICENSE_TEXT}")
string(REGEX REPLACE "\n\n" "\n.\n" POI_LICENSE_TEXT "${POI_LICENSE_TEXT}")
string(REGEX REPLACE "\n" "\n " POI_LICENSE_TEXT "${POI_LICENSE_TEXT}")
file(CONFIGURE OUTPUT ${POI_GENERATED}/copyright @ONLY CONTENT
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: POI Recorder
Source: @POI_HOMEPAGE_URL@

Files: *
Copyright: @POI_COPYRIGHT@
License: Expat
 @POI_LICENSE_TEXT@
")
install(FILES ${POI_GENERATED}/copyright DESTINATION ${POI_DOC_DIR})

# Only the Debian package carries what Debian's checker needs to know about it.
install(FILES ${CMAKE_SOURCE_DIR}/packaging/lintian-overrides
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides RENAME ${POI_DATA_NAME}
  COMPONENT debian EXCLUDE_FROM_ALL)

# The files that name installed paths are made when the prefix is known: at install time.
install(CODE "
  set(POI_SOURCE_DIR \"${CMAKE_SOURCE_DIR}\")
  set(POI_GENERATED \"${POI_GENERATED}\")
  set(POI_BINDIR \"${CMAKE_INSTALL_BINDIR}\")
  set(POI_DATADIR \"${CMAKE_INSTALL_DATADIR}\")
  set(POI_MANDIR \"${CMAKE_INSTALL_MANDIR}\")
  set(POI_DATA_NAME \"${POI_DATA_NAME}\")
  include(\"${CMAKE_SOURCE_DIR}/cmake/InstallPrefixed.cmake\")")
