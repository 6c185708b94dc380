// The main window on the real platform: its native windows, where they sit,
// typing limits, key preview, mouse routing, closing, painting.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "alarm/Unit1.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeMci.h"
#include "fakes/FakeShell.h"
#include "fakes/FixedClock.h"
#include "fakes/HostFileSystem.h"
#include "platform/win32/AppWindow.h"
#include "platform/win32/GdiCanvas.h"
#include "platform/win32/GdiHandles.h"
#include "platform/win32/ProgramResources.h"
#include "platform/win32/Win32Application.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32Peers.h"
#include "platform/win32/Win32Runtime.h"

namespace dz::win32 {
namespace {

HWND HwndOf(const TWinControl* control) {
  return control && control->Peer() ? reinterpret_cast<HWND>(control->Peer()->NativeHandle()) : nullptr;
}

// Handles messages as the program's loop does, for `ms` milliseconds.
void Pump(DWORD ms) {
  const DWORD start = GetTickCount();
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) continue;
      Application::Instance().ProcessMessage(msg);
    }
    Sleep(5);
  } while (GetTickCount() - start < ms);
}

// Sends a message through the loop (key preview and Tab included).
void Deliver(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam = 0) {
  MSG msg{};
  msg.hwnd = hwnd;
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  Application::Instance().ProcessMessage(msg);
}

