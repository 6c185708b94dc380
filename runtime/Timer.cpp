#include "runtime/Timer.h"

#include "runtime/Dispatch.h"
#include "runtime/Exceptions.h"
#include "runtime/Platform.h"
#include "runtime/ScopeExit.h"

namespace dz {

// What a tick needs. Shared with the platform timer's callback so that a
// handler may change or destroy its own timer while it runs.
struct TTimer::Core {
  std::function<void()> onTimer;
  RepeatingDispatch dispatch;

  void Tick() noexcept {
    std::function<void()> handler = onTimer;  // the handler may replace itself
    dispatch(handler);
  }
};

TTimer::TTimer() : core_(std::make_shared<Core>()) {}

TTimer::~TTimer() { StopPlatformTimer(); }

const std::function<void()>& TTimer::OnTimer() const noexcept { return core_->onTimer; }

void TTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Restart();
}

void TTimer::SetInterval(std::uint32_t interval) {
  if (interval == interval_) return;
  interval_ = interval;
  Restart();
}

void TTimer::SetOnTimer(std::function<void()> handler) {
  // Handlers cannot be compared, so every assignment counts as a change.
  core_->onTimer = std::move(handler);
  Restart();
}

void TTimer::Restart() {
  // The observer hears of the change also when the platform refused a timer.
  const ScopeExit tellObserver([this]() noexcept {
    if (observer_) observer_();
  });
  StopPlatformTimer();
  StartPlatformTimer();
}

void TTimer::StartPlatformTimer() {
  if (interval_ == 0 || !enabled_ || !core_->onTimer) return;
  TimerService& service = Require(CurrentPlatform().timers, "timers");
  std::weak_ptr<Core> weak = core_;
  TimerId id = service.Start(interval_, [weak] {
    if (std::shared_ptr<Core> core = weak.lock()) core->Tick();
  });
  if (id == 0) throw EOutOfResources("Not enough timers available");
  service_ = &service;
  id_ = id;
}

void TTimer::StopPlatformTimer() noexcept {
  if (id_ != 0) service_->Stop(id_);
  id_ = 0;
  service_ = nullptr;
}

}  // namespace dz
