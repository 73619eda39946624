# Start-up time and memory of the editor against an empty Qt window and one
# of plain widgets as many as the editor has.
add_executable(startup-probe-editor startup_probe.cpp)
target_compile_definitions(startup-probe-editor PRIVATE PROBE_EDITOR)
target_link_libraries(startup-probe-editor PRIVATE trailcam_app trailcam_warnings)

add_executable(startup-probe-floor startup_probe.cpp)
target_link_libraries(startup-probe-floor PRIVATE Qt6::Widgets trailcam_warnings)

add_executable(startup-probe-plain startup_probe.cpp)
target_compile_definitions(startup-probe-plain PRIVATE PROBE_PLAIN)
target_link_libraries(startup-probe-plain PRIVATE Qt6::Widgets trailcam_warnings)

# Windows' working-set figure comes from psapi.
if(WIN32)
  foreach(probe startup-probe-editor startup-probe-floor startup-probe-plain)
    target_link_libraries(${probe} PRIVATE psapi)
  endforeach()
endif()

add_executable(bench-startup startup_runner.cpp)
target_link_libraries(bench-startup PRIVATE Qt6::Core trailcam_warnings)
add_dependencies(bench-startup startup-probe-editor startup-probe-plain startup-probe-floor)
