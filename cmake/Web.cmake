# QUONKLE_WEB: the browser's build in BUILD/web (the site) from BUILD/web-build,
# a CMake project of its own (web/) on Debian's emscripten toolchain, made
# after the game's data. It builds again on every build of the main tree
# and compiles only what changed.
include(ExternalProject)

find_program(QUONKLE_EMCMAKE emcmake REQUIRED)
# Debian's node does not look in /usr/share/nodejs, where emscripten's
# JavaScript modules are.
set(QUONKLE_EM_ENV ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
set(QUONKLE_SITE_DIR ${CMAKE_BINARY_DIR}/web)

ExternalProject_Add(quonkle_web
  SOURCE_DIR ${PROJECT_SOURCE_DIR}/web
  BINARY_DIR ${CMAKE_BINARY_DIR}/web-build
  CONFIGURE_COMMAND ${QUONKLE_EM_ENV} ${QUONKLE_EMCMAKE} ${CMAKE_COMMAND} <SOURCE_DIR>
    -DQUONKLE_GAME_DIR=${QUONKLE_GAME_DIR} -DQUONKLE_SITE_DIR=${QUONKLE_SITE_DIR}
  BUILD_COMMAND ${QUONKLE_EM_ENV} ${CMAKE_COMMAND} --build <BINARY_DIR>
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  DEPENDS game_data)
