#include "platform/win32/Win32ButtonTheme.h"

#include <utility>

#include "platform/win32/GdiCanvas.h"
#include "platform/win32/SystemLibraries.h"

namespace dz::win32 {

namespace {

// The platform's class of each part; every part is number 1 of its class
// (push button, drop-down button, toolbar button).
const wchar_t* ThemeClass(ThemePart part) noexcept {
  switch (part) {
    case ThemePart::DropDownButton: return L"COMBOBOX";
    case ThemePart::ToolbarButton: return L"TOOLBAR";
    default: return L"BUTTON";
  }
}
constexpr int kPartId = 1;

HDC DcOf(Canvas& canvas) noexcept {
  auto* gdi = dynamic_cast<GdiCanvas*>(&canvas);
  return gdi ? gdi->Dc() : nullptr;
}

}  // namespace

// OpenThemeData / CloseThemeData.
class OpenTheme {
 public:
  OpenTheme(const Win32ButtonTheme& owner, std::uintptr_t window, ThemePart part) noexcept
      : close_(owner.closeThemeData_),
        theme_(owner.openThemeData_(reinterpret_cast<HWND>(window), ThemeClass(part))) {}
  ~OpenTheme() {
    if (theme_) close_(theme_);
  }
  OpenTheme(const OpenTheme&) = delete;
  OpenTheme& operator=(const OpenTheme&) = delete;

  HANDLE Get() const noexcept { return theme_; }

 private:
  Win32ButtonTheme::CloseThemeDataFn close_;
  HANDLE theme_;
};

Win32ButtonTheme::Win32ButtonTheme() noexcept : library_(LoadSystemLibrary("uxtheme.dll")) {
  if (!library_) return;
  isThemeActive_ = ExportedFunction<IsThemeActiveFn>(library_, "IsThemeActive");
  openThemeData_ = ExportedFunction<OpenThemeDataFn>(library_, "OpenThemeData");
  closeThemeData_ = ExportedFunction<CloseThemeDataFn>(library_, "CloseThemeData");
  contentRect_ = ExportedFunction<ContentRectFn>(library_, "GetThemeBackgroundContentRect");
  if (isThemeActive_ && openThemeData_ && closeThemeData_ && contentRect_)
    drawBackground_ = ExportedFunction<DrawThemeBackgroundFn>(library_, "DrawThemeBackground");
}

Win32ButtonTheme::~Win32ButtonTheme() {
  if (library_) FreeLibrary(std::exchange(library_, nullptr));
}

bool Win32ButtonTheme::VisualStyleActive() { return Loaded() && isThemeActive_(); }

bool Win32ButtonTheme::DrawPart(Canvas& canvas, std::uintptr_t window, ThemePart part, ThemeState state,
                                const TRect& rect, const TRect& clip) {
  HDC dc = DcOf(canvas);
  if (!Loaded() || !dc) return false;
  OpenTheme theme(*this, window, part);
  if (!theme.Get()) return false;
  const RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
  const RECT c{clip.Left, clip.Top, clip.Right, clip.Bottom};
  return SUCCEEDED(drawBackground_(theme.Get(), dc, kPartId, static_cast<int>(state), &r, &c));
}

TRect Win32ButtonTheme::ContentRect(Canvas& canvas, std::uintptr_t window, ThemePart part, ThemeState state,
                                    const TRect& rect) {
  HDC dc = DcOf(canvas);
  if (!Loaded() || !dc) return rect;
  OpenTheme theme(*this, window, part);
  const RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
  RECT content{};
  if (!theme.Get() || FAILED(contentRect_(theme.Get(), dc, kPartId, static_cast<int>(state), &r, &content)))
    return rect;
  return {content.left, content.top, content.right, content.bottom};
}

}  // namespace dz::win32
