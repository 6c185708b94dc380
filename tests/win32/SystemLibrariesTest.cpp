// System libraries come from the system folder only: a library that lies
// beside the program (dzplanted.dll lies beside this test program) is never
// loaded by name.
#include <gtest/gtest.h>

#include <string>

#include "platform/win32/SystemLibraries.h"

namespace dz::win32 {
namespace {

constexpr const char* kPlanted = "dzplanted.dll";

bool PlantedBesideThisProgram() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  folder.erase(folder.find_last_of('\\') + 1);
  return GetFileAttributesA((folder + kPlanted).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Whether a load found the library; it is let go again.
bool Loaded(HMODULE library) {
  if (library) FreeLibrary(library);
  return library != nullptr;
}

TEST(SystemLibraries, ALibraryBesideTheProgramIsNotLoadedAsASystemOne) {
  ASSERT_TRUE(PlantedBesideThisProgram());
  EXPECT_FALSE(Loaded(LoadSystemLibrary(kPlanted)));
  EXPECT_TRUE(Loaded(LoadSystemLibrary("uxtheme.dll")));
}

TEST(SystemLibraries, AfterStartEveryLoadByNameSearchesTheSystemFolderOnly) {
  ASSERT_TRUE(PlantedBesideThisProgram());
  // Found beside the program as long as nothing restricts the search.
  ASSERT_TRUE(Loaded(LoadLibraryA(kPlanted)));

  LoadLibrariesFromSystemFolderOnly();
  EXPECT_FALSE(Loaded(LoadLibraryA(kPlanted)));
  EXPECT_TRUE(Loaded(LoadLibraryA("msacm32.dll")));
}

}  // namespace
}  // namespace dz::win32
