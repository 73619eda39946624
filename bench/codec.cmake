# Building and reading one settings image, next to a plain copy of its bytes;
# refusing the deepest values file.
find_package(benchmark QUIET)
if(benchmark_FOUND)
  add_executable(bench-codec ${CMAKE_CURRENT_LIST_DIR}/codec_benchmark.cpp)
  target_link_libraries(bench-codec PRIVATE trailcam_core benchmark::benchmark trailcam_warnings)
else()
  message(STATUS "Google Benchmark not found: bench-codec is not built")
endif()
