# Installing the game like a desktop game, and its Debian package.
#
# `cmake --install <build> [--prefix P]` puts the program in P/bin, every
# media file in P/share/trivenza, and the desktop's entry, icons, AppStream
# metadata and manual page where the desktop looks for them. `cpack` in the
# build folder (scripts/package) makes the Debian package of the same files.
include(GNUInstallDirs)

set(TRIVENZA_APP_ID "org.example.trivenza" CACHE STRING
    "AppStream component id (the game's domain name reversed)")
set(TRIVENZA_HOMEPAGE "https://trivenza.example/" CACHE STRING
    "The game's home page, ending in /; the AppStream screenshot is screenshots/board.png there")
set(TRIVENZA_MAINTAINER "The Trivenza developers <trivenza@example.org>" CACHE STRING
    "Maintainer of the Debian package")

set(TRIVENZA_INSTALL_MEDIA_DIR ${CMAKE_INSTALL_DATADIR}/trivenza)
set(TRIVENZA_FULL_MEDIA_DIR ${CMAKE_INSTALL_FULL_DATADIR}/trivenza)
set(TRIVENZA_INSTALL_FILES ${CMAKE_BINARY_DIR}/install-files)
file(MAKE_DIRECTORY ${TRIVENZA_INSTALL_FILES})

# The program finds its media from its own folder, so an installed tree works
# wherever it lies (any prefix, a package unpacked elsewhere).
file(RELATIVE_PATH TRIVENZA_MEDIA_FROM_PROGRAM ${CMAKE_INSTALL_FULL_BINDIR} ${TRIVENZA_FULL_MEDIA_DIR})
target_compile_definitions(trivenza_core PRIVATE TRIVENZA_MEDIA_FROM_PROGRAM="${TRIVENZA_MEDIA_FROM_PROGRAM}")

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# --- What the build makes for the installation -------------------------------

# The icons, drawn by the media generator from the title art.
set(ICON_DIR ${CMAKE_BINARY_DIR}/icons)
set(ICON_STAMP ${ICON_DIR}/icons.stamp)
add_custom_command(
  OUTPUT ${ICON_STAMP}
  COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tools/mediagen/generate.py --group icons
          --data ${CMAKE_SOURCE_DIR}/data --out ${ICON_DIR} --stamp ${ICON_STAMP}
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/mediagen/icons.py ${CMAKE_SOURCE_DIR}/tools/mediagen/generate.py
          ${CMAKE_SOURCE_DIR}/tools/mediagen/scenery_draw.py ${CMAKE_SOURCE_DIR}/tools/mediagen/common_style.py
          ${CMAKE_SOURCE_DIR}/tools/mediagen/common.py
  COMMENT "Drawing the desktop icons"
  VERBATIM)

# The champions list each player of an installed game starts from.
set(SEED_CHAMPIONS ${TRIVENZA_INSTALL_FILES}/vantoc.mm3)
add_custom_command(
  OUTPUT ${SEED_CHAMPIONS}
  COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tools/mediagen/champions_file.py
          ${CMAKE_SOURCE_DIR}/data/champions.txt ${SEED_CHAMPIONS}
  DEPENDS ${CMAKE_SOURCE_DIR}/data/champions.txt ${CMAKE_SOURCE_DIR}/tools/mediagen/champions_file.py
          ${CMAKE_SOURCE_DIR}/tools/mediagen/champion_table.py ${CMAKE_SOURCE_DIR}/tools/mediagen/common.py
  COMMENT "Writing the installed champions list"
  VERBATIM)

# The manual page and the package's change log, compressed as Debian ships
# them (no name or time stamp inside, so every build makes the same bytes).
configure_file(${CMAKE_SOURCE_DIR}/packaging/trivenza.6.in ${TRIVENZA_INSTALL_FILES}/trivenza.6 @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/trivenza.metainfo.xml.in
               ${TRIVENZA_INSTALL_FILES}/${TRIVENZA_APP_ID}.metainfo.xml @ONLY)
foreach(doc trivenza.6 changelog)
  if(doc STREQUAL "changelog")
    set(doc_source ${CMAKE_SOURCE_DIR}/packaging/changelog)
  else()
    set(doc_source ${TRIVENZA_INSTALL_FILES}/${doc})
  endif()
  add_custom_command(
    OUTPUT ${TRIVENZA_INSTALL_FILES}/${doc}.gz
    COMMAND sh -c "gzip -9 -n -c \"$0\" > \"$1.part\" && mv \"$1.part\" \"$1\""
            ${doc_source} ${TRIVENZA_INSTALL_FILES}/${doc}.gz
    DEPENDS ${doc_source}
    COMMENT "Compressing ${doc}"
    VERBATIM)
endforeach()

add_custom_target(install-files ALL DEPENDS ${ICON_STAMP} ${SEED_CHAMPIONS}
                  ${TRIVENZA_INSTALL_FILES}/trivenza.6.gz ${TRIVENZA_INSTALL_FILES}/changelog.gz)

# --- Install rules ---------------------------------------------------------------

install(TARGETS trivenza RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The media: every file the game loads, from the folder the tests also take
# the media from (this build's game folder, or the one it reuses).
install(CODE "set(TRIVENZA_MEDIA_SOURCE \"${TRIVENZA_MEDIA_DIR}\")
set(TRIVENZA_MEDIA_DESTINATION \"${TRIVENZA_INSTALL_MEDIA_DIR}\")")
install(SCRIPT ${CMAKE_SOURCE_DIR}/packaging/install_media.cmake)
install(FILES ${SEED_CHAMPIONS} DESTINATION ${TRIVENZA_INSTALL_MEDIA_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/packaging/trivenza.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(DIRECTORY ${ICON_DIR}/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons
        FILES_MATCHING PATTERN "*.png")
install(FILES ${TRIVENZA_INSTALL_FILES}/${TRIVENZA_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${TRIVENZA_INSTALL_FILES}/trivenza.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright ${TRIVENZA_INSTALL_FILES}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/trivenza)

# --- The Debian package (cpack) ---------------------------------------------------

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME trivenza)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${TRIVENZA_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "trivia game staged as a television quiz show")
# The synopsis above is the description's first line; this is the rest.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Three contestants stand on a stage, each with a board of ten challenge
cells. One defends; a category is drawn, the other two challenge for a
cell, and the defender answers a four-choice question against the clock.
The host presents everything aloud, with captions, and the contestants
answer in their own voices. Play against two computer contestants, or
share the keyboard and mouse with up to two friends.")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TRIVENZA_HOMEPAGE})
# The libraries as dpkg-shlibdeps finds them (SDL2, SDL2_ttf, libjpeg-turbo,
# fontconfig, zlib, the C and C++ libraries); the fonts every text is drawn
# in ("Times New Roman" and "Courier" are Liberation Serif and Mono).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
include(CPack)

# The installed package, tested (label "package"): scripts/package turns this
# on in its build folder and makes the package the test unpacks.
option(TRIVENZA_PACKAGE_TEST "Test the Debian package made in this build folder" OFF)
if(TRIVENZA_PACKAGE_TEST)
  add_test(NAME installed_package
           COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tests/package/installed_game_test.py
                   --deb-dir ${CMAKE_BINARY_DIR} --media-dir ${TRIVENZA_MEDIA_DIR}
                   --out ${CMAKE_BINARY_DIR}/tests/test-output/installed_package)
  set_tests_properties(installed_package PROPERTIES LABELS package TIMEOUT 600)
endif()
