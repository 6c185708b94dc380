#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/FakeDialogs.h"
#include "platform/win32/GdiHandles.h"
#include "platform/win32/Win32Application.h"
#include "runtime/Platform.h"

namespace dz::win32 {
namespace {

// A plain top-level window with one edit box, standing in for the main form.
class FakeForm final : public MainFormWindow {
 public:
  FakeForm() {
    form_ = CreateWindowExA(0, "STATIC", "form", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 300,
                            200, nullptr, nullptr, nullptr, nullptr);
    edit_ = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 20, form_, nullptr,
                            nullptr, nullptr);
  }
  ~FakeForm() override { DestroyWindow(form_); }
  HWND Handle() const noexcept override { return form_; }
  HWND Edit() const { return edit_; }
  bool PreviewChar(char& ch) override {
    previewed += ch;
    if (ch == 'x') return false;  // swallowed
    if (ch == 'a') ch = 'b';      // changed
    if (ch == '!') throw Exception("Preview failed");
    return true;
  }
  void FocusNextControl(bool forward) override { tabs.push_back(forward); }

  std::string previewed;
  std::vector<bool> tabs;

 private:
  HWND form_ = nullptr;
  HWND edit_ = nullptr;
};

std::string TextOf(HWND hwnd) {
  char text[256] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

void Pump(HWND hwnd, UINT msg, WPARAM wParam) {
  MSG m{};
  m.hwnd = hwnd;
  m.message = msg;
  m.wParam = wParam;
  Application::Instance().ProcessMessage(m);
}

// Makes `form` the loop's main form for the test's lifetime.
class ScopedMainForm {
 public:
  explicit ScopedMainForm(MainFormWindow& form) : saved_(Application::Instance().MainForm()) {
    Application::Instance().SetMainFormForTesting(&form);
  }
  ~ScopedMainForm() { Application::Instance().SetMainFormForTesting(saved_); }
  ScopedMainForm(const ScopedMainForm&) = delete;
  ScopedMainForm& operator=(const ScopedMainForm&) = delete;

 private:
  MainFormWindow* saved_;
};

}  // namespace

TEST(ApplicationStartUp, ShowsMaximisedUnlessStartedMinimised) {
  STARTUPINFOA startup{};
  EXPECT_EQ(MainWindowShowCommand(startup), SW_SHOWMAXIMIZED);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  EXPECT_EQ(MainWindowShowCommand(startup), SW_SHOWMAXIMIZED);
  startup.wShowWindow = SW_SHOWMINNOACTIVE;
  EXPECT_EQ(MainWindowShowCommand(startup), SW_SHOWMINNOACTIVE);
  startup.dwFlags = 0;  // the show field counts only with its flag
  EXPECT_EQ(MainWindowShowCommand(startup), SW_SHOWMAXIMIZED);
}

TEST(ApplicationStartUp, FinalErrorBoxNamesTheClassAndTheMessage) {
  const std::string text = ApplicationErrorText(EOutOfResources("Not enough timers available"));
  EXPECT_NE(text.find("EOutOfResources"), std::string::npos);
  EXPECT_NE(text.find("Not enough timers available"), std::string::npos);
}

TEST(MessageLoop, FormPreviewsCharactersTypedIntoItsControls) {
  FakeForm form;
  ScopedMainForm main(form);

  Pump(form.Edit(), WM_CHAR, 'q');
  Pump(form.Edit(), WM_CHAR, 'x');
  Pump(form.Edit(), WM_CHAR, 'a');
  EXPECT_EQ(form.previewed, "qxa");
  EXPECT_EQ(TextOf(form.Edit()), "qb") << "a swallowed key never reaches the box";

  // The form's own window raises its key press itself: no preview for it.
  Pump(form.Handle(), WM_CHAR, 'z');
  EXPECT_EQ(form.previewed, "qxa");
}

TEST(MessageLoop, AFailedPreviewIsReportedOnceAndTheKeyIsUsedUp) {
  FakeDialogs dialogs;
  Platform platform;
  platform.dialogs = &dialogs;
  ScopedPlatform scope(platform);
  FakeForm form;
  ScopedMainForm main(form);
  Pump(form.Edit(), WM_CHAR, '!');
  EXPECT_EQ(dialogs.ErrorTexts(), std::vector<std::string>{"Preview failed."});
  EXPECT_EQ(TextOf(form.Edit()), "");
}

TEST(MessageLoop, TabMovesTheFocusInsteadOfReachingTheControl) {
  FakeForm form;
  ScopedMainForm main(form);

  Pump(form.Edit(), WM_KEYDOWN, VK_TAB);
  ASSERT_EQ(form.tabs.size(), 1u);
  EXPECT_TRUE(form.tabs[0]);
  // Another program's window is left alone.
  HWND other = CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  Pump(other, WM_KEYDOWN, VK_TAB);
  EXPECT_EQ(form.tabs.size(), 1u);
  DestroyWindow(other);
}

TEST(MessageLoop, TerminateEndsTheLoopWithExitCodeZero) {
  Application& app = Application::Instance();
  MainFormWindow* saved = app.MainForm();
  app.SetMainFormForTesting(nullptr);
  // A timer stands in for the close: it terminates from inside the loop.
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) {
    Application::Instance().Terminate();
  });
  // A safety net: the test fails rather than hangs if Terminate is ignored.
  // It falls due long after the terminating timer, so the exit code tells
  // which of the two ended the loop, however late both tick.
  const UINT_PTR deadline = SetTimer(nullptr, 0, 20000, [](HWND, UINT, UINT_PTR, DWORD) {
    PostQuitMessage(7);
  });
  EXPECT_EQ(app.Run(), 0);
  EXPECT_TRUE(app.Terminated());
  KillTimer(nullptr, timer);
  KillTimer(nullptr, deadline);
  MSG m;
  while (PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  app.ResetForTesting();
  app.SetMainFormForTesting(saved);
}

