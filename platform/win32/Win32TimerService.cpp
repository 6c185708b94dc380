#include "platform/win32/Win32TimerService.h"

#include "runtime/Dispatch.h"

namespace dz::win32 {

Win32TimerService::~Win32TimerService() {
  if (Handle()) {
    for (const auto& entry : ticks_) KillTimer(Handle(), entry.first);
  }
  ticks_.clear();
}

bool Win32TimerService::EnsureWindow() noexcept {
  if (Handle()) return true;
  return Create({"DozewellTimers"}, 0, 0, "", 0, 0, 0, 0, HWND_MESSAGE);
}

TimerId Win32TimerService::Start(std::uint32_t intervalMs, std::function<void()> onTick) {
  if (!EnsureWindow()) return 0;
  // Ids are never reused, so a late WM_TIMER of a stopped timer finds nothing.
  const TimerId id = ++lastId_;
  // The entry that owns the platform timer comes first: nothing can fail
  // between starting the timer and its owner taking it.
  ticks_.emplace(id, std::make_shared<std::function<void()>>(std::move(onTick)));
  if (!SetTimer(Handle(), id, intervalMs, nullptr)) {
    ticks_.erase(id);
    return 0;
  }
  return id;
}

void Win32TimerService::Stop(TimerId id) {
  auto found = ticks_.find(id);
  if (found == ticks_.end()) return;
  if (Handle()) KillTimer(Handle(), id);
  ticks_.erase(found);
}

LRESULT Win32TimerService::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  if (msg == WM_TIMER) {
    auto found = ticks_.find(static_cast<TimerId>(wParam));
    if (found == ticks_.end()) return 0;  // stopped after the message was queued
    std::shared_ptr<std::function<void()>> tick = found->second;
    Dispatch(*tick);
    return 0;
  }
  return Window::HandleMessage(msg, wParam, lParam);
}

}  // namespace dz::win32
