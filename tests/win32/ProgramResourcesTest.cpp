// The resources of the built dozewell.exe, read back from the file as the
// system reads them (the program is loaded as data, not run): the icon that
// the title bar, the taskbar and the file lists show, the version block that
// the file's properties show, and the manifest the system reads at start.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "DozewellVersion.h"
#include "platform/win32/GdiCanvas.h"
#include "platform/win32/GdiHandles.h"
#include "platform/win32/ProgramResources.h"
#include "ui/ProgramIcon.h"

namespace dz::win32 {
namespace {

struct FreeModule {
  void operator()(HMODULE module) const noexcept { FreeLibrary(module); }
};
using Module = std::unique_ptr<std::remove_pointer_t<HMODULE>, FreeModule>;
struct DestroyIconDeleter {
  void operator()(HICON icon) const noexcept { DestroyIcon(icon); }
};
using OwnedIcon = std::unique_ptr<std::remove_pointer_t<HICON>, DestroyIconDeleter>;

Module LoadProgram() {
  return Module(LoadLibraryExA(DZ_PROGRAM_PATH, nullptr,
                               LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
}

BOOL CALLBACK CollectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR names) {
  auto* list = reinterpret_cast<std::vector<std::string>*>(names);
  list->push_back(IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<ULONG_PTR>(name)) : name);
  return TRUE;
}

std::vector<std::string> ResourceNames(HMODULE module, LPCSTR type) {
  std::vector<std::string> names;
  EnumResourceNamesA(module, type, &CollectName, reinterpret_cast<LONG_PTR>(&names));
  return names;
}

std::string ResourceText(HMODULE module, LPCSTR name, LPCSTR type) {
  HRSRC found = FindResourceA(module, name, type);
  if (!found) return {};
  HGLOBAL loaded = LoadResource(module, found);
  const auto* bytes = static_cast<const char*>(LockResource(loaded));
  return bytes ? std::string(bytes, SizeofResource(module, found)) : std::string();
}

TEST(ProgramResources, TheFirstIconGroupHoldsEverySizeOfTheClockAndDrawsEachAsTheSourceDrawsIt) {
  Module program = LoadProgram();
  ASSERT_TRUE(program) << "cannot load " << DZ_PROGRAM_PATH << " as data: " << GetLastError();
  const std::vector<std::string> groups = ResourceNames(program.get(), RT_GROUP_ICON);
  ASSERT_FALSE(groups.empty()) << "the program carries no icon";
  // The file lists show the first group.
  EXPECT_EQ(groups.front(), "#" + std::to_string(DZ_PROGRAM_ICON));

  // The group's directory: count, then 14-byte entries (width, height ...).
  const std::string directory = ResourceText(program.get(), MAKEINTRESOURCEA(DZ_PROGRAM_ICON), RT_GROUP_ICON);
  ASSERT_GE(directory.size(), 6u);
  const int count = static_cast<unsigned char>(directory[4]);
  ASSERT_EQ(directory.size(), 6u + 14u * static_cast<unsigned>(count));
  std::vector<int> sizes;
  for (int i = 0; i < count; ++i) {
    const int width = static_cast<unsigned char>(directory[6 + 14 * i]);
    sizes.push_back(width == 0 ? 256 : width);  // 256 is written as 0
  }
  // What Windows asks for at 100 to 200 % scaling and in the large views.
  EXPECT_EQ(sizes, (std::vector<int>{16, 20, 24, 32, 40, 48, 64, 256}));

  // Each size drawn over grey: the clear pixels show the grey, the others the
  // colours of the source, pixel for pixel.
  const COLORREF grey = RGB(128, 128, 128);
  const long before = LiveGdiOwners();
  for (const PixelImage& picture : ProgramIconPictures()) {
    const int size = picture.Width();
    OwnedIcon icon(static_cast<HICON>(LoadImageA(program.get(), MAKEINTRESOURCEA(DZ_PROGRAM_ICON), IMAGE_ICON,
                                                 size, size, 0)));
    ASSERT_TRUE(icon) << size;
    MemoryDc dc(nullptr);
    BITMAPINFO info = TopDown32BitInfo(size, size);
    void* bits = nullptr;
    Bitmap surface(CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_TRUE(surface);
    SelectGuard select(dc.Get(), surface.Get());
    Brush ground(CreateSolidBrush(grey));
    const RECT all{0, 0, size, size};
    FillRect(dc.Get(), &all, ground.Get());
    ASSERT_TRUE(DrawIconEx(dc.Get(), 0, 0, icon.get(), size, size, 0, nullptr, DI_NORMAL));
    int wrong = 0;
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        const PixelColour c = picture.At(x, y);
        const COLORREF want = c == kIconClear ? grey : RGB(c.r, c.g, c.b);
        if (GetPixel(dc.Get(), x, y) != want && ++wrong <= 3)
          ADD_FAILURE() << size << "x" << size << " at " << x << "," << y;
      }
    }
    EXPECT_EQ(wrong, 0) << size;
  }
  EXPECT_EQ(LiveGdiOwners(), before);
}

std::string VersionString(const std::vector<char>& block, const char* name) {
  char* value = nullptr;
  UINT length = 0;
  const std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
  if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || !value)
    return "(none)";
  return std::string(value);
}