TEST(DoubleBuffer, CopiesToTheTargetAndLeavesNoGdiObjectsBehind) {
  HWND hwnd = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 60, 40, nullptr,
                              nullptr, nullptr, nullptr);
  const long before = LiveGdiOwners();
  {
    WindowDc dc(hwnd);
    MemoryDc target(dc.Get());
    Bitmap bits(CreateCompatibleBitmap(dc.Get(), 60, 40));
    SelectGuard selected(target.Get(), bits.Get());
    {
      const RECT area{10, 5, 50, 35};
      DoubleBuffer buffer(target.Get(), area);
      EXPECT_TRUE(buffer.Buffered());
      Brush red(CreateSolidBrush(RGB(255, 0, 0)));
      FillRect(buffer.Dc(), &area, red.Get());  // target coordinates
      EXPECT_NE(GetPixel(target.Get(), 20, 20), RGB(255, 0, 0)) << "nothing shows before the copy";
    }
    EXPECT_EQ(GetPixel(target.Get(), 20, 20), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(target.Get(), 10, 5), RGB(255, 0, 0));
    EXPECT_NE(GetPixel(target.Get(), 5, 5), RGB(255, 0, 0));
    EXPECT_GT(LiveGdiOwners(), before);
  }
  EXPECT_EQ(LiveGdiOwners(), before);
  DestroyWindow(hwnd);
}

TEST(DoubleBuffer, WindowPaintsShareOneBitmapWithoutPassingOnClipOrSize) {
  // Paints of windows draw on one kept bitmap: what one paint leaves in it
  // (a clip) must not cut the next, and a larger paint must get all of its area.
  HWND hwnd = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 120, 90, nullptr,
                              nullptr, nullptr, nullptr);
  WindowDc dc(hwnd);
  const auto fill = [&](const RECT& area, COLORREF colour, bool clipAfter) {
    DoubleBuffer buffer(dc.Get(), area);
    EXPECT_TRUE(buffer.Buffered());
    Brush brush(CreateSolidBrush(colour));
    FillRect(buffer.Dc(), &area, brush.Get());
    if (clipAfter) IntersectClipRect(buffer.Dc(), area.left, area.top, area.left + 2, area.top + 2);
  };
  fill({0, 0, 10, 10}, RGB(0, 0, 255), true);
  const long owners = LiveGdiOwners();
  fill({0, 0, 120, 90}, RGB(255, 0, 0), false);
  EXPECT_EQ(GetPixel(dc.Get(), 5, 5), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc.Get(), 115, 85), RGB(255, 0, 0)) << "the far corner of the larger paint";
  fill({30, 20, 60, 50}, RGB(0, 255, 0), false);
  EXPECT_EQ(GetPixel(dc.Get(), 45, 35), RGB(0, 255, 0)) << "a later paint elsewhere in the window";
  EXPECT_EQ(GetPixel(dc.Get(), 100, 80), RGB(255, 0, 0)) << "and nothing outside it";
  EXPECT_EQ(LiveGdiOwners(), owners) << "the bitmap is kept, not made again";
  DestroyWindow(hwnd);
}

TEST(DoubleBuffer, FallsBackToDirectDrawingWhenNoBitmapCanBeMade) {
  HWND hwnd = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 60, 40, nullptr,
                              nullptr, nullptr, nullptr);
  const long before = LiveGdiOwners();
  {
    WindowDc dc(hwnd);
    MemoryDc target(dc.Get());
    Bitmap bits(CreateCompatibleBitmap(dc.Get(), 60, 40));
    SelectGuard selected(target.Get(), bits.Get());
    DoubleBuffer::FailNextForTesting(1);
    const RECT area{0, 0, 60, 40};
    DoubleBuffer buffer(target.Get(), area);
    EXPECT_FALSE(buffer.Buffered());
    EXPECT_EQ(buffer.Dc(), target.Get());
    Brush blue(CreateSolidBrush(RGB(0, 0, 255)));
    FillRect(buffer.Dc(), &area, blue.Get());
    EXPECT_EQ(GetPixel(target.Get(), 30, 20), RGB(0, 0, 255)) << "drawn at once, not lost";
  }
  EXPECT_EQ(LiveGdiOwners(), before);
  DestroyWindow(hwnd);
}

}  // namespace dz::win32
