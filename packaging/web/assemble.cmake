# Run by the site target (site.cmake) with SITE, PROGRAM, SOURCE, ICONS,
# VERSION, LICENSE, QT_LICENSES and GZIP set.
get_filename_component(program_dir ${PROGRAM} DIRECTORY)
get_filename_component(program ${PROGRAM} NAME_WE)
file(REMOVE_RECURSE ${SITE})
file(MAKE_DIRECTORY ${SITE})
file(COPY ${program_dir}/${program}.js ${program_dir}/${program}.wasm
  ${SOURCE}/page.js ${SOURCE}/page.css ${ICONS}/trailcam-settings.svg DESTINATION ${SITE})
foreach(size 192 512)
  file(COPY_FILE ${ICONS}/${size}x${size}/trailcam-settings.png ${SITE}/trailcam-settings-${size}.png)
endforeach()
set(PROJECT_VERSION ${VERSION})
configure_file(${SOURCE}/index.html.in ${SITE}/index.html @ONLY)
configure_file(${SOURCE}/manifest.webmanifest.in ${SITE}/manifest.webmanifest @ONLY)

# Ours, then Qt's (linked in), then the fonts' (the form's face is embedded).
set(texts "trailcam-settings ${VERSION}\n\n")
file(READ ${LICENSE} text)
string(APPEND texts "${text}\n")
file(GLOB qt_licenses ${QT_LICENSES}/*.txt)
string(APPEND texts "\n==== Qt 6 (qtbase, with its bundled libraries and the DejaVu fonts), linked in\n")
foreach(license ${qt_licenses})
  get_filename_component(name ${license} NAME_WE)
  file(READ ${license} text)
  string(APPEND texts "\n---- ${name}\n\n${text}")
endforeach()
foreach(font fonts-wqy-zenhei fonts-wqy-microhei)
  file(READ /usr/share/doc/${font}/copyright text)
  string(APPEND texts "\n==== ${font} (glyphs of the form's face, embedded)\n\n${text}")
endforeach()
file(WRITE ${SITE}/licenses.txt "${texts}")

# The service worker keeps every file the page uses; its cache is named by
# their bytes, so a new build replaces what browsers kept.
file(GLOB kept RELATIVE ${SITE} ${SITE}/*)
list(SORT kept)
set(hashes "")
foreach(name ${kept})
  file(SHA256 ${SITE}/${name} hash)
  string(APPEND hashes "${name} ${hash}\n")
endforeach()
string(SHA256 SITE_HASH "${hashes}")
string(SUBSTRING ${SITE_HASH} 0 12 SITE_HASH)
list(TRANSFORM kept PREPEND "'./")
list(TRANSFORM kept APPEND "'")
list(PREPEND kept "'./'")
list(JOIN kept ", " SITE_FILES)
configure_file(${SOURCE}/sw.js.in ${SITE}/sw.js @ONLY)

# For servers that send a stored gzip copy (nginx's gzip_static and the like).
execute_process(COMMAND ${GZIP} -9 -n -k ${SITE}/${program}.wasm RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "gzip failed on ${SITE}/${program}.wasm")
endif()
