#pragma once
// TTimer: a periodic timer whose handler runs on the message loop's thread.
// It holds one platform timer, which exists only while Interval is not 0,
// Enabled is true and OnTimer is set. Assigning a value equal to the current
// one does nothing (the running period goes on); any real change restarts
// the period, so the first tick after it comes one full Interval later.
#include <cstdint>
#include <functional>
#include <memory>

#include "runtime/TimerService.h"

namespace dz {

class TTimer {
 public:
  TTimer();
  ~TTimer();
  TTimer(const TTimer&) = delete;
  TTimer& operator=(const TTimer&) = delete;

  bool Enabled() const noexcept { return enabled_; }
  std::uint32_t Interval() const noexcept { return interval_; }
  const std::function<void()>& OnTimer() const noexcept;

  // Each raises EOutOfResources ("Not enough timers available") when the
  // platform refuses a new timer; the value is stored all the same.
  void SetEnabled(bool enabled);
  void SetInterval(std::uint32_t interval);
  void SetOnTimer(std::function<void()> handler);

  // True while a platform timer is running for this timer.
  bool Running() const noexcept { return id_ != 0; }

  // Called after every real change of Enabled, Interval or OnTimer, once the
  // platform timer has been started or stopped for it (also when the
  // platform refused a new one): the one place where an observer learns
  // that Running() may have changed. It must not throw. Not called while
  // the timer is destroyed.
  void SetStateObserver(std::function<void()> observer) { observer_ = std::move(observer); }

 private:
  struct Core;
  void Restart();
  void StartPlatformTimer();
  void StopPlatformTimer() noexcept;

  bool enabled_ = true;
  std::uint32_t interval_ = 1000;
  std::shared_ptr<Core> core_;
  std::function<void()> observer_;
  TimerService* service_ = nullptr;  // the service that runs id_
  TimerId id_ = 0;
};

}  // namespace dz
