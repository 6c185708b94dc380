// The yardstick of bench/idle-cpu.sh: a bare Win32 program with one plain
// window and the three timers that run all night in Dozewell (10 ms, 10 s,
// 1 s), whose ticks do nothing. What it costs the machine while idle is the
// least the alarm clock can cost with the same timers.
//
//   BareTimers.exe        runs until its window is closed
#include <windows.h>

namespace {

constexpr char kClass[] = "DozewellBareTimers";

LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_TIMER:
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = Procedure;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClass;
  if (!RegisterClassA(&wc)) return 1;
  HWND hwnd = CreateWindowExA(0, kClass, "Bare timers", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                              400, 300, nullptr, nullptr, instance, nullptr);
  if (!hwnd) return 1;
  ShowWindow(hwnd, show);
  if (!SetTimer(hwnd, 1, 10, nullptr) || !SetTimer(hwnd, 2, 10000, nullptr) || !SetTimer(hwnd, 3, 1000, nullptr))
    return 1;
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
