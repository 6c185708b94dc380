# What a Windows user downloads: an installer (NSIS) and a portable zip, each
# holding dozewell.exe and the default wake-up sound beside it, and the script
# that carries its requests to a Linux desktop under Wine. From the MinGW
# build tree:
#
#   cmake --build --preset mingw --target dozewell
#   cpack --config build/mingw/CPackConfig.cmake -B build/mingw/packages
#
# gives build/mingw/packages/Dozewell-<version>-setup.exe and
# Dozewell-<version>-win64.zip. The installer's script is
# cmake/packaging/NSIS.template.in.
install(TARGETS dozewell RUNTIME DESTINATION .)
# The copy the build places beside the program.
install(FILES $<TARGET_FILE_DIR:dozewell>/wakeup.wav DESTINATION .)
# Run only under Wine, where the host starts it itself and so needs it
# executable (the zip keeps that mark for unzip on Linux).
install(PROGRAMS $<TARGET_FILE_DIR:dozewell>/dozewell-host.sh DESTINATION .)

set(CPACK_PACKAGE_NAME Dozewell)
set(CPACK_PACKAGE_VENDOR ${DZ_PUBLISHER})
set(CPACK_PACKAGE_VERSION ${DZ_VERSION_TEXT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${DZ_DESCRIPTION})
set(CPACK_PACKAGE_HOMEPAGE_URL ${DZ_WEB_SITE})
set(CPACK_PACKAGE_INSTALL_DIRECTORY Dozewell)
set(CPACK_PACKAGE_FILE_NAME Dozewell-${DZ_VERSION_TEXT}-win64)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/packaging/PerGenerator.cmake)
# Read by the installer's script.
set(CPACK_DZ_PROGRAM_FILE dozewell.exe)
set(CPACK_DZ_SETTINGS_FILE folderS.txt)
set(CPACK_DZ_HOST_LOG_FILE dozewell-host.log)
set(CPACK_DZ_ICON_FILE ${PROJECT_SOURCE_DIR}/resources/dozewell.ico)
set(CPACK_DZ_VERSION_QUAD ${DZ_VERSION_QUAD})
set(CPACK_DZ_COPYRIGHT ${DZ_COPYRIGHT})
# CPack takes the installer's script from the module path.
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR}/packaging)
include(CPack)
