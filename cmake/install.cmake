# What `cmake --install` puts where: the program in games/, its pictures, sounds and
# tracks in share/games/vantorello (the program finds them from its own location), the
# web service in bin/, and the desktop entry, metainfo, icons, manual pages and the
# service's systemd unit.
include(GNUInstallDirs)
set(VR_INSTALL_GAMESDIR games CACHE STRING "Folder of the game program, relative to the prefix")
set(VR_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/games/vantorello CACHE STRING
    "Folder of the game's data, relative to the prefix")
set(VR_SYSTEMD_UNIT_DIR lib/systemd/system CACHE STRING "Folder of systemd system units")
set(VR_INSTALL_DEFAULTSDIR ${CMAKE_INSTALL_FULL_SYSCONFDIR}/default CACHE STRING
    "Folder of the service's settings file (/etc/default on Debian)")

set(VR_SERVICE_EXE ${CMAKE_INSTALL_FULL_BINDIR}/vantorello-service)

install(TARGETS vantorello RUNTIME DESTINATION ${VR_INSTALL_GAMESDIR})
install(TARGETS vantorello-service RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

if(VR_BUILD_ASSETS)
  # Only what the generators made: the run folder of a build may also hold a player's files.
  install(DIRECTORY ${VR_RUN_DIR}/GFX ${VR_RUN_DIR}/SFX ${VR_RUN_DIR}/SAMPLES
          DESTINATION ${VR_INSTALL_DATADIR}
          PATTERN ".vr_artgen.stamp" EXCLUDE)
  install(DIRECTORY ${VR_ICON_DIR}/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
endif()

install(FILES ${CMAKE_SOURCE_DIR}/dist/vantorello.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/dist/org.example.vantorello.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/man/vantorello.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_SOURCE_DIR}/man/vantorello-service.8 DESTINATION ${CMAKE_INSTALL_MANDIR}/man8)

configure_file(${CMAKE_SOURCE_DIR}/server/vantorello-service.service.in
               ${CMAKE_BINARY_DIR}/dist/vantorello-service.service @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/dist/vantorello-service.service DESTINATION ${VR_SYSTEMD_UNIT_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/server/vantorello-service.default DESTINATION ${VR_INSTALL_DEFAULTSDIR}
        RENAME vantorello-service)

# The install test installs into a temporary DESTDIR and plays the installed game under Xvfb.
if(VR_BUILD_TESTS AND VR_BUILD_ASSETS AND NOT VR_SANITIZE)
  add_test(NAME Install.PlaysTheInstalledGameAndTakesALiveUpdate
           COMMAND ${CMAKE_SOURCE_DIR}/tests/install/install_test.sh ${CMAKE_BINARY_DIR})
  set_tests_properties(Install.PlaysTheInstalledGameAndTakesALiveUpdate PROPERTIES TIMEOUT 600)
endif()
