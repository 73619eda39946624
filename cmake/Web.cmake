# -Os: a smaller download than -O3, and no slower to start.
string(REPLACE "-O3" "-Os" CMAKE_CXX_FLAGS_RELEASE "${CMAKE_CXX_FLAGS_RELEASE}")

# What every program of the web build shares.
function(trailcam_web_program target)
  # The page's Content-Security-Policy forbids eval(); embind then does
  # without generated code.
  target_link_options(${target} PRIVATE -sDYNAMIC_EXECUTION=0)
  # The form's one image, its icon, is a BMP, which Qt reads without a plugin.
  qt_import_plugins(${target} EXCLUDE_BY_TYPE imageformats)
endfunction()

