# trailcam_windows_resources(<target> <description>): the icon, the manifest
# and the version information of a Windows program.
set(TRAILCAM_PRODUCT_NAME "4G Trail camera Setting")
set(TRAILCAM_PUBLISHER "The trailcam-settings developers")
set(TRAILCAM_COPYRIGHT "Copyright (c) 2026 The trailcam-settings developers. MIT licence.")

function(trailcam_windows_resources target description)
  if(NOT WIN32)
    return()
  endif()
  set(TRAILCAM_RC_NAME ${target})
  set(TRAILCAM_RC_DESCRIPTION "${description}")
  set(TRAILCAM_RC_ICON ${PROJECT_SOURCE_DIR}/packaging/icons/trailcam-settings.ico)
  set(TRAILCAM_RC_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/program.manifest.in ${TRAILCAM_RC_MANIFEST} @ONLY)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/program.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
endfunction()
