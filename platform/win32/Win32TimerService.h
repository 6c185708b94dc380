#pragma once
// Timer port on Win32: SetTimer/KillTimer on a message-only window, whose
// WM_TIMER messages run the ticks. WM_TIMER is the platform's low-priority
// message, so late ticks do not pile up.
#include <map>
#include <memory>

#include "platform/win32/Window.h"
#include "runtime/TimerService.h"

namespace dz::win32 {

class Win32TimerService final : public TimerService, private Window {
 public:
  Win32TimerService() = default;
  ~Win32TimerService() override;

  TimerId Start(std::uint32_t intervalMs, std::function<void()> onTick) override;
  void Stop(TimerId id) override;

 private:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept override;
  bool EnsureWindow() noexcept;

  // Shared so that a tick in progress survives a Stop from its own handler.
  std::map<TimerId, std::shared_ptr<std::function<void()>>> ticks_;
  TimerId lastId_ = 0;
};

}  // namespace dz::win32
