# What every program of the web build shares.
function(trailcam_web_program target)
  # The page's Content-Security-Policy forbids eval(); embind then does
  # without generated code.
  target_link_options(${target} PRIVATE -sDYNAMIC_EXECUTION=0)
  # The form's images are PNG, which Qt reads without a plugin.
  qt_import_plugins(${target} EXCLUDE_BY_TYPE imageformats)
endfunction()