// The window's position relative to its parent's client area.
RECT PlaceInParent(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::string TempFolder() {
  char base[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, base);
  std::string folder = std::string(base) + "dz-form-" + std::to_string(GetCurrentProcessId()) + "-" +
                       std::to_string(GetTickCount()) + "\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

class FormWin32 : public ::testing::Test {
 protected:
  void SetUp() override { Build(TempFolder()); }

  void Build(const std::string& folder) {
    folder_ = folder;
    files_ = std::make_unique<HostFileSystem>(folder_);
    Platform platform = Win32Platform();
    AddWin32ControlPorts(platform);
    platform.dialogs = &dialogs_;
    platform.mci = &mci_;
    platform.shell = &shell_;
    platform.clock = &clock_;
    platform.files = files_.get();
    scope_ = std::make_unique<ScopedPlatform>(platform);
    ApplicationTitle() = "Dozewell";
    Application::Instance().Initialize("Dozewell");
    form_ = std::make_unique<TForm1>(nullptr, 1.0);
    form_->Show();
    form = form_.get();
    hwnd = HwndOf(form);
    ASSERT_NE(hwnd, nullptr);
    Pump(150);  // shown, activated, first paint
  }

  void TearDown() override {
    form_.reset();
    Pump(20);
    Application::Instance().ResetForTesting();
    scope_.reset();
  }

  FakeDialogs dialogs_;
  FakeMci mci_;
  FakeShell shell_;
  FixedClock clock_{2026, 3, 14, 6, 20};
  std::string folder_;
  std::unique_ptr<HostFileSystem> files_;
  std::unique_ptr<ScopedPlatform> scope_;
  std::unique_ptr<TForm1> form_;
  TForm1* form = nullptr;
  HWND hwnd = nullptr;
};

// --- The window -------------------------------------------------------------

TEST_F(FormWin32, OpensMaximisedWithoutScrollBarsAtAnySize) {
  char cls[64] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  EXPECT_STREQ(cls, "TForm1");
  char caption[64] = {};
  GetWindowTextA(hwnd, caption, sizeof caption);
  EXPECT_STREQ(caption, "Dozewell  Version 3.0");
  EXPECT_TRUE(IsZoomed(hwnd));
  RECT client{};
  GetClientRect(hwnd, &client);
  EXPECT_GE(client.right, GetSystemMetrics(SM_CXSCREEN) - 16);

  const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
  EXPECT_TRUE(style & WS_THICKFRAME);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_TRUE(style & WS_MAXIMIZEBOX);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_CLIPCHILDREN);

  // Smaller than the layout: still no scroll bar.
  ShowWindow(hwnd, SW_RESTORE);
  SetWindowPos(hwnd, nullptr, 0, 0, 400, 300, SWP_NOZORDER);
  Pump(50);
  EXPECT_FALSE(GetWindowLongA(hwnd, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL));
  EXPECT_EQ(form->WindowState(), wsNormal) << "the model follows the user's restore";
  form->SetWindowState(wsMaximized);
  Pump(50);
  EXPECT_TRUE(IsZoomed(hwnd));
}

TEST_F(FormWin32, ControlsSitWhereTheLayoutPutsThem) {
  struct Expected {
    TWinControl* control;
    RECT place;
  };
  const std::vector<Expected> expected = {
      {form->Panel1, {8, 8, 8 + 649, 8 + 545}},
      {form->ButtonOff, {16, 488, 16 + 529, 488 + 41}},
      {form->BitBtnClose, {552, 488, 552 + 81, 488 + 41}},
      {form->EditSnooze, {600, 302, 600 + 33, 302 + 21}},
      {form->EditRepeatMin, {144, 342, 144 + 33, 342 + 21}},
      {form->ChkRepeat, {16, 344, 16 + 129, 344 + 17}},
      {form->btnSnooze, {384, 328, 384 + 253, 328 + 153}},
      {form->MediaPlayer1, {16, 432, 16 + 57, 432 + 30}},
  };
  for (const Expected& e : expected) {
    HWND child = HwndOf(e.control);
    ASSERT_NE(child, nullptr) << e.control->Name();
    const RECT r = PlaceInParent(child);
    EXPECT_EQ(r.left, e.place.left) << e.control->Name();
    EXPECT_EQ(r.top, e.place.top) << e.control->Name();
    EXPECT_EQ(r.right, e.place.right) << e.control->Name();
    EXPECT_EQ(r.bottom, e.place.bottom) << e.control->Name();
  }
  // The panel's sunken border lies outside its client area.
  RECT client{};
  GetClientRect(HwndOf(form->Panel1), &client);
  EXPECT_EQ(client.right, 649 - 4);

  // A closed combo box is as high as laid out (its window is the closed box;
  // the list drops down in a window of its own).
  const RECT closed = PlaceInParent(HwndOf(form->ComboBoxH));
  EXPECT_EQ(closed.left, 32);
  EXPECT_EQ(closed.top, 296);
  EXPECT_EQ(closed.right - closed.left, 57);
  EXPECT_EQ(closed.bottom - closed.top, 24);
  EXPECT_FALSE(IsWindowVisible(HwndOf(form->RepeatOffBtn)));
}

TEST_F(FormWin32, OnlyControlsThatAskShowHints) {
  HWND tip = HintWindowOf(hwnd);
  ASSERT_NE(tip, nullptr);
  std::vector<std::string> shown;
  const LRESULT count = SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    char text[128] = {};
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.lpszText = text;
    ASSERT_TRUE(SendMessageA(tip, TTM_ENUMTOOLSA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tool)));
    const HWND owner = reinterpret_cast<HWND>(tool.uId);
    // The hidden Repeat off button carries one too, but never shows it.
    if (!IsWindowVisible(owner)) continue;
    shown.push_back(text);
  }
  std::sort(shown.begin(), shown.end());
  EXPECT_EQ(shown, (std::vector<std::string>{"Set Snooze minutes the evening before",
                                             "Test the song to see if the volume is high enough",
                                             "set time for the Snoozing below"}));
  EXPECT_EQ(SendMessageA(tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 500);
  EXPECT_EQ(SendMessageA(tip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 2500);
}

// --- Typing -----------------------------------------------------------------

TEST_F(FormWin32, ComboBoxTakesAtMostTwoTypedCharacters) {
  HWND combo = HwndOf(form->ComboBoxH);
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(combo, &info));
  form->ComboBoxH->SetFocus();
  SendMessageA(combo, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
  for (char c : std::string("123")) Deliver(info.hwndItem, WM_CHAR, static_cast<unsigned char>(c));
  EXPECT_EQ(form->ComboBoxH->Text(), "12");
  char text[16] = {};
  GetWindowTextA(combo, text, sizeof text);
  EXPECT_STREQ(text, "12");

  // Choosing from the list sets the text to the item.
  SendMessageA(combo, CB_SETCURSEL, 7, 0);
  SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
  EXPECT_EQ(form->ComboBoxH->Text(), "07");
  EXPECT_EQ(form->ComboBoxH->ItemIndex(), 7);
}

TEST_F(FormWin32, ProgramChangesReachTheScreenWithoutEchoingBack) {
  int changes = 0;
  form->EditSnooze->OnChange = [&](TObject*) { ++changes; };
  form->EditSnooze->SetText("9");
  char text[16] = {};
  GetWindowTextA(HwndOf(form->EditSnooze), text, sizeof text);
  EXPECT_STREQ(text, "9");
  EXPECT_EQ(changes, 1) << "the native change notice is not a second change";

  form->ChkFlash->SetChecked(false);
  EXPECT_EQ(SendMessageA(HwndOf(form->ChkFlash), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  // The user's click goes the other way.
  SendMessageA(HwndOf(form->ChkFlash), BM_CLICK, 0, 0);
  EXPECT_TRUE(form->ChkFlash->Checked());
}

TEST_F(FormWin32, FormSeesKeysBeforeTheFocusedControl) {
  std::vector<std::string> order;
  form->SetKeyPreview(true);
  form->OnKeyPress = [&](TObject*, char& key) {
    order.push_back(std::string("form ") + key);
    if (key == 'q') key = 0;  // swallowed
  };
  form->EditSnooze->OnKeyPress = [&](TObject*, char& key) { order.push_back(std::string("edit ") + key); };
  HWND edit = HwndOf(form->EditSnooze);
  form->EditSnooze->SetFocus();
  ASSERT_EQ(GetFocus(), edit);
  SendMessageA(edit, EM_SETSEL, 0, -1);
  Deliver(edit, WM_CHAR, '7');
  Deliver(edit, WM_CHAR, 'q');
  EXPECT_EQ(order, (std::vector<std::string>{"form 7", "edit 7", "form q"}));
  EXPECT_EQ(form->EditSnooze->Text(), "7") << "the swallowed key never reached the box";
}

TEST_F(FormWin32, TabMovesTheFocusInTabOrder) {
  form->ComboBoxH->SetFocus();
  Deliver(GetFocus(), WM_KEYDOWN, VK_TAB);
  HWND focus = GetFocus();
  EXPECT_TRUE(focus == HwndOf(form->ComboBoxM) || GetParent(focus) == HwndOf(form->ComboBoxM));
  Deliver(GetFocus(), WM_KEYDOWN, VK_TAB);
  EXPECT_EQ(GetFocus(), HwndOf(form->ChkPlay));
  EXPECT_EQ(form->ActiveControl(), form->ChkPlay);
  // The hidden Repeat off button is skipped: from btnSnooze on to ChkFlash.
  form->btnSnooze->SetFocus();
  Deliver(GetFocus(), WM_KEYDOWN, VK_TAB);
  EXPECT_EQ(GetFocus(), HwndOf(form->ChkFlash));
}

TEST_F(FormWin32, EnterClicksTheFocusedPushButtonOnly) {
  int clicks = 0;
  std::string keys;
  form->btnSnooze->OnClick = [&](TObject*) { ++clicks; };
  form->OnKeyPress = [&](TObject*, char& key) { keys += key; };
  form->btnSnooze->SetFocus();
  Deliver(GetFocus(), WM_KEYDOWN, VK_RETURN);
  Pump(20);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(keys, "") << "used up by the button";
  // In a check box Enter is an ordinary key.
  form->ChkPlay->SetFocus();
  const bool ticked = form->ChkPlay->Checked();
  Deliver(GetFocus(), WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(form->ChkPlay->Checked(), ticked);
}

// --- Mouse ------------------------------------------------------------------

TEST_F(FormWin32, MouseMovesGoToTheLabelUnderThePointerElseToTheForm) {
  std::vector<std::string> seen;
  form->Label14->OnMouseMove = [&](TObject* sender, TShiftState, int x, int y) {
    seen.push_back(static_cast<TControl*>(sender)->Name() + " " + std::to_string(x) + "," + std::to_string(y));
  };
  form->OnMouseMove = [&](TObject* sender, TShiftState, int x, int y) {
    seen.push_back(static_cast<TControl*>(sender)->Name() + " " + std::to_string(x) + "," + std::to_string(y));
  };
  form->SetName("Form1");
  const int lx = form->Label14->Left() + 5, ly = form->Label14->Top() + 6;
  SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(lx, ly));
  SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(1100, 900));
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0], "Label14 5,6");
  EXPECT_EQ(seen[1], "Form1 1100,900");
}

