# Installing like a Linux program, and the Debian package:
#   PREFIX/bin/meldewerk, PREFIX/bin/meldewerk-cli, PREFIX/bin/meldewerk-click
#   PREFIX/share/meldewerk/            the shipped data (the programs find it from ../share/meldewerk)
#   PREFIX/share/applications/         the desktop entry
#   PREFIX/share/icons/hicolor/        the icon, as SVG and in PNG sizes
#   PREFIX/share/metainfo/             the AppStream metadata
#   PREFIX/share/doc/meldewerk/        the licence
# `cmake --install build --prefix PREFIX` installs them; `cpack -G DEB` in build/ packs them.

set(MELDEWERK_APP_ID org.example.Meldewerk)
set(MELDEWERK_PACKAGING ${CMAKE_SOURCE_DIR}/packaging/linux)

install(TARGETS meldewerk meldewerk-cli meldewerk-click RUNTIME DESTINATION bin)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/ DESTINATION share/meldewerk)
install(FILES ${MELDEWERK_PACKAGING}/${MELDEWERK_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${MELDEWERK_PACKAGING}/${MELDEWERK_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(DIRECTORY ${MELDEWERK_PACKAGING}/icons/ DESTINATION share/icons/hicolor)
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION share/doc/meldewerk RENAME copyright)

# The package carries the version the programs show: the number in the first line of ver.ini.
file(STRINGS ${CMAKE_SOURCE_DIR}/data/ver.ini MELDEWERK_VERSION_LINE LIMIT_COUNT 1)
string(REGEX MATCH "[0-9]+(\\.[0-9]+)*" MELDEWERK_VERSION "${MELDEWERK_VERSION_LINE}")
if(NOT MELDEWERK_VERSION)
  message(FATAL_ERROR "data/ver.ini holds no version number: '${MELDEWERK_VERSION_LINE}'")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME meldewerk)
set(CPACK_PACKAGE_VERSION ${MELDEWERK_VERSION})
set(CPACK_PACKAGE_VENDOR "Das Meldewerk-Projekt")
set(CPACK_PACKAGE_CONTACT "Das Meldewerk-Projekt <info@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "submit web sites to search engines (German user interface)")
set(CPACK_PACKAGE_DESCRIPTION
    "Meldewerk gets web sites into search engines. Its built-in crawler finds the most
important pages of a site, and every marked page goes to every chosen engine, with
each answer kept and an HTML result report written. Around this core it offers a
ranking check, a broken-link finder, a meta-tag analysis, a meta-tag generator, a
multi-search and a click tool. meldewerk-cli does the network work from scripts.

The user interface is German. Each user works in ~/.local/share/Meldewerk/, which
receives the engine templates and list files at the first start; newer versions add
their new files there without overwriting the user's changes.")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.example.org/")
# The shared libraries are found by dpkg-shlibdeps; the German captions of Qt's buttons are data.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-qpa-plugins, libqt6svg6")
include(CPack)
