# `cpack -G DEB` in the build folder makes a Debian package of what `cmake --install` puts in
# /usr. Its dependencies are the shared libraries the programs link, found by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${POI_DATA_NAME})
set(CPACK_PACKAGE_VENDOR "The POI Recorder authors")
set(CPACK_PACKAGE_CONTACT "${POI_MAINTAINER}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "record points of interest at the current GPS position")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "POI Recorder is a small program for drivers. Every start is one recording:\n"
  "it reads the current GPS position, sounds the start and shows the categories\n"
  "as large buttons. A touch files a point of interest left of the street,\n"
  "exactly where you are or right of the street into the category's text file,\n"
  "or deletes the point nearest to you.\n"
  "\n"
  "The position comes from a small text file that a navigation program, or the\n"
  "GPS feeder that reads it from gpsd, keeps current.")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
# The package installs into /usr with that prefix itself (not a staging folder in its place),
# so the files made at install time name the paths the package ships.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Everything `cmake --install` installs, and the Debian package's own files besides.
set(CPACK_INSTALL_CMAKE_PROJECTS
  "${CMAKE_BINARY_DIR};${PROJECT_NAME};ALL;/" "${CMAKE_BINARY_DIR};${PROJECT_NAME};debian;/")
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${POI_HOMEPAGE_URL}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The feeder reads the position from the GPS service; the recorder works without it, from a
# position file another program writes.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS gpsd)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