TEST_F(FormWin32, PointerIsAHandOverTheLinkLabels) {
  POINT over{form->LblURL->Left() + 3, form->LblURL->Top() + 3};
  ClientToScreen(hwnd, &over);
  SetCursorPos(over.x, over.y);
  SendMessageA(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_HAND));
  POINT off{form->Label13->Left() + 3, form->Label13->Top() + 3};
  ClientToScreen(hwnd, &off);
  SetCursorPos(off.x, off.y);
  SendMessageA(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));
}

// --- Colours and painting ---------------------------------------------------

TEST_F(FormWin32, CheckBoxesTakeThePanelsAquaAndEditsTheWindowColour) {
  WindowDc dc(HwndOf(form->ChkPlay));
  SendMessageA(HwndOf(form->Panel1), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.Get()),
               reinterpret_cast<LPARAM>(HwndOf(form->ChkPlay)));
  EXPECT_EQ(GetBkColor(dc.Get()), RGB(0, 255, 255));
  SendMessageA(HwndOf(form->Panel1), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.Get()),
               reinterpret_cast<LPARAM>(HwndOf(form->EditSnooze)));
  EXPECT_EQ(GetBkColor(dc.Get()), GetSysColor(COLOR_WINDOW));
}

TEST_F(FormWin32, RepaintingAndFlashingLeaveNoGdiObjectsBehind) {
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  const long owners = LiveGdiOwners();
  const std::size_t fonts = CachedFontCount();
  for (int i = 0; i < 6; ++i) {
    form->SetColor(i % 2 ? clGray : clWhite);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  EXPECT_EQ(LiveGdiOwners(), owners);
  EXPECT_EQ(CachedFontCount(), fonts);

  // The flash reaches the screen: the background outside the panel is white.
  form->SetColor(clWhite);
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  WindowDc dc(hwnd);
  EXPECT_EQ(GetPixel(dc.Get(), 1000, 900), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc.Get(), 410, 30), RGB(0, 255, 255)) << "the panel keeps its own colour";
}

