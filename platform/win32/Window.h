#pragma once
// The one window base of the Win32 layer. The static window procedure stores
// `this` at WM_NCCREATE and forwards every message to HandleMessage through
// GuardMessage, so nothing throws across the platform. The model's handlers
// go through the dispatcher (runtime/Dispatch.h) and report their own
// failures; the guard reports whatever else escapes.
#include <windows.h>

#include "runtime/Dispatch.h"

namespace dz::win32 {

// The one guard where messages enter the program's code: the window base's
// procedure, the subclass procedure of the standard controls and the message
// loop's look at a message before it is dispatched. What escapes `handle` is
// reported once (ReportError) and the message's result is then `failed`.
template <class Handle>
LRESULT GuardMessage(Handle&& handle, LRESULT failed = 0) noexcept {
  try {
    return handle();
  } catch (...) {
    ReportCurrentException();
    return failed;
  }
}

// CreateWindowEx / DestroyWindow, for a window of a class that is not the
// program's own (a standard control, the tooltip). Move-only.
class OwnedWindow {
 public:
  OwnedWindow() noexcept = default;
  explicit OwnedWindow(HWND hwnd) noexcept : hwnd_(hwnd) {}
  ~OwnedWindow() { Reset(); }
  OwnedWindow(OwnedWindow&& other) noexcept : hwnd_(other.Release()) {}
  OwnedWindow& operator=(OwnedWindow&& other) noexcept {
    if (this != &other) {
      Reset();
      hwnd_ = other.Release();
    }
    return *this;
  }
  OwnedWindow(const OwnedWindow&) = delete;
  OwnedWindow& operator=(const OwnedWindow&) = delete;

  HWND Get() const noexcept { return hwnd_; }
  explicit operator bool() const noexcept { return hwnd_ != nullptr; }
  void Reset() noexcept {
    if (HWND hwnd = Release()) DestroyWindow(hwnd);
  }
  // The window went by other means (its parent or owner was destroyed).
  HWND Release() noexcept {
    HWND hwnd = hwnd_;
    hwnd_ = nullptr;
    return hwnd;
  }

 private:
  HWND hwnd_ = nullptr;
};

class Window {
 public:
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND Handle() const noexcept { return hwnd_; }

  // The object behind a window made by this base, or nullptr.
  static Window* FromHandle(HWND hwnd) noexcept;

 protected:
  Window() = default;

  struct ClassSpec {
    const char* name;
    UINT style = 0;
    HCURSOR cursor = nullptr;        // nullptr: the arrow
    HBRUSH background = nullptr;     // nullptr: the window paints everything
    bool programIcon = false;        // the program's icon, big and small
  };

  // Registers the class on first use and creates the window; returns false
  // when the platform refuses (GetLastError tells why).
  bool Create(const ClassSpec& cls, DWORD exStyle, DWORD style, const char* text, int x, int y,
              int width, int height, HWND parent, HMENU menuOrId = nullptr) noexcept;

  // Destroys the window now (no-op when there is none).
  void Destroy() noexcept;

  // May throw: the window procedure guards it.
  virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

  // Called after WM_NCDESTROY, when the handle is gone.
  virtual void OnDestroyed() noexcept {}

 private:
  static LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
  HWND hwnd_ = nullptr;
};

}  // namespace dz::win32
