# Installing Fretkit as a Linux application: the two programs, the bundle they find beside
# their prefix (share/fretkit/bundle), the documentation, the manual page, the menu entry with
# its icons and the AppStream description; and a Debian package made from the same rules by
# `cpack -G DEB` in the build folder.
include(GNUInstallDirs)

set(FRETKIT_APP_ID "org.fretkit.Fretkit")

install(TARGETS fretkit RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The bundle lookup falls back to <prefix>/share/fretkit/bundle, so the path is fixed here.
install(DIRECTORY ${FRETKIT_BUNDLE_DIR}/ DESTINATION share/fretkit/bundle)
# Debian names the documentation folder after the package, in lower case.
install(FILES README.md packaging/COPYRIGHT DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/fretkit)
install(FILES ${FRETKIT_MANPAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

if(FRETKIT_BUILD_APP)
  install(TARGETS fretkit-app RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES packaging/${FRETKIT_APP_ID}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES packaging/${FRETKIT_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(DIRECTORY ${FRETKIT_ICONS_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
endif()

set(CPACK_PACKAGE_NAME "fretkit")
set(CPACK_PACKAGE_VENDOR "The Fretkit developers")
set(CPACK_PACKAGE_CONTACT "The Fretkit developers <developers@fretkit.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Tuner, metronome, chords, scales and chord finder for the guitar")
set(CPACK_PACKAGE_DESCRIPTION
    "Fretkit is a tool suite for six-string fretted instruments: a tuner that hears the\n"
    "microphone and shows note and cents on a strobe or a needle; a metronome with\n"
    "sample-exact clicks, accents and tap tempo; a chord library that draws and plays\n"
    "chord shapes; a scale library that finds every playable fingering of a scale over any\n"
    "tuning; a chord finder that names what you fret; and a dealer locator and teacher\n"
    "finder. It comes as a desktop application and the command-line tool fretkit.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://fretkit.org")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "fretkit")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "sound")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its window-system plugin at run time, so no library dependency names it; without a
# font the offscreen and minimal platforms draw no text.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pulseaudio | pipewire-alsa")
include(CPack)