TEST_F(FormWin32, WithoutAnOffScreenBitmapTheFormStillPaints) {
  form->SetColor(clWhite);
  DoubleBuffer::FailNextForTesting(1000);
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  DoubleBuffer::FailNextForTesting(0);
  WindowDc dc(hwnd);
  EXPECT_EQ(GetPixel(dc.Get(), 1000, 900), RGB(255, 255, 255));
}

TEST_F(FormWin32, LabelsAreWideEnoughForTheirCaptions) {
  // A label sized by the measurer must show its longest line whole.
  ScreenTextMeasurer measurer;
  for (TLabel* label : {form->Label14, form->Label16, form->Label19}) {
    const TSize size = measurer.MeasureText(label->Font(), label->Caption(), label->TextFlags());
    WindowDc dc(hwnd);
    GdiCanvas canvas(dc.Get());
    canvas.Font = label->Font();
    TRect r{0, 0, 0, 0};
    canvas.DrawText(label->Caption(), r, label->TextFlags() | dtCalcRect);
    // The measure covers the text's advance widths and the ink the renderer
    // draws past them, and the label is sized to it.
    EXPECT_GE(size.cx, r.Width()) << label->Name();
    EXPECT_LE(size.cx, r.Width() + size.cy) << label->Name();
    EXPECT_GE(label->Width(), size.cx) << label->Name();
  }
}

TEST_F(FormWin32, TheFirstControlInTabOrderHasTheFocusAtStart) {
  ASSERT_NE(form->ActiveControl(), nullptr);
  EXPECT_EQ(form->ActiveControl(), form->ComboBoxH) << form->ActiveControl()->Name();
  HWND focus = GetFocus();
  EXPECT_TRUE(focus == HwndOf(form->ComboBoxH) || IsChild(HwndOf(form->ComboBoxH), focus));
}

