#include "platform/win32/NoticeWindow.h"

#include <algorithm>

#include "platform/win32/Clipboard.h"
#include "runtime/Dispatch.h"

namespace dz::win32 {

namespace {

const DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
const DWORD kExStyle = WS_EX_DLGMODALFRAME;

GdiObject<HFONT> MessageFont() noexcept {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    return GdiObject<HFONT>(CreateFontIndirectA(&metrics.lfMessageFont));
  }
  return GdiObject<HFONT>();
}

// Where the text and the button go, in client coordinates, from dialog
// units of the message font, as the platform lays out its own boxes.
struct Layout {
  RECT text;
  RECT button;
  SIZE client;
};

Layout Measure(const std::string& message, HFONT font) noexcept {
  WindowDc screen(nullptr);
  SelectGuard select(screen.Get(), font);
  TEXTMETRICA metrics{};
  GetTextMetricsA(screen.Get(), &metrics);
  const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  SIZE extent{};
  GetTextExtentPoint32A(screen.Get(), alphabet, 52, &extent);
  const int unitX = std::max(1L, (extent.cx / 26 + 1) / 2);  // average character width
  const int unitY = std::max(1L, metrics.tmHeight);
  auto dx = [unitX](int units) { return MulDiv(units, unitX, 4); };
  auto dy = [unitY](int units) { return MulDiv(units, unitY, 8); };

  RECT text{0, 0, GetSystemMetrics(SM_CXSCREEN) / 2, 0};
  DrawTextA(screen.Get(), message.c_str(), static_cast<int>(message.size()), &text,
            DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  const int textWidth = text.right - text.left;
  const int textHeight = std::max<int>(text.bottom - text.top, unitY);

  const int margin = dx(8), marginY = dy(8), gap = dy(8);
  const int buttonWidth = dx(50), buttonHeight = dy(14);
  Layout layout{};
  layout.client.cx = std::max(textWidth, buttonWidth) + 2 * margin;
  layout.client.cy = marginY + textHeight + gap + buttonHeight + marginY;
  layout.text = {margin, marginY, margin + textWidth, marginY + textHeight};
  const int buttonLeft = (layout.client.cx - buttonWidth) / 2;
  const int buttonTop = marginY + textHeight + gap;
  layout.button = {buttonLeft, buttonTop, buttonLeft + buttonWidth, buttonTop + buttonHeight};
  return layout;
}

}  // namespace

NoticeWindow::NoticeWindow(const std::string& message, const std::string& caption,
                           HWND owner) noexcept
    : message_(message), caption_(caption), font_(MessageFont()) {
  HFONT font = font_ ? font_.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  Layout layout = Measure(message_, font);
  RECT frame{0, 0, layout.client.cx, layout.client.cy};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  ClassSpec cls{kClassName};
  cls.background = GetSysColorBrush(COLOR_BTNFACE);
  if (!Create(cls, kExStyle, kStyle, caption_.c_str(), left, top, width, height, owner)) {
    done_ = true;  // nothing to wait for
    return;
  }
  HINSTANCE instance = GetModuleHandleA(nullptr);
  HWND label = CreateWindowExA(0, "STATIC", message_.c_str(),
                               WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, layout.text.left,
                               layout.text.top, layout.text.right - layout.text.left,
                               layout.text.bottom - layout.text.top, Handle(), nullptr, instance,
                               nullptr);
  button_ = CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                            layout.button.left, layout.button.top,
                            layout.button.right - layout.button.left,
                            layout.button.bottom - layout.button.top, Handle(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)), instance, nullptr);
  for (HWND child : {label, button_}) {
    if (child) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  ShowWindow(Handle(), SW_SHOW);
  if (button_) SetFocus(button_);
}

NoticeWindow::~NoticeWindow() {
  Destroy();  // before the font goes
}

void NoticeWindow::RunModal() noexcept {
  MSG msg{};
  while (!done_) {
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // for the outer loop
      return;
    }
    if (got == -1) return;
    if (HandleKey(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

bool NoticeWindow::HandleKey(const MSG& msg) noexcept {
  if (msg.message != WM_KEYDOWN || !Handle()) return false;
  if (msg.hwnd != Handle() && !IsChild(Handle(), msg.hwnd)) return false;
  switch (msg.wParam) {
    case VK_RETURN:
    case VK_ESCAPE:
      done_ = true;
      return true;
    case 'C':
      if (GetKeyState(VK_CONTROL) < 0) {
        CopyToClipboard();
        return true;
      }
      return false;
    default:
      return false;
  }
}

void NoticeWindow::CopyToClipboard() noexcept {
  try {
    CopyTextToClipboard(Handle(), NoticeCopyText(caption_, message_));
  } catch (...) {
    // Out of memory for the text: the beep still answers the key.
  }
  MessageBeep(MB_OK);
}

LRESULT NoticeWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  switch (msg) {
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) done_ = true;
      return 0;
    case WM_CLOSE:
      done_ = true;  // the caller destroys the window when the loop has ended
      return 0;
    default:
      return Window::HandleMessage(msg, wParam, lParam);
  }
}

}  // namespace dz::win32
