# What a Windows user gets, as an installer and as a portable zip: the two
# programs at the top of the folder, our licence and Qt's (it is linked in),
# and a short README.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/README.txt DESTINATION .)
if(NOT EXISTS "${QT6_INSTALL_PREFIX}/licenses/LGPL-3.0-only.txt")
  message(FATAL_ERROR "Qt's licence texts are missing from ${QT6_INSTALL_PREFIX}/licenses")
endif()
install(DIRECTORY ${QT6_INSTALL_PREFIX}/licenses/ DESTINATION licenses/Qt)

# cmake --build build-windows --target package
set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_NAME trailcam-settings)
set(CPACK_PACKAGE_VENDOR "${TRAILCAM_PUBLISHER}")
set(CPACK_PACKAGE_FILE_NAME trailcam-settings-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY trailcam-settings)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY trailcam-settings)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
# Our own installer script: per user without administrator rights.
set(CPACK_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
set(CPACK_NSIS_PACKAGE_NAME "${TRAILCAM_PRODUCT_NAME}")
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/packaging/icons/trailcam-settings.ico)
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/cpack-generator.cmake)
include(CPack)