// Minimised, the window keeps the control that had the focus; the program
// may move the focus meanwhile (the alarm gives it to Snooze before it
// brings the window back), and the window comes back with the focus there.
TEST_F(FormWin32, TheFocusComesBackWithTheWindowWhereItWasLastGiven) {
  HWND app = ApplicationWindowHandle();
  form->EditSnooze->SetFocus();
  Pump(30);
  SendMessageA(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  Pump(30);
  SendMessageA(app, WM_SYSCOMMAND, SC_RESTORE, 0);
  Pump(30);
  EXPECT_EQ(GetFocus(), HwndOf(form->EditSnooze));
  EXPECT_EQ(form->ActiveControl(), form->EditSnooze);

  form->SetWindowState(wsMinimized);
  Pump(30);
  form->btnSnooze->SetFocus();
  form->SetWindowState(wsMaximized);
  Pump(30);
  EXPECT_EQ(GetFocus(), HwndOf(form->btnSnooze));
  EXPECT_EQ(form->ActiveControl(), form->btnSnooze);
}

// --- The taskbar ------------------------------------------------------------

// The title bar shows the main window's small icon, the taskbar button the
// application window's, the task switcher the big ones: all the clock.
TEST_F(FormWin32, TheMainWindowAndTheTaskbarButtonShowTheProgramsIconBigAndSmall) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  const auto program = [&](int width, int height) {
    return reinterpret_cast<LONG_PTR>(LoadImageA(instance, MAKEINTRESOURCEA(DZ_PROGRAM_ICON), IMAGE_ICON,
                                                 GetSystemMetrics(width), GetSystemMetrics(height), LR_SHARED));
  };
  const LONG_PTR big = program(SM_CXICON, SM_CYICON), small = program(SM_CXSMICON, SM_CYSMICON);
  ASSERT_NE(big, 0);
  ASSERT_NE(small, 0);
  for (HWND window : {hwnd, ApplicationWindowHandle()}) {
    EXPECT_EQ(GetClassLongPtrA(window, GCLP_HICON), big);
    EXPECT_EQ(GetClassLongPtrA(window, GCLP_HICONSM), small);
  }
}

