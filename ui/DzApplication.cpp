#include "ui/DzApplication.h"

#include <algorithm>

#include "runtime/Exceptions.h"
#include "runtime/Platform.h"
#include "ui/ButtonTheme.h"
#include "ui/Controls.h"

namespace dz {

TDzApplication& TDzApplication::Instance() {
  static TDzApplication instance;
  return instance;
}

void TDzApplication::SetThemesEnabled(bool on) {
  if (on == themesEnabled_) return;
  themesEnabled_ = on;
  ThemeChanged();
}

bool TDzApplication::ThemesActive() const {
  ButtonTheme* theme = CurrentPlatform().theme;
  return themesEnabled_ && theme && theme->VisualStyleActive();
}

void TDzApplication::ThemeChanged() {
  for (TControl* control : themeClients_) control->Invalidate();
}

void TDzApplication::AddThemeClient(TControl* control) { themeClients_.push_back(control); }

void TDzApplication::RemoveThemeClient(TControl* control) noexcept {
  std::erase(themeClients_, control);
}

int TDzApplication::AcquireTimer(std::uint32_t delayMs, std::function<void()> onTick) {
  const auto free = std::find(pool_.begin(), pool_.end(), nullptr);
  if (free == pool_.end()) throw EOutOfResources("Not enough timers available");
  auto timer = std::make_unique<TTimer>();
  timer->SetInterval(delayMs);
  timer->SetOnTimer(std::move(onTick));  // starts it; raises when the platform refuses
  *free = std::move(timer);
  return static_cast<int>(free - pool_.begin()) + 1;
}

TTimer* TDzApplication::PoolTimer(int timer) const noexcept {
  if (timer < 1 || timer > kMaxPoolTimers) return nullptr;
  return pool_[static_cast<std::size_t>(timer - 1)].get();
}

void TDzApplication::SetTimerInterval(int timer, std::uint32_t intervalMs) {
  if (TTimer* t = PoolTimer(timer)) t->SetInterval(intervalMs);
}

void TDzApplication::ReleaseTimer(int timer) noexcept {
  if (PoolTimer(timer)) pool_[static_cast<std::size_t>(timer - 1)].reset();
}

int TDzApplication::TimersInUse() const noexcept {
  return static_cast<int>(std::count_if(pool_.begin(), pool_.end(), [](const auto& t) { return t != nullptr; }));
}

}  // namespace dz
