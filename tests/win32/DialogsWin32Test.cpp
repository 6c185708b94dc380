// The error box and the notice box on the real platform. Each box is found
// and closed from a timer tick while it is open, which also shows that the
// timers keep ticking under it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>

#include "platform/win32/AppWindow.h"
#include "platform/win32/Clipboard.h"
#include "platform/win32/NoticeWindow.h"
#include "platform/win32/Win32Runtime.h"
#include "runtime/Dispatch.h"
#include "runtime/Exceptions.h"
#include "runtime/Timer.h"

namespace dz::win32 {
namespace {

const char* const kDashes = "---------------------------\r\n";

std::string TextOf(HWND hwnd) {
  char text[1024] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

// The clipboard's text, read as another program would.
std::string ClipboardText(HWND owner) {
  if (!OpenClipboard(owner)) return {};
  std::string text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const auto* bytes = static_cast<const char*>(GlobalLock(data))) {
      text.assign(bytes, strnlen(bytes, GlobalSize(data)));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

std::string ClassOf(HWND hwnd) {
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

// The first visible top-level window of this thread with that class.
HWND FindThreadWindow(const std::string& className) {
  struct Search {
    std::string name;
    HWND found = nullptr;
  } search{className};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND hwnd, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        if (IsWindowVisible(hwnd) && ClassOf(hwnd) == s->name) {
          s->found = hwnd;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The text of the first child of `parent` with that class and some text.
HWND FindChild(HWND parent, const std::string& className) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassOf(child) == className && !TextOf(child).empty()) return child;
  }
  return nullptr;
}

// A visible main window with an edit box holding the focus, as the program's
// own window is when a box opens.
class DialogsWin32Test : public ::testing::Test {
 protected:
  DialogsWin32Test() : scope(Win32Platform()) {
    ApplicationTitle() = "Dozewell";
    ApplicationWindow::Instance().SetTitle("Dozewell");
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "DialogsTestMain";
    RegisterClassA(&wc);
    main = CreateWindowExA(0, "DialogsTestMain", "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50,
                           300, 200, nullptr, nullptr, wc.hInstance, nullptr);
    edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 100, 24, main,
                           nullptr, wc.hInstance, nullptr);
    SetActiveWindow(main);
    SetFocus(edit);
  }
  ~DialogsWin32Test() override { DestroyWindow(main); }

  // Runs `probe` at every tick of a 50 ms timer while `show` runs; the probe
  // returns true once it has closed the box. A box still open after 10 s, or
  // one that opens later, is closed by force and the test fails.
  void WhileOpen(const std::function<void()>& show, const char* boxClass,
                 const std::function<bool(HWND box)>& probe) {
    TTimer timer;
    timer.SetInterval(50);
    const ULONGLONG deadline = GetTickCount64() + 10000;
    bool closed = false;
    int ticksAfterClose = 0;
    timer.SetOnTimer([&] {
      HWND box = FindThreadWindow(boxClass);
      if (closed) {
        // A box that opens after the probe is done would never close.
        if (box && ++ticksAfterClose > 2) {
          ADD_FAILURE() << "another box opened";
          PostMessageA(box, WM_CLOSE, 0, 0);
          PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
        return;
      }
      if (box && probe(box)) closed = true;
      if (!closed && GetTickCount64() > deadline) {
        ADD_FAILURE() << "the box was not closed in time";
        closed = true;
        if (box) PostMessageA(box, WM_CLOSE, 0, 0);
        if (box) PostMessageA(box, WM_COMMAND, IDOK, 0);
      }
    });
    show();
    EXPECT_TRUE(closed);
  }

  ScopedPlatform scope;
  HWND main = nullptr;
  HWND edit = nullptr;
};

TEST_F(DialogsWin32Test, AnErrorBoxIsModalOwnedByTheApplicationWindowAndTimersTick) {
  int ticksSeen = 0;
  bool mainDisabled = false;
  HWND owner = nullptr;
  std::string text, caption;
  WhileOpen([] { ReportError(EIntOverflow()); }, "#32770", [&](HWND box) {
    if (++ticksSeen < 3) return false;  // let a few ticks pass under the box
    mainDisabled = !IsWindowEnabled(main);
    owner = GetWindow(box, GW_OWNER);
    caption = TextOf(box);
    if (HWND label = GetDlgItem(box, 0xFFFF)) text = TextOf(label);
    if (text.empty()) text = TextOf(FindChild(box, "Static"));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return true;
  });
  EXPECT_EQ(ticksSeen, 3);
  EXPECT_TRUE(mainDisabled);
  EXPECT_EQ(owner, ApplicationWindowHandle());
  EXPECT_EQ(caption, "Dozewell");
  EXPECT_EQ(text, "Integer overflow.");
  EXPECT_TRUE(IsWindowEnabled(main));
  EXPECT_EQ(GetActiveWindow(), main);
  EXPECT_EQ(GetFocus(), edit);
}

TEST_F(DialogsWin32Test, ATimerThatFailsUnderItsOwnOpenReportOpensNoSecondBox) {
  TTimer failing;
  failing.SetInterval(30);
  int calls = 0;
  failing.SetOnTimer([&calls] {
    ++calls;
    throw EConvertError("'' is not a valid integer value");
  });
  int probes = 0;
  int mostBoxes = 0;
  int callsWhenClosed = 0;
  bool closed = false;
  WhileOpen(
      [&closed] {
        // The failing timer's report opens from the loop below.
        const ULONGLONG deadline = GetTickCount64() + 10000;
        while (!closed && GetTickCount64() < deadline) {
          MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
          MSG msg;
          while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
          }
        }
      },
      "#32770",
      [&](HWND box) {
        int boxes = 0;
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND hwnd, LPARAM count) -> BOOL {
              if (IsWindowVisible(hwnd) && ClassOf(hwnd) == "#32770") ++*reinterpret_cast<int*>(count);
              return TRUE;
            },
            reinterpret_cast<LPARAM>(&boxes));
        mostBoxes = std::max(mostBoxes, boxes);
        if (++probes < 5) return false;
        callsWhenClosed = calls;
        failing.SetEnabled(false);  // else its next failure opens a new box
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        closed = true;
        return true;
      });
  EXPECT_GE(callsWhenClosed, 5);  // the failing handler kept running under its box
  EXPECT_EQ(mostBoxes, 1);
}

TEST_F(DialogsWin32Test, ANoticeIsAPlainModalBoxWithOneDefaultOkButton) {
  std::string message;  // far wider than half the screen unless wrapped
  for (int i = 0; i < 80; ++i) message += "wake up ";
  int ticksSeen = 0;
  bool mainDisabled = false;
  std::string caption, text, button;
  LONG buttonStyle = 0;
  RECT frame{};
  WhileOpen([&] { ShowNotice("Sound " + message); }, NoticeWindow::kClassName, [&](HWND box) {
    if (++ticksSeen < 3) return false;
    mainDisabled = !IsWindowEnabled(main);
    caption = TextOf(box);
    text = TextOf(FindChild(box, "Static"));
    HWND ok = FindChild(box, "Button");
    button = TextOf(ok);
    buttonStyle = GetWindowLongA(ok, GWL_STYLE);
    GetWindowRect(box, &frame);
    PostMessageA(box, WM_KEYDOWN, VK_ESCAPE, 0);
    return true;
  });
  EXPECT_TRUE(mainDisabled);
  EXPECT_EQ(caption, "Dozewell");
  EXPECT_EQ(text, "Sound " + message);
  EXPECT_EQ(button, "OK");
  EXPECT_EQ(buttonStyle & 0x0F, BS_DEFPUSHBUTTON);
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_LE(frame.right - frame.left, screenWidth / 2 + 100);
  EXPECT_NEAR((frame.left + frame.right) / 2, screenWidth / 2, 2);
  EXPECT_NEAR((frame.top + frame.bottom) / 2, screenHeight / 2, 2);
  EXPECT_EQ(FindThreadWindow(NoticeWindow::kClassName), nullptr);
  EXPECT_TRUE(IsWindowEnabled(main));
  EXPECT_EQ(GetActiveWindow(), main);
  EXPECT_EQ(GetFocus(), edit);
}

TEST_F(DialogsWin32Test, CtrlCInTheNoticeCopiesTheBoxAsTextAndEnterClosesIt) {
  CopyTextToClipboard(main, "before");
  int step = 0;
  std::string copied;
  WhileOpen([] { ShowNotice("Time to wake up"); }, NoticeWindow::kClassName, [&](HWND box) {
    HWND ok = FindChild(box, "Button");
    BYTE keys[256] = {};
    switch (step++) {
      case 0:
        GetKeyboardState(keys);
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
        PostMessageA(ok, WM_KEYDOWN, 'C', 0);
        return false;
      case 1:
        GetKeyboardState(keys);
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
        copied = ClipboardText(main);
        PostMessageA(ok, WM_KEYDOWN, VK_RETURN, 0);
        return true;
      default:
        return false;
    }
  });
  EXPECT_EQ(copied, std::string(kDashes) + "Dozewell\r\n" + kDashes + "Time to wake up\r\n" +
                        kDashes + "OK   \r\n" + kDashes);
}

TEST_F(DialogsWin32Test, AQuitRequestUnderTheNoticeEndsItAndReachesTheOuterLoop) {
  WhileOpen([] { ShowNotice("Bye"); }, NoticeWindow::kClassName, [](HWND) {
    PostQuitMessage(7);
    return true;
  });
  MSG msg{};
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
  EXPECT_EQ(FindThreadWindow(NoticeWindow::kClassName), nullptr);
}

TEST_F(DialogsWin32Test, AnErrorRaisedUnderANoticeWaitsUntilTheNoticeHasClosed) {
  // Closes the error box wherever it opens, noting whether the notice was
  // still on screen then.
  bool errorShown = false;
  bool noticeStillOpen = false;
  TTimer closer;
  closer.SetInterval(50);
  closer.SetOnTimer([&] {
    if (HWND box = FindThreadWindow("#32770")) {
      errorShown = true;
      noticeStillOpen = FindThreadWindow(NoticeWindow::kClassName) != nullptr;
      PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
  });
  bool reported = false;
  WhileOpen([] { ShowNotice("Outer"); }, NoticeWindow::kClassName, [&](HWND notice) {
    if (!reported) {
      reported = true;
      ReportError(std::string("Inner"));  // returns at once: the notice is open
      return false;
    }
    PostMessageA(notice, WM_COMMAND, IDOK, 0);
    return true;
  });
  EXPECT_TRUE(errorShown);
  EXPECT_FALSE(noticeStillOpen);
  EXPECT_TRUE(IsWindowEnabled(main));
}

}  // namespace
}  // namespace dz::win32
