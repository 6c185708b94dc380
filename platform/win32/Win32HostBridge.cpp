#include "platform/win32/Win32HostBridge.h"

#include <windows.h>

#include "platform/win32/SystemHandles.h"
#include "platform/win32/SystemLibraries.h"
#include "runtime/Platform.h"
#include "runtime/Shell.h"

namespace dz::win32 {

namespace {

constexpr const char* kScriptName = "dozewell-host.sh";
constexpr const char* kLogName = "dozewell-host.log";

// One argument of a command line, as the started program splits it. Paths
// cannot hold a double quote on Windows; a host path that does is left out.
bool AppendQuoted(std::string& line, const std::string& argument) {
  if (argument.find('"') != std::string::npos) return false;
  line += " \"" + argument;
  // Backslashes before the closing quote would escape it.
  for (auto it = argument.rbegin(); it != argument.rend() && *it == '\\'; ++it) line += '\\';
  line += '"';
  return true;
}

}  // namespace

bool RunningUnderWine() noexcept {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

std::string HostPath(const std::string& windowsPath) {
  using ToUnix = char*(CDECL*)(LPCWSTR);
  const auto toUnix = ExportedFunction<ToUnix>(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
  if (!toUnix) return {};
  const int length = MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide.data(), length);
  char* unix = toUnix(wide.c_str());
  if (!unix) return {};
  std::string result = unix;
  HeapFree(GetProcessHeap(), 0, unix);  // Wine gives it from the process heap
  return result;
}

std::string WindowsPathOfHost(const std::string& hostPath) {
  using ToDos = WCHAR*(CDECL*)(LPCSTR);
  const auto toDos = ExportedFunction<ToDos>(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name");
  if (!toDos) return {};
  WCHAR* dos = toDos(hostPath.c_str());
  if (!dos) return {};
  std::string result;
  const int length = WideCharToMultiByte(CP_ACP, 0, dos, -1, nullptr, 0, nullptr, nullptr);
  if (length > 1) {
    result.resize(static_cast<std::size_t>(length));
    WideCharToMultiByte(CP_ACP, 0, dos, -1, result.data(), length, nullptr, nullptr);
    result.pop_back();  // the terminating zero
  }
  HeapFree(GetProcessHeap(), 0, dos);  // Wine gives it from the process heap
  return result;
}

Win32HostBridge::Win32HostBridge(Files files)
    : files_(std::move(files)), heartbeatOnHost_(HostPath(files_.heartbeat)) {
  worker_ = std::thread([this] { Work(); });
}

Win32HostBridge::~Win32HostBridge() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  worker_.join();
  DeleteFileA(files_.heartbeat.c_str());
}

void Win32HostBridge::Post(std::function<void()> job) noexcept {
  try {
    {
      std::lock_guard lock(mutex_);
      jobs_.push_back(std::move(job));
    }
    wake_.notify_one();
  } catch (...) {
    // Out of memory: this one request does not reach the host.
  }
}

void Win32HostBridge::Work() {
  for (;;) {
    std::function<void()> job;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
      if (jobs_.empty()) return;
      job = std::move(jobs_.front());
      jobs_.pop_front();
    }
    try {
      job();
    } catch (...) {
      // A request that could not be started is the host's loss only.
    }
  }
}

// Wine starts a Unix program given by its Windows path; it cannot tell us
// how it ended, so the script logs for itself.
void Win32HostBridge::RunScript(const std::string& request, const std::string& argument) const {
  std::string line;
  if (!files_.shell.empty() && !files_.scriptOnHost.empty()) {
    line = "\"" + files_.shell + "\"";
    if (!AppendQuoted(line, files_.scriptOnHost)) return;
  } else {
    line = "\"" + files_.script + "\"";
  }
  if (!AppendQuoted(line, files_.log)) return;
  line += " " + request;
  if (!argument.empty() && !AppendQuoted(line, argument)) return;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                     nullptr, &startup, &started)) {
    KernelHandle process(started.hProcess), thread(started.hThread);
  }
}

namespace {

void WriteWholeFile(const std::string& path, const std::string& text) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  KernelHandle owner(file);
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace

void Win32HostBridge::WriteHeartbeat() const { WriteWholeFile(files_.heartbeat, "Dozewell is running\n"); }

void Win32HostBridge::SwitchDisplay(bool on) noexcept {
  Post([this, on] { RunScript(on ? "display-on" : "display-off"); });
}

void Win32HostBridge::ReassertDisplayOff() noexcept {
  Post([this] { RunScript("display-reassert"); });
}

void Win32HostBridge::HoldAwake(bool hold) noexcept {
  if (hold) {
    Post([this] {
      WriteHeartbeat();
      if (!heartbeatOnHost_.empty()) RunScript("awake-hold", heartbeatOnHost_);
    });
  } else {
    Post([this] { DeleteFileA(files_.heartbeat.c_str()); });
  }
}

void Win32HostBridge::RenewAwake() noexcept {
  Post([this] { WriteHeartbeat(); });
}

void Win32HostBridge::UnmuteOutput() noexcept {
  Post([this] { RunScript("unmute"); });
}

void Win32HostBridge::OpenVolumeControl() noexcept {
  Post([this] { RunScript("volume"); });
}

HostBridgeInstall InstallHostBridge(Platform& platform) {
  HostBridgeInstall install;
  if (!RunningUnderWine()) return install;
  Win32HostBridge::Files files;
  const std::string folder = ProgramFolder();
  files.script = folder + kScriptName;
  files.log = HostPath(folder + kLogName);
  char temp[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathA(MAX_PATH + 1, temp);
  if (length == 0 || length > MAX_PATH) return install;
  files.heartbeat = std::string(temp) + "dozewell-awake-" + std::to_string(GetCurrentProcessId()) + ".beat";
  // The log says what failed in this run only.
  DeleteFileA((folder + kLogName).c_str());
  if (GetFileAttributesA(files.script.c_str()) == INVALID_FILE_ATTRIBUTES) {
    WriteWholeFile(folder + kLogName, std::string(kScriptName) +
                                          " is missing beside the program: nothing reaches the desktop\n");
    return install;
  }
  files.shell = WindowsPathOfHost("/bin/sh");
  files.scriptOnHost = HostPath(files.script);
  install.bridge = std::make_unique<Win32HostBridge>(std::move(files));
  install.ports = std::make_unique<BridgedPorts>(platform, *install.bridge);
  return install;
}

}  // namespace dz::win32
