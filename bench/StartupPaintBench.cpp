// Start-up, full repaint and flash tick of the main window, each beside the
// same figure for a plain Win32 window showing about the same (AnchorWindow.h),
// measured in turns. Prints plain lines; never fails for being slow.
//
//   StartupPaintBench [N]          the benchmark (N starts of each, default 7;
//                                  5 N repaints and flash ticks of each)
//   StartupPaintBench --breakdown  each window's own repaint, for finding
//                                  where a repaint's time goes
//   StartupPaintBench --child form|anchor
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
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "alarm/Unit1.h"
#include "bench/AnchorWindow.h"
#include "bench/BenchTiming.h"
#include "platform/win32/GdiCanvas.h"
#include "platform/win32/GdiHandles.h"
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

class Subject {
 public:
  virtual ~Subject() = default;
  virtual HWND Window() const = 0;
  // One tick of the flash timer: the background's next colour, not yet painted.
  virtual void Flash() = 0;
};

class Anchor final : public Subject {
 public:
  Anchor() : window_(dz::win32::ScreenPixelsPerInch() / 96.0) {}
  HWND Window() const override { return window_.Window(); }
  void Flash() override { window_.Flash(); }

 private:
  bench::AnchorWindow window_;
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
  dz::TForm1& Form() const { return *form_; }
  // What the program's flash timer does.
  void Flash() override { form_->SetColor(form_->Color() == dz::clWhite ? dz::clGray : dz::clWhite); }

 private:
  std::unique_ptr<dz::TForm1> form_;
};

std::unique_ptr<Subject> MakeSubject(const std::string& kind) {
  if (kind == "form") return std::make_unique<MainForm>();
  return std::make_unique<Anchor>();
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

// Paints what is invalid now, timed.
double TimeUpdate(HWND hwnd) {
  const double start = NowMs();
  RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  GdiFlush();
  return NowMs() - start;
}

// The subject's window on top of the other, painted, so both are timed
// with nothing covering them.
void BringUp(const Subject& subject) {
  SetWindowPos(subject.Window(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  PaintCompletely(subject.Window());
}

struct Timings {
  std::vector<double> repaints, flashes;
};

void TimeRepaintAndFlash(Subject& subject, Timings& timings) {
  BringUp(subject);
  HWND hwnd = subject.Window();
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  timings.repaints.push_back(TimeUpdate(hwnd));
  subject.Flash();
  timings.flashes.push_back(TimeUpdate(hwnd));
}

// One more repaint, untimed (the hook is slow under Wine), shows that a
// repaint paints what it should: a repaint that painted nothing measured
// nothing.
long WindowsPaintedByARepaint(const Subject& subject) {
  BringUp(subject);
  g_paints = 0;
  if (HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, CountPaints, nullptr, GetCurrentThreadId())) {
    RedrawWindow(subject.Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    UnhookWindowsHookEx(hook);
  }
  return g_paints;
}

// Where a repaint's time goes: each window alone (its own paint, without
// its children), medians of `runs`, the largest first.
void PrintBreakdown(const char* what, HWND top, int runs) {
  std::vector<HWND> windows{top};
  EnumChildWindows(
      top, [](HWND child, LPARAM list) {
        if (IsWindowVisible(child)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  std::vector<std::pair<double, std::string>> rows;
  for (HWND hwnd : windows) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
      RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN);
      times.push_back(TimeUpdate(hwnd));
    }
    char name[64] = {}, text[40] = {};
    GetClassNameA(hwnd, name, sizeof name);
    GetWindowTextA(hwnd, text, sizeof text);
    rows.emplace_back(Median(times), std::string(name) + " \"" + text + "\"");
  }
  std::sort(rows.rbegin(), rows.rend());
  for (const auto& [ms, name] : rows) std::printf("  %s %-50s %.2f ms\n", what, name.c_str(), ms);
}

// The main window's own paint in its parts: the off-screen buffer, the
// ground, and each control drawn on it, medians of `runs`, the largest first.
void PrintSurfaceParts(dz::TWinControl& surface, HWND hwnd, int runs) {
  using namespace dz::win32;
  WindowDc dc(hwnd);
  RECT all{};
  GetClientRect(hwnd, &all);
  std::vector<std::pair<double, std::string>> rows;
  const auto time = [&](const std::string& name, const std::function<void(GdiCanvas&)>& draw) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
      DoubleBuffer buffer(dc.Get(), all);
      GdiCanvas canvas(buffer.Dc());
      const double start = NowMs();
      draw(canvas);
      GdiFlush();
      times.push_back(NowMs() - start);
    }
    rows.emplace_back(Median(times), name);
  };
  {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
      const double start = NowMs();
      { DoubleBuffer buffer(dc.Get(), all); }
      GdiFlush();
      times.push_back(NowMs() - start);
    }
    rows.emplace_back(Median(times), "off-screen buffer made and copied");
  }
  time("ground", [&](GdiCanvas& canvas) { surface.Paint(canvas); });
  for (dz::TControl* c : surface.Controls()) {
    if (c->IsWindowed() || !c->Visible()) continue;
    time(c->Name(), [&](GdiCanvas& canvas) {
      dz::CanvasStateGuard guard(canvas);
      canvas.OffsetOrigin(c->Left(), c->Top());
      canvas.IntersectClip(c->ClientRect());
      c->Paint(canvas);
    });
  }
  std::sort(rows.rbegin(), rows.rend());
  for (const auto& [ms, name] : rows) std::printf("  part %-48s %.2f ms\n", name.c_str(), ms);
}

void PrintPair(const char* what, const std::vector<double>& form, const std::vector<double>& anchor,
               int runs) {
  const double f = Median(form), b = Median(anchor);
  std::printf("%s: main window %.2f ms, anchor %.2f ms (medians of %zu and %zu of %d runs)", what, f, b,
              form.size(), anchor.size(), runs);
  if (b > 0 && !form.empty()) std::printf(", ratio %.2f", f / b);
  std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "--child") == 0) return Child(argv[2]);
  if (argc >= 2 && std::strcmp(argv[1], "--breakdown") == 0) {
    MainForm form;
    Anchor anchor;
    BringUp(form);
    PrintBreakdown("main window", form.Window(), 15);
    PrintSurfaceParts(form.Form(), form.Window(), 15);
    BringUp(anchor);
    PrintBreakdown("anchor", anchor.Window(), 15);
    return 0;
  }
  const int runs = argc >= 2 ? std::max(1, std::atoi(argv[1])) : 7;

  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  std::printf("screen %dx%d, %d runs each\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), runs);

  // Alternate the two kinds so that a slow spell of the machine hits both.
  std::vector<double> formStarts, anchorStarts;
  for (int i = 0; i < runs; ++i) {
    for (double t : TimeStarts("form", 1)) formStarts.push_back(t);
    for (double t : TimeStarts("anchor", 1)) anchorStarts.push_back(t);
  }
  PrintPair("start to first complete paint", formStarts, anchorStarts, runs);

  const int repaints = runs * 5;
  MainForm form;
  Anchor anchor;
  Timings formTimes, anchorTimes;
  for (int i = 0; i < repaints; ++i) {
    TimeRepaintAndFlash(form, formTimes);
    TimeRepaintAndFlash(anchor, anchorTimes);
  }
  PrintPair("full repaint", formTimes.repaints, anchorTimes.repaints, repaints);
  PrintPair("flash tick", formTimes.flashes, anchorTimes.flashes, repaints);
  std::printf("windows painted by one repaint: main window %ld, anchor %ld\n", WindowsPaintedByARepaint(form),
              WindowsPaintedByARepaint(anchor));
  return 0;
}
