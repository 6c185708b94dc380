# The program's version is the project's (project() in the top CMakeLists.txt,
# the one place it is set, with the web site and the description). The
# resource script's version block and the tests that read it back take them
# from the header written here; the installer and the zip are named with the
# version, and the installer's version block and uninstall entry carry them.
set(DZ_VERSION_MAJOR ${PROJECT_VERSION_MAJOR})
set(DZ_VERSION_MINOR ${PROJECT_VERSION_MINOR})
if(PROJECT_VERSION_PATCH STREQUAL "")
  set(DZ_VERSION_PATCH 0)
else()
  set(DZ_VERSION_PATCH ${PROJECT_VERSION_PATCH})
endif()
set(DZ_VERSION_TEXT ${PROJECT_VERSION})
set(DZ_VERSION_QUAD ${DZ_VERSION_MAJOR}.${DZ_VERSION_MINOR}.${DZ_VERSION_PATCH}.0)
set(DZ_PUBLISHER "Dozewell")
set(DZ_COPYRIGHT "Copyright (C) the Dozewell authors")
set(DZ_DESCRIPTION "${PROJECT_DESCRIPTION}")
set(DZ_WEB_SITE "${PROJECT_HOMEPAGE_URL}")
set(DZ_GENERATED_DIR ${PROJECT_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/DozewellVersion.h.in ${DZ_GENERATED_DIR}/DozewellVersion.h @ONLY)

# Texts kept in the sources that name the version or the web site too: a new
# version must not leave one of them behind. Each is a file, a regular
# expression with one group, and what that group must be.
function(dz_expect_everywhere file pattern want)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${file})
  file(READ ${PROJECT_SOURCE_DIR}/${file} text)
  string(REGEX MATCHALL "${pattern}" found "${text}")
  if(NOT found)
    message(FATAL_ERROR "${file} no longer names the version where it did; see cmake/Version.cmake.")
  endif()
  foreach(match IN LISTS found)
    string(REGEX REPLACE "${pattern}" "\\1" got "${match}")
    if(NOT got STREQUAL want)
      message(FATAL_ERROR "The project's version is ${DZ_VERSION_TEXT} (web site ${DZ_WEB_SITE}), but "
                          "${file} has ${match}: change them together.")
    endif()
  endforeach()
endfunction()
# The window's caption is a fixed text of the layout.
dz_expect_everywhere(alarm/Form1Layout.cpp "Dozewell  Version ([0-9.]+)\"" ${DZ_VERSION_TEXT})
dz_expect_everywhere(app/dozewell.manifest "name=\"Dozewell\" version=\"([0-9.]+)\"" ${DZ_VERSION_QUAD})
dz_expect_everywhere(README.md "Dozewell-([0-9.]+)-(setup|win64)" ${DZ_VERSION_TEXT})
dz_expect_everywhere(runtime/Shell.h "kWebSiteAddress = \"([^\"]*)\"" ${DZ_WEB_SITE})
