# The program's version is the project's (project() in the top CMakeLists.txt,
# the one place it is set). The resource script's version block and the tests
# that read it back take it from the header written here; the installer and
# the zip are named with it.
set(DZ_VERSION_MAJOR ${PROJECT_VERSION_MAJOR})
set(DZ_VERSION_MINOR ${PROJECT_VERSION_MINOR})
if(PROJECT_VERSION_PATCH STREQUAL "")
  set(DZ_VERSION_PATCH 0)
else()
  set(DZ_VERSION_PATCH ${PROJECT_VERSION_PATCH})
endif()
set(DZ_VERSION_TEXT ${PROJECT_VERSION})
set(DZ_GENERATED_DIR ${PROJECT_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/DozewellVersion.h.in ${DZ_GENERATED_DIR}/DozewellVersion.h @ONLY)

# The window's caption is a fixed text of the layout that names the version
# too: a new version must not leave it behind.
file(READ ${PROJECT_SOURCE_DIR}/alarm/Form1Layout.cpp dz_layout)
if(NOT dz_layout MATCHES "Version ${DZ_VERSION_TEXT}\"")
  message(FATAL_ERROR "The project's version is ${DZ_VERSION_TEXT}, but the window's caption in "
                      "alarm/Form1Layout.cpp names another: change them together.")
endif()
unset(dz_layout)