TEST(ProgramResources, TheVersionBlockGivesTheProjectVersionTheNameAndAOneLineDescription) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(DZ_PROGRAM_PATH, &ignored);
  ASSERT_GT(size, 0u) << "the program has no version block";
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfoA(DZ_PROGRAM_PATH, 0, size, block.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  const DWORD major = DZ_VERSION_MAJOR, minor = DZ_VERSION_MINOR;
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(minor, major));
  EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(minor, major));
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

  EXPECT_EQ(VersionString(block, "FileVersion"), DZ_VERSION_TEXT);
  EXPECT_EQ(VersionString(block, "ProductVersion"), DZ_VERSION_TEXT);
  EXPECT_EQ(VersionString(block, "ProductName"), "Dozewell");
  EXPECT_EQ(VersionString(block, "OriginalFilename"), "dozewell.exe");
  EXPECT_EQ(VersionString(block, "CompanyName"), DZ_PUBLISHER);
  EXPECT_EQ(VersionString(block, "LegalCopyright").rfind("Copyright", 0), 0u);
  const std::string description = VersionString(block, "FileDescription");
  EXPECT_NE(description.find("alarm clock"), std::string::npos) << description;
  EXPECT_EQ(description.find_first_of("\r\n"), std::string::npos) << description;
}

TEST(ProgramResources, OneManifestAsksForNoElevationSystemDpiAndTheVersion6Controls) {
  Module program = LoadProgram();
  ASSERT_TRUE(program);
  // Exactly one, under the number the system reads for a program: a second
  // one (a linker's own) would be ignored or refused.
  EXPECT_EQ(ResourceNames(program.get(), RT_MANIFEST), (std::vector<std::string>{"#1"}));
  const std::string manifest =
      ResourceText(program.get(), CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
  ASSERT_FALSE(manifest.empty());
  EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"asInvoker\""), std::string::npos);
  EXPECT_NE(manifest.find("<dpiAware>true</dpiAware>"), std::string::npos);
  EXPECT_NE(manifest.find("<dpiAwareness>system</dpiAwareness>"), std::string::npos);
  const std::size_t controls = manifest.find("name=\"Microsoft.Windows.Common-Controls\"");
  ASSERT_NE(controls, std::string::npos);
  EXPECT_NE(manifest.find("version=\"6.0.0.0\"", controls), std::string::npos);
  // Windows 10 and 11, and Vista as the oldest.
  EXPECT_NE(manifest.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"), std::string::npos);
  EXPECT_NE(manifest.find("{e2011457-1546-43c5-a5fe-008deee3d3f0}"), std::string::npos);
}

}  // namespace
}  // namespace dz::win32
