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

TEST(SystemLibraries, ALibraryBesideTheProgramIsNotLoadedAsASystemOne) {
  ASSERT_TRUE(PlantedBesideThisProgram());
  HMODULE planted = LoadSystemLibrary(kPlanted);
  EXPECT_EQ(planted, nullptr);
  if (planted) FreeLibrary(planted);
  HMODULE theme = LoadSystemLibrary("uxtheme.dll");
  EXPECT_NE(theme, nullptr);
  if (theme) FreeLibrary(theme);
}

TEST(SystemLibraries, AfterStartEveryLoadByNameSearchesTheSystemFolderOnly) {
  ASSERT_TRUE(PlantedBesideThisProgram());
  // Found beside the program as long as nothing restricts the search.
  HMODULE before = LoadLibraryA(kPlanted);
  ASSERT_NE(before, nullptr);
  FreeLibrary(before);

  LoadLibrariesFromSystemFolderOnly();
  HMODULE after = LoadLibraryA(kPlanted);
  EXPECT_EQ(after, nullptr);
  if (after) FreeLibrary(after);
  HMODULE sound = LoadLibraryA("msacm32.dll");
  EXPECT_NE(sound, nullptr);
  if (sound) FreeLibrary(sound);
}

}  // namespace
}  // namespace dz::win32
