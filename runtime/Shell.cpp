#include "runtime/Shell.h"

#include "runtime/Files.h"
#include "runtime/Platform.h"

namespace dz {

namespace {
ShellServices& Shell() { return Require(CurrentPlatform().shell, "shell"); }
FileSystem& Files() { return Require(CurrentPlatform().files, "files"); }
}  // namespace

void SetDisplayPower(bool on) { Shell().SendDisplayPower(on ? kDisplayPowerOn : kDisplayPowerOff); }

void LaunchVolumeControl() { Shell().LaunchVolumeControl(); }

void OpenWebSite() { Shell().OpenWebSite(kWebSiteAddress); }

std::string ProgramFolder() { return Files().ProgramFolder(); }

bool IsExistingFile(const std::string& name) { return Files().IsExistingFile(name); }

}  // namespace dz
