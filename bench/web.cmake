# The page's start-up against a floor built the same way: a window of about
# as many plain widgets as the editor has. bench/web_startup.py serves them
# beside the site and times them in headless Chromium.
foreach(probe editor floor)
  qt_add_executable(startup-probe-web-${probe} ${CMAKE_CURRENT_LIST_DIR}/startup_probe.cpp)
  trailcam_web_program(startup-probe-web-${probe})
endforeach()
target_compile_definitions(startup-probe-web-editor PRIVATE PROBE_EDITOR)
target_link_libraries(startup-probe-web-editor PRIVATE trailcam_app trailcam_warnings)
target_compile_definitions(startup-probe-web-floor PRIVATE PROBE_PLAIN)
target_link_libraries(startup-probe-web-floor PRIVATE Qt6::Widgets trailcam_warnings)
