# Installation for packagers: `cmake --install` (or `make install` with PREFIX
# and DESTDIR). The program goes to libexec, since it must run in a working
# directory holding its data; the launcher on the PATH prepares a per-user one
# and starts it there. The data under share/quonkle is read-only.
include(GNUInstallDirs)

set(QUONKLE_APP_ID org.quonkle.Quonkle)
# Where the three parts go, relative to the prefix. Debian lays games out as
# games, lib/games/quonkle and share/games/quonkle (see debian/rules).
set(QUONKLE_INSTALL_BIN_DIR ${CMAKE_INSTALL_BINDIR}
  CACHE STRING "Launcher directory, relative to the prefix")
set(QUONKLE_INSTALL_PROGRAM_DIR ${CMAKE_INSTALL_LIBEXECDIR}/quonkle
  CACHE STRING "Game program directory, relative to the prefix")
set(QUONKLE_INSTALL_DATA_DIR ${CMAKE_INSTALL_DATADIR}/quonkle
  CACHE STRING "Game data directory, relative to the prefix")
# The pristine generated high.txt; the one in the game folder may hold the
# developer's own scores by now.
set(QUONKLE_DEFAULT_HIGH_SCORES ${CMAKE_BINARY_DIR}/game-defaults/high.txt)

install(TARGETS quonkle RUNTIME DESTINATION ${QUONKLE_INSTALL_PROGRAM_DIR})

install(DIRECTORY ${QUONKLE_GAME_DIR}/gdat ${QUONKLE_GAME_DIR}/sdat ${QUONKLE_GAME_DIR}/runs
  DESTINATION ${QUONKLE_INSTALL_DATA_DIR}
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
  DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
    GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
install(FILES ${QUONKLE_GAME_DIR}/levels.txt ${QUONKLE_DEFAULT_HIGH_SCORES}
  DESTINATION ${QUONKLE_INSTALL_DATA_DIR})

# The launcher finds the program and the data relative to itself.
file(RELATIVE_PATH QUONKLE_REL_PROGRAM /${QUONKLE_INSTALL_BIN_DIR}
  /${QUONKLE_INSTALL_PROGRAM_DIR}/quonkle)
file(RELATIVE_PATH QUONKLE_REL_DATA /${QUONKLE_INSTALL_BIN_DIR} /${QUONKLE_INSTALL_DATA_DIR})
configure_file(${PROJECT_SOURCE_DIR}/packaging/quonkle.in
  ${CMAKE_BINARY_DIR}/packaging/quonkle @ONLY)
install(PROGRAMS ${CMAKE_BINARY_DIR}/packaging/quonkle DESTINATION ${QUONKLE_INSTALL_BIN_DIR})

# The manual page names the installed places in full.
set(QUONKLE_FULL_PROGRAM ${CMAKE_INSTALL_PREFIX}/${QUONKLE_INSTALL_PROGRAM_DIR}/quonkle)
set(QUONKLE_FULL_DATA_DIR ${CMAKE_INSTALL_PREFIX}/${QUONKLE_INSTALL_DATA_DIR})
configure_file(${PROJECT_SOURCE_DIR}/packaging/quonkle.6.in
  ${CMAKE_BINARY_DIR}/packaging/quonkle.6 @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/quonkle.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# The licence; a Debian package carries it in its copyright file instead.
option(QUONKLE_INSTALL_LICENSE "Install LICENSE under share/doc/quonkle" ON)
if(QUONKLE_INSTALL_LICENSE)
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quonkle)
endif()

# Desktop integration.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/${QUONKLE_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/${QUONKLE_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 48 64 128 256)
  install(FILES ${CMAKE_BINARY_DIR}/icons/quonkle-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME ${QUONKLE_APP_ID}.png)
endforeach()
