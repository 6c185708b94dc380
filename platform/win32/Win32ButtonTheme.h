#pragma once
// The theme port on Win32: the desktop's visual style through the platform's
// visual-style library, loaded at run time (it may be missing; then no style
// is ever active and the buttons draw their classic faces). Draws only on a
// GdiCanvas.
#include <windows.h>

#include "ui/ButtonTheme.h"

namespace dz::win32 {

class Win32ButtonTheme final : public ButtonTheme {
 public:
  Win32ButtonTheme() noexcept;
  ~Win32ButtonTheme() override;
  Win32ButtonTheme(const Win32ButtonTheme&) = delete;
  Win32ButtonTheme& operator=(const Win32ButtonTheme&) = delete;

  // The library and every function the buttons use were found.
  bool Loaded() const noexcept { return drawBackground_ != nullptr; }

  bool VisualStyleActive() override;
  bool DrawPart(Canvas& canvas, std::uintptr_t window, ThemePart part, ThemeState state,
                const TRect& rect, const TRect& clip) override;
  TRect ContentRect(Canvas& canvas, std::uintptr_t window, ThemePart part, ThemeState state,
                    const TRect& rect) override;

 private:
  friend class OpenTheme;
  using IsThemeActiveFn = BOOL(WINAPI*)();
  using OpenThemeDataFn = HANDLE(WINAPI*)(HWND, LPCWSTR);
  using CloseThemeDataFn = HRESULT(WINAPI*)(HANDLE);
  using DrawThemeBackgroundFn = HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, const RECT*);
  using ContentRectFn = HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, RECT*);

  HMODULE library_ = nullptr;
  IsThemeActiveFn isThemeActive_ = nullptr;
  OpenThemeDataFn openThemeData_ = nullptr;
  CloseThemeDataFn closeThemeData_ = nullptr;
  DrawThemeBackgroundFn drawBackground_ = nullptr;
  ContentRectFn contentRect_ = nullptr;
};

}  // namespace dz::win32
