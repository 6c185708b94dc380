#pragma once
// TDzApplication: what the glyph buttons share process-wide. The switch
// that lets them use the desktop's visual style, the test whether they do,
// and the pool of timers behind auto-repeating buttons.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "runtime/Timer.h"

namespace dz {

class TControl;

class TDzApplication {
 public:
  static TDzApplication& Instance();

  // On by default; switching it repaints every glyph button.
  bool ThemesEnabled() const noexcept { return themesEnabled_; }
  void SetThemesEnabled(bool on);
  // The switch is on, a theme port is installed and it reports a visual
  // style active: asked again on every paint.
  bool ThemesActive() const;
  // The desktop's theme changed: every glyph button repaints.
  void ThemeChanged();
  void AddThemeClient(TControl* control);
  void RemoveThemeClient(TControl* control) noexcept;

  // Pool timers, at most kMaxPoolTimers at once. Acquire starts one (first
  // tick after `delayMs`) and returns its number (never 0); with none free,
  // or when the platform refuses it, it raises EOutOfResources ("Not enough
  // timers available"). A tick's handler runs like any timer's: a failure
  // is reported, and may release its own timer.
  static constexpr int kMaxPoolTimers = 250;
  int AcquireTimer(std::uint32_t delayMs, std::function<void()> onTick);
  // A new period, counted from now; the same period changes nothing.
  void SetTimerInterval(int timer, std::uint32_t intervalMs);
  void ReleaseTimer(int timer) noexcept;
  int TimersInUse() const noexcept;

 private:
  TDzApplication() = default;
  TTimer* PoolTimer(int timer) const noexcept;

  bool themesEnabled_ = true;
  std::vector<TControl*> themeClients_;
  std::array<std::unique_ptr<TTimer>, kMaxPoolTimers> pool_;
};

}  // namespace dz
