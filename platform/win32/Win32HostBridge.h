#pragma once
// The bridge to the Linux desktop beneath Wine: each request starts the
// host script (dozewell-host.sh beside the program) through Wine's start of
// Unix programs, from a thread of its own, so the message loop never waits
// for the host. On Windows it is never made.
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "alarm/HostBridge.h"

namespace dz::win32 {

// Wine's ntdll exports wine_get_version; Windows' does not.
bool RunningUnderWine() noexcept;

// A Windows path as the host sees it; empty when it has no host path (or
// not under Wine).
std::string HostPath(const std::string& windowsPath);
// A host path as Windows names it; empty when Wine cannot name it.
std::string WindowsPathOfHost(const std::string& hostPath);

class Win32HostBridge final : public HostBridge {
 public:
  struct Files {
    std::string script;     // the host script, as Windows names it
    // The host's shell (as Windows names it) and the script as the host
    // names it: run through the shell, the script needs no executable mark,
    // which a copy made under Wine (the installer's) does not get.
    std::string shell;
    std::string scriptOnHost;
    std::string log;        // the log, as the host names it
    std::string heartbeat;  // the inhibitor's heartbeat, as Windows names it
  };
  explicit Win32HostBridge(Files files);
  // Runs what was asked before it goes, then lets go of the inhibitor.
  ~Win32HostBridge() override;
  Win32HostBridge(const Win32HostBridge&) = delete;
  Win32HostBridge& operator=(const Win32HostBridge&) = delete;

  void SwitchDisplay(bool on) noexcept override;
  void ReassertDisplayOff() noexcept override;
  void HoldAwake(bool hold) noexcept override;
  void RenewAwake() noexcept override;
  void UnmuteOutput() noexcept override;
  void OpenVolumeControl() noexcept override;

 private:
  void Post(std::function<void()> job) noexcept;
  void Work();
  void RunScript(const std::string& request, const std::string& argument = {}) const;
  void WriteHeartbeat() const;

  Files files_;
  std::string heartbeatOnHost_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::function<void()>> jobs_;
  bool stopping_ = false;
  std::thread worker_;
};

// The bridge and the ports it wraps. Keep it until the window has gone.
struct HostBridgeInstall {
  std::unique_ptr<Win32HostBridge> bridge;
  std::unique_ptr<BridgedPorts> ports;  // goes first: it tells the bridge
};

// Under Wine, wraps the ports of `platform` with a bridge to the host; on
// Windows, returns nothing and changes nothing.
HostBridgeInstall InstallHostBridge(Platform& platform);

}  // namespace dz::win32