TEST_F(FormWin32, TheApplicationWindowHoldsTheTaskbarButtonAndOwnsTheMainWindow) {
  HWND app = ApplicationWindowHandle();
  EXPECT_EQ(GetWindow(hwnd, GW_OWNER), app);
  EXPECT_EQ(GetWindow(app, GW_OWNER), nullptr);
  EXPECT_TRUE(IsWindowVisible(app));
  EXPECT_FALSE(GetWindowLongA(app, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) << "it has the button";
  EXPECT_FALSE(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_APPWINDOW) << "no second button";
  RECT r{};
  GetWindowRect(app, &r);
  EXPECT_EQ(r.right - r.left, 0);
  char title[64] = {};
  GetWindowTextA(app, title, sizeof title);
  EXPECT_STREQ(title, "Dozewell");
  GetWindowTextA(hwnd, title, sizeof title);
  EXPECT_STREQ(title, "Dozewell  Version 3.0");

  // The minimise box minimises the program into its button; the taskbar's
  // restore brings the window back as it was.
  SendMessageA(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  Pump(30);
  EXPECT_FALSE(IsWindowVisible(hwnd));
  EXPECT_TRUE(IsIconic(app));
  EXPECT_EQ(form->WindowState(), wsMinimized);
  SendMessageA(app, WM_SYSCOMMAND, SC_RESTORE, 0);
  Pump(30);
  EXPECT_TRUE(IsZoomed(hwnd));
  EXPECT_FALSE(IsIconic(app));
  EXPECT_EQ(form->WindowState(), wsMaximized);

  // The program's own maximise (the alarm) brings a minimised program back.
  form->SetWindowState(wsMinimized);
  Pump(30);
  EXPECT_FALSE(IsWindowVisible(hwnd));
  form->SetWindowState(wsMaximized);
  Pump(30);
  EXPECT_TRUE(IsZoomed(hwnd));
  EXPECT_FALSE(IsIconic(app));
}

TEST_F(FormWin32, StartedMinimisedOnlyTheButtonShowsUntilARestoreBringsItBackMaximised) {
  form_.reset();
  Pump(20);
  form_ = std::make_unique<TForm1>(nullptr, 1.0);
  form = form_.get();
  form->SetWindowState(wsMinimized);
  form->Show();
  hwnd = HwndOf(form);
  Pump(50);
  HWND app = ApplicationWindowHandle();
  EXPECT_FALSE(IsWindowVisible(hwnd));
  EXPECT_TRUE(IsIconic(app));
  SendMessageA(app, WM_SYSCOMMAND, SC_RESTORE, 0);
  Pump(50);
  EXPECT_TRUE(IsZoomed(hwnd));
  EXPECT_EQ(form->WindowState(), wsMaximized);
}

TEST_F(FormWin32, StartedWithoutActivationTheSettingsAreReadWhenTheLoopFirstIdles) {
  form_.reset();
  Pump(20);
  const std::string settings = folder_ + "folderS.txt";
  HANDLE file = CreateFileA(settings.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  const char bytes[] = "C:\\gone.wav\r\n07\r\n30\r\n4\r\n9\r\n";
  DWORD written = 0;
  WriteFile(file, bytes, sizeof bytes - 1, &written, nullptr);
  CloseHandle(file);

  Application& app = Application::Instance();
  app.ResetForTesting();
  form_ = std::make_unique<TForm1>(nullptr, 1.0);
  form = form_.get();
  form->OnActivate = nullptr;  // only the loop's idle moment may read them
  form->SetWindowState(wsMinimized);
  form->Show();
  EXPECT_EQ(form->EditSnooze->Text(), "5");
  const UINT_PTR stop = SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR, DWORD) {
    Application::Instance().Terminate();
  });
  const UINT_PTR deadline = SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(9); });
  app.Run();
  KillTimer(nullptr, stop);
  KillTimer(nullptr, deadline);
  EXPECT_EQ(form->ComboBoxH->Text(), "07");
  EXPECT_EQ(form->EditSnooze->Text(), "9");
  SendMessageA(ApplicationWindowHandle(), WM_SYSCOMMAND, SC_RESTORE, 0);
}

// --- Cancel mode ------------------------------------------------------------

