#pragma once
// The one window base of the Win32 layer. The static window procedure stores
// `this` at WM_NCCREATE and forwards every message to HandleMessage, which is
// noexcept: nothing throws across the platform. Handlers that run program
// code go through the dispatcher (runtime/Dispatch.h), which reports failures.
#include <windows.h>

namespace dz::win32 {

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
  };

  // Registers the class on first use and creates the window; returns false
  // when the platform refuses (GetLastError tells why).
  bool Create(const ClassSpec& cls, DWORD exStyle, DWORD style, const char* text, int x, int y,
              int width, int height, HWND parent, HMENU menuOrId = nullptr) noexcept;

  // Destroys the window now (no-op when there is none).
  void Destroy() noexcept;

  virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

  // Called after WM_NCDESTROY, when the handle is gone.
  virtual void OnDestroyed() noexcept {}

 private:
  static LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
  HWND hwnd_ = nullptr;
};

}  // namespace dz::win32
