// Start-up and repaint time of the main window, each beside the same figure
// for a bare window of the same size with no controls. Prints plain lines;
// never fails for being slow.
//
//   StartupPaintBench [N]          the benchmark (N runs of each, default 7)
//   StartupPaintBench --child form|bare
//                                  one start: shows the window maximised,
//                                  paints it completely, prints "painted"
//                                  and ends (used by the benchmark itself)
//
// Start-up is timed from just before CreateProcess to the child's line,
// which it writes once every window has painted: what a user waits for.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "alarm/Unit1.h"
#include "bench/BenchTiming.h"
#include "platform/win32/GdiCanvas.h"
#include "platform/win32/Win32Application.h"
#include "platform/win32/Win32LocaleSource.h"
#include "platform/win32/Win32Peers.h"
#include "platform/win32/Win32Runtime.h"
#include "runtime/Platform.h"

namespace {

using bench::Median;
using bench::NowMs;

// Runs what is queued, then paints every window still invalid, so the
// window and all its children are on the screen when it returns.
void PaintCompletely(HWND hwnd) {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  GdiFlush();
}

// The bare window: one grey fill in WM_PAINT, nothing else.
LRESULT CALLBACK BareProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    HBRUSH grey = CreateSolidBrush(RGB(128, 128, 128));
    FillRect(dc, &ps.rcPaint, grey);
    DeleteObject(grey);
    EndPaint(hwnd, &ps);
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

class Subject {
 public:
  virtual ~Subject() = default;
  virtual HWND Window() const = 0;
};

class BareWindow final : public Subject {
 public:
  BareWindow() {
    WNDCLASSA cls{};
    cls.lpfnWndProc = BareProc;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.hCursor = LoadCursor(nullptr, IDC_ARROW);
    cls.lpszClassName = "DozewellBenchBare";
    RegisterClassA(&cls);
    hwnd_ = CreateWindowExA(0, cls.lpszClassName, "Bare window", WS_OVERLAPPEDWINDOW, 51, 30, 1093, 800,
                            nullptr, nullptr, cls.hInstance, nullptr);
    ShowWindow(hwnd_, SW_SHOWMAXIMIZED);
  }
  ~BareWindow() override { DestroyWindow(hwnd_); }
  BareWindow(const BareWindow&) = delete;
  BareWindow& operator=(const BareWindow&) = delete;
  HWND Window() const override { return hwnd_; }

 private:
  HWND hwnd_ = nullptr;
};

// The program's main window, built as the program builds it.
class MainForm final : public Subject {
 public:
  MainForm() {
    using namespace dz::win32;
    InstallWin32Platform();
    AddWin32ControlPorts(dz::CurrentPlatform());
    Application::Instance().Initialize("Dozewell");
    LoadStartupLocaleFormats();
    form_ = std::make_unique<dz::TForm1>(nullptr, ScreenPixelsPerInch() / 96.0);
    form_->Show();
  }
  HWND Window() const override {
    return reinterpret_cast<HWND>(form_->Peer() ? form_->Peer()->NativeHandle() : 0);
  }

 private:
  std::unique_ptr<dz::TForm1> form_;
};

std::unique_ptr<Subject> MakeSubject(const std::string& kind) {
  if (kind == "form") return std::make_unique<MainForm>();
  return std::make_unique<BareWindow>();
}

int Child(const std::string& kind) {
  std::unique_ptr<Subject> subject = MakeSubject(kind);
  HWND hwnd = subject->Window();
  if (!hwnd) {
    std::printf("no window\n");
    std::fflush(stdout);
    return 1;
  }
  PaintCompletely(hwnd);
  std::printf("painted\n");
  std::fflush(stdout);
  // Ends here, without closing the window: a close would save settings.
  ExitProcess(0);
}

// One start of a child; its time in ms, or a negative value on failure.
double TimeOneStart(const std::string& kind) {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string command = std::string("\"") + self + "\" --child " + kind;

  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return -1;
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION process{};

  const double start = NowMs();
  const BOOL started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                      &startup, &process);
  CloseHandle(writeEnd);
  double elapsed = -1;
  if (started) {
    std::string output;
    char chunk[64];
    DWORD got = 0;
    while (output.find('\n') == std::string::npos && ReadFile(readEnd, chunk, sizeof chunk, &got, nullptr) && got)
      output.append(chunk, got);
    if (output.rfind("painted", 0) == 0) elapsed = NowMs() - start;
    if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(readEnd);
  return elapsed;
}

std::vector<double> TimeStarts(const std::string& kind, int runs) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const double t = TimeOneStart(kind);
    if (t >= 0) times.push_back(t);
  }
  return times;
}

// WM_PAINT messages handled on this thread while a repaint is timed.
long g_paints = 0;

LRESULT CALLBACK CountPaints(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && reinterpret_cast<const CWPSTRUCT*>(lParam)->message == WM_PAINT) ++g_paints;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::vector<double> TimeRepaints(const Subject& subject, int runs, long* windowsPainted) {
  HWND hwnd = subject.Window();
  std::vector<double> times;
  if (!hwnd) return times;
  PaintCompletely(hwnd);
  for (int i = 0; i < runs; ++i) {
    const double start = NowMs();
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
    times.push_back(NowMs() - start);
  }
  // One more repaint, untimed (the hook is slow under Wine), shows that a
  // repaint paints what it should: a repaint that painted nothing measured
  // nothing.
  g_paints = 0;
  if (HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, CountPaints, nullptr, GetCurrentThreadId())) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    UnhookWindowsHookEx(hook);
  }
  *windowsPainted = g_paints;
  return times;
}

void PrintPair(const char* what, const std::vector<double>& form, const std::vector<double>& bare,
               int runs) {
  const double f = Median(form), b = Median(bare);
  std::printf("%s: main window %.2f ms, bare window %.2f ms (medians of %zu and %zu of %d runs)", what, f, b,
              form.size(), bare.size(), runs);
  if (b > 0 && !form.empty()) std::printf(", ratio %.1f", f / b);
  std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "--child") == 0) return Child(argv[2]);
  const int runs = argc >= 2 ? std::max(1, std::atoi(argv[1])) : 7;

  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  std::printf("screen %dx%d, %d runs each\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), runs);

  // Alternate the two kinds so that a slow spell of the machine hits both.
  std::vector<double> formStarts, bareStarts;
  for (int i = 0; i < runs; ++i) {
    for (double t : TimeStarts("form", 1)) formStarts.push_back(t);
    for (double t : TimeStarts("bare", 1)) bareStarts.push_back(t);
  }
  PrintPair("start to first complete paint", formStarts, bareStarts, runs);

  const int repaints = runs * 5;
  std::vector<double> formRepaints, bareRepaints;
  long formPaints = 0, barePaints = 0;
  {
    MainForm form;
    formRepaints = TimeRepaints(form, repaints, &formPaints);
  }
  {
    BareWindow bare;
    bareRepaints = TimeRepaints(bare, repaints, &barePaints);
  }
  PrintPair("full repaint", formRepaints, bareRepaints, repaints);
  std::printf("windows painted by one repaint: main window %ld, bare window %ld\n", formPaints, barePaints);
  return 0;
}