namespace {

// The box the failing timer opens, found and closed from inside its loop.
TSpeedButton* g_heldButton = nullptr;
int g_boxesSeen = 0;
bool g_pressedUnderTheBox = true;

void CALLBACK CloseTheErrorBox(HWND, UINT, UINT_PTR, DWORD) {
  HWND box = FindWindowA("#32770", "Dozewell");
  if (!box || !IsWindowVisible(box)) return;
  ++g_boxesSeen;
  g_pressedUnderTheBox = g_heldButton->Pressed();
  PostMessageA(box, WM_COMMAND, IDOK, 0);
}

void MouseButton(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

}  // namespace

TEST_F(FormWin32, AReportOpenedWhileAButtonIsHeldLetsItUpAndNothingFires) {
  Win32Dialogs boxes;  // the real error box
  Platform platform = CurrentPlatform();
  platform.dialogs = &boxes;
  ScopedPlatform realBoxes(platform);
  TSpeedButton* button = form->SpeedButton1;
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  POINT at{button->Left() + 20, button->Top() + 20};
  ClientToScreen(HwndOf(form->Panel1), &at);
  SetCursorPos(at.x, at.y);
  Pump(30);
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  Pump(100);
  ASSERT_TRUE(button->Pressed()) << "the held button shows pressed";

  g_heldButton = button;
  TTimer failing;
  failing.SetInterval(20);
  failing.SetOnTimer([&failing] {
    failing.SetEnabled(false);
    throw EConvertError("'' is not a valid integer value");
  });
  const UINT_PTR closer = SetTimer(nullptr, 0, 200, &CloseTheErrorBox);
  const DWORD start = GetTickCount();
  while (g_boxesSeen == 0 && GetTickCount() - start < 5000) Pump(20);
  Pump(50);
  KillTimer(nullptr, closer);
  ASSERT_EQ(g_boxesSeen, 1);
  EXPECT_FALSE(g_pressedUnderTheBox) << "the face came up when the box opened";

  // Still held: the face no longer follows the pointer, and letting go
  // over the button clicks nothing.
  SetCursorPos(at.x + 3, at.y + 2);
  Pump(50);
  EXPECT_FALSE(button->Pressed());
  MouseButton(MOUSEEVENTF_LEFTUP);
  Pump(100);
  EXPECT_EQ(clicks, 0);
}

// --- Context menu -----------------------------------------------------------

TEST_F(FormWin32, ARightClickAsksTheControlUnderThePointer) {
  std::vector<TPoint> asked;
  form->Label13->OnContextPopup = [&](TObject*, TPoint pos, bool& handled) {
    asked.push_back(pos);
    handled = true;
  };
  const int x = form->Label13->Left() + 4, y = form->Label13->Top() + 3;
  SendMessageA(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(x, y));
  SendMessageA(hwnd, WM_RBUTTONUP, 0, MAKELPARAM(x, y));
  EXPECT_EQ(asked, (std::vector<TPoint>{TPoint{4, 3}}));
}

// --- Closing ----------------------------------------------------------------

TEST_F(FormWin32, ExitEndsTheLoopThroughTheCloseHandler) {
  int closes = 0;
  form->OnClose = [&](TObject*, TCloseAction&) { ++closes; };
  const UINT_PTR deadline = SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(9); });
  PostMessageA(HwndOf(form->BitBtnClose), BM_CLICK, 0, 0);
  EXPECT_EQ(Application::Instance().Run(), 0);
  KillTimer(nullptr, deadline);
  EXPECT_TRUE(Application::Instance().Terminated());
  EXPECT_TRUE(form->Closed());
  EXPECT_FALSE(IsWindowVisible(hwnd));
  EXPECT_EQ(closes, 1);
}

TEST_F(FormWin32, SystemCloseCommandClosesThroughTheCloseHandler) {
  int closes = 0;
  form->OnClose = [&](TObject*, TCloseAction&) { ++closes; };
  SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(closes, 1);
  EXPECT_TRUE(form->Closed());
  EXPECT_TRUE(Application::Instance().Terminated());
}

TEST_F(FormWin32, FailingCloseHandlerKeepsTheWindowOpen) {
  form->OnClose = [&](TObject*, TCloseAction&) { throw EInOutError(5); };
  const std::size_t before = dialogs_.ErrorTexts().size();
  SendMessageA(hwnd, WM_CLOSE, 0, 0);
  EXPECT_FALSE(form->Closed());
  EXPECT_TRUE(IsWindowVisible(hwnd));
  EXPECT_FALSE(Application::Instance().Terminated());
  ASSERT_EQ(dialogs_.ErrorTexts().size(), before + 1);
  EXPECT_EQ(dialogs_.ErrorTexts().back(), "File access denied.");
  // The next attempt runs the handler again.
  SendMessageA(hwnd, WM_CLOSE, 0, 0);
  EXPECT_EQ(dialogs_.ErrorTexts().size(), before + 2);
}

TEST_F(FormWin32, TheSessionsEndRunsItsHandlerOnlyWhenTheSessionReallyEnds) {
  int ends = 0;
  form->OnSessionEnd = [&](TObject*) {
    ++ends;
    throw EInOutError(5);  // nobody is there to answer a box
  };
  const std::size_t before = dialogs_.ErrorTexts().size();
  EXPECT_EQ(SendMessageA(hwnd, WM_QUERYENDSESSION, 0, 0), TRUE);
  SendMessageA(hwnd, WM_ENDSESSION, FALSE, 0);  // another program said no
  EXPECT_EQ(ends, 0);
  SendMessageA(hwnd, WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(ends, 1);
  EXPECT_EQ(dialogs_.ErrorTexts().size(), before);
}

}  // namespace
}  // namespace dz::win32
