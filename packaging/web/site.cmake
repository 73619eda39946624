# The web edition: build-web/site/ holds our page, the program (its script,
# its WebAssembly and a gzip copy for servers that send that), the icons, the
# web app manifest, the service worker that keeps them for offline use, and
# the licences; trailcam-settings-<version>-web.zip of it is the package.
set(TRAILCAM_SITE ${PROJECT_BINARY_DIR}/site CACHE INTERNAL "the web edition's site")
if(NOT EXISTS "${QT6_INSTALL_PREFIX}/licenses/LGPL-3.0-only.txt")
  message(FATAL_ERROR "Qt's licence texts are missing from ${QT6_INSTALL_PREFIX}/licenses")
endif()
find_program(TRAILCAM_GZIP gzip REQUIRED)
set(site_sources index.html.in page.js page.css manifest.webmanifest.in sw.js.in assemble.cmake)
list(TRANSFORM site_sources PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
add_custom_target(site ALL
  COMMAND ${CMAKE_COMMAND}
    -DSITE=${TRAILCAM_SITE}
    -DPROGRAM=$<TARGET_FILE:trailcam-settings>
    -DSOURCE=${CMAKE_CURRENT_LIST_DIR}
    -DICONS=${CMAKE_CURRENT_SOURCE_DIR}/icons
    -DVERSION=${PROJECT_VERSION}
    -DLICENSE=${PROJECT_SOURCE_DIR}/LICENSE
    -DQT_LICENSES=${QT6_INSTALL_PREFIX}/licenses
    -DGZIP=${TRAILCAM_GZIP}
    -P ${CMAKE_CURRENT_LIST_DIR}/assemble.cmake
  DEPENDS trailcam-settings ${site_sources}
  COMMENT "Assembling the site in ${TRAILCAM_SITE}"
  VERBATIM)
set(web_zip ${PROJECT_BINARY_DIR}/trailcam-settings-${PROJECT_VERSION}-web.zip)
add_custom_target(web-package
  COMMAND ${CMAKE_COMMAND} -E rm -f ${web_zip}
  COMMAND ${CMAKE_COMMAND} -E chdir ${TRAILCAM_SITE} ${CMAKE_COMMAND} -E tar cf ${web_zip} --format=zip .
  DEPENDS site
  COMMENT "Packing ${web_zip}"
  VERBATIM)
