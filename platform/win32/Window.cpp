#include "platform/win32/Window.h"

#include "platform/win32/ProgramResources.h"

namespace dz::win32 {

namespace {

// The program's icon at the size the system draws it; nullptr in a program
// without it (the tests). Shared: the system frees it with the program.
HICON ProgramIcon(HINSTANCE instance, int widthMetric, int heightMetric) noexcept {
  return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(DZ_PROGRAM_ICON), IMAGE_ICON,
                                       GetSystemMetrics(widthMetric), GetSystemMetrics(heightMetric),
                                       LR_SHARED));
}
}  // namespace

Window::~Window() { Destroy(); }

// The object is kept in the window's user data: reading it stays in the
// process, where a window property is a request to the window server, and
// the timers' window reads it a hundred times a second.
Window* Window::FromHandle(HWND hwnd) noexcept {
  return hwnd ? reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)) : nullptr;
}

bool Window::Create(const ClassSpec& cls, DWORD exStyle, DWORD style, const char* text, int x,
                    int y, int width, int height, HWND parent, HMENU menuOrId) noexcept {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (!GetClassInfoExA(instance, cls.name, &existing)) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = cls.style;
    wc.lpfnWndProc = &Window::StaticProc;
    wc.hInstance = instance;
    wc.hCursor = cls.cursor ? cls.cursor : LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = cls.background;
    if (cls.programIcon) {
      wc.hIcon = ProgramIcon(instance, SM_CXICON, SM_CYICON);
      wc.hIconSm = ProgramIcon(instance, SM_CXSMICON, SM_CYSMICON);
    }
    wc.lpszClassName = cls.name;
    if (!RegisterClassExA(&wc)) return false;
  }
  HWND hwnd = CreateWindowExA(exStyle, cls.name, text, style, x, y, width, height, parent,
                              menuOrId, instance, this);
  return hwnd != nullptr;
}

void Window::Destroy() noexcept {
  if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK Window::StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  Window* self = nullptr;
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    self = static_cast<Window*>(create->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = FromHandle(hwnd);
  }
  if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
  const LRESULT result = GuardMessage([&] { return self->HandleMessage(msg, wParam, lParam); });
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    self->OnDestroyed();
  }
  return result;
}

}  // namespace dz::win32
