# What `cmake --install` lays out under any prefix, and the Debian package
# `cpack -G DEB` makes of it:
#   bin/sorca
#   share/sorca/Resources/                      the game's data
#   share/applications/<id>.desktop              the desktop entry
#   share/icons/hicolor/{256x256,scalable}/apps/ the icon and its drawing
#   share/metainfo/<id>.metainfo.xml             AppStream metadata
#   share/man/man6/sorca.6.gz                    the manual page
# The installed program finds its data as ../share/sorca from its own folder.
include(GNUInstallDirs)

# One name for the desktop entry, the icon and the AppStream component.
set(SORCA_APP_ID "org.tarnel.sorca")
set(SORCA_RELEASE_DATE "2026-12-06")
set(SORCA_PACKAGE_MAINTAINER "Sorca developers <sorca@example.org>" CACHE STRING
    "The Maintainer field of the Debian package")

find_program(SORCA_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(SORCA_GZIP gzip REQUIRED)

set(SORCA_PACKAGING_SOURCE ${CMAKE_SOURCE_DIR}/packaging)
set(SORCA_PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)
set(SORCA_ICON_SOURCE ${CMAKE_SOURCE_DIR}/assets/Icon/sorca.svg)

configure_file(${SORCA_PACKAGING_SOURCE}/sorca.desktop.in
               ${SORCA_PACKAGING_OUT}/${SORCA_APP_ID}.desktop @ONLY)
configure_file(${SORCA_PACKAGING_SOURCE}/sorca.metainfo.xml.in
               ${SORCA_PACKAGING_OUT}/${SORCA_APP_ID}.metainfo.xml @ONLY)
configure_file(${SORCA_PACKAGING_SOURCE}/sorca.6.in ${SORCA_PACKAGING_OUT}/sorca.6 @ONLY)

add_custom_command(OUTPUT ${SORCA_PACKAGING_OUT}/${SORCA_APP_ID}.png
  COMMAND ${SORCA_RSVG_CONVERT} --width 256 --height 256
          --output ${SORCA_PACKAGING_OUT}/${SORCA_APP_ID}.png ${SORCA_ICON_SOURCE}
  DEPENDS ${SORCA_ICON_SOURCE}
  COMMENT "Drawing the 256 px icon")
# -n: no name or time stamp inside, so the same page gives the same bytes.
add_custom_command(OUTPUT ${SORCA_PACKAGING_OUT}/sorca.6.gz
  COMMAND ${SORCA_GZIP} -9nkf ${SORCA_PACKAGING_OUT}/sorca.6
  DEPENDS ${SORCA_PACKAGING_OUT}/sorca.6
  COMMENT "Compressing the manual page")
add_custom_target(packaging_files ALL DEPENDS
  ${SORCA_PACKAGING_OUT}/${SORCA_APP_ID}.png ${SORCA_PACKAGING_OUT}/sorca.6.gz)

install(TARGETS sorca RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${SORCA_RESOURCES_DIR} DESTINATION ${CMAKE_INSTALL_DATADIR}/sorca)
install(FILES ${SORCA_PACKAGING_OUT}/${SORCA_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${SORCA_PACKAGING_OUT}/${SORCA_APP_ID}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
install(FILES ${SORCA_ICON_SOURCE} RENAME ${SORCA_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${SORCA_PACKAGING_OUT}/${SORCA_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${SORCA_PACKAGING_OUT}/sorca.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# The Debian package. dpkg-shlibdeps turns the libraries the program links
# (SDL2, SDL2_image, SDL2_mixer, GLEW, OpenGL, FreeType, fontconfig) into
# dependencies; the fonts it asks fontconfig for are named by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sorca)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "puzzle adventure: a sorcerer's apprentice escapes two rooms")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Night has fallen in the wizard's tower and his apprentice is locked in.\n"
  "Walk the two enchanted rooms, look closer at the furniture, gather what\n"
  "you find and work out what opens the way out, through a jigsaw, a clock\n"
  "of three rings, two mazes full of monsters and two spell battles.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${SORCA_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Liberation Serif stands in for Times New Roman, the debug font.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2 | fonts-liberation")
# Mesa's drivers, for machines whose OpenGL comes from nowhere else.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libgl1-mesa-dri")
set(CPACK_DEBIAN_COMPRESSION_TYPE gzip)
include(CPack)
