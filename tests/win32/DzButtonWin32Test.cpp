// The glyph button on the real platform: the visual style it draws with,
// the pointer and the keys that reach it through the peer and the loop.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "fakes/FakeDialogs.h"
#include "platform/win32/GdiCanvas.h"
#include "platform/win32/GdiHandles.h"
#include "platform/win32/Win32Application.h"
#include "platform/win32/Win32ButtonTheme.h"
#include "platform/win32/Win32Peers.h"
#include "platform/win32/Win32Runtime.h"
#include "ui/DzButton.h"
#include "ui/Forms.h"

namespace dz::win32 {
namespace {

HWND HwndOf(const TWinControl* control) {
  return reinterpret_cast<HWND>(control->Peer()->NativeHandle());
}

void Deliver(HWND hwnd, UINT message, WPARAM wParam) {
  MSG msg{};
  msg.hwnd = hwnd;
  msg.message = message;
  msg.wParam = wParam;
  Application::Instance().ProcessMessage(msg);
}

// The colour the style paints in the middle of a 60 x 30 push button.
COLORREF PushButtonFace(Win32ButtonTheme& theme, ThemeState state) {
  WindowDc screen(nullptr);
  MemoryDc dc(screen.Get());
  Bitmap bits(CreateCompatibleBitmap(screen.Get(), 60, 30));
  SelectGuard selected(dc.Get(), bits.Get());
  GdiCanvas canvas(dc.Get());
  const TRect all{0, 0, 60, 30};
  EXPECT_TRUE(theme.DrawPart(canvas, 0, ThemePart::PushButton, state, all, all));
  const TRect content = theme.ContentRect(canvas, 0, ThemePart::PushButton, state, all);
  EXPECT_TRUE(content.Left > 0 && content.Right < 60 && !content.Empty());
  return GetPixel(dc.Get(), 30, 15);
}

TEST(Win32ButtonTheme, DrawsThePressedPushButtonOfTheDesktopsStyle) {
  Win32ButtonTheme theme;
  ASSERT_TRUE(theme.Loaded());
  if (!theme.VisualStyleActive()) GTEST_SKIP() << "visual styles are switched off here";
  EXPECT_NE(PushButtonFace(theme, ThemeState::Normal), PushButtonFace(theme, ThemeState::Pressed));
}

class DzButtonWin32 : public ::testing::Test {
 protected:
  void SetUp() override {
    Platform platform = Win32Platform();
    AddWin32ControlPorts(platform);
    platform.dialogs = &dialogs;
    scope = std::make_unique<ScopedPlatform>(platform);
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 400, 300);
    button = new TDzButton(form.get());
    button->SetParent(form.get());
    button->SetBounds(10, 10, 120, 60);
    button->SetCaption("&Snooze");
    button->OnClick = [this](TObject*) { ++clicks; };
    edit = new TEdit(form.get());
    edit->SetParent(form.get());
    edit->SetBounds(10, 100, 80, 21);
    form->Show();
    edit->SetFocus();
  }
  void TearDown() override {
    form.reset();
    Application::Instance().ResetForTesting();
  }

  FakeDialogs dialogs;
  std::unique_ptr<ScopedPlatform> scope;
  std::unique_ptr<TForm> form;
  TDzButton* button = nullptr;
  TEdit* edit = nullptr;
  int clicks = 0;
};

TEST_F(DzButtonWin32, ThePointerComingAndGoingReachesTheButton) {
  int exits = 0;
  button->OnMouseExit = [&](TObject*) { ++exits; };
  SendMessageA(HwndOf(button), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(button->MouseInside());
  SendMessageA(HwndOf(button), WM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(button->MouseInside());
  EXPECT_EQ(exits, 1);
}

TEST_F(DzButtonWin32, AButtonShownAgainUnderThePointerGetsItsHotLookBackWithoutAMove) {
  POINT middle{60, 30};
  ClientToScreen(HwndOf(button), &middle);
  SetCursorPos(middle.x, middle.y);
  SendMessageA(HwndOf(button), WM_MOUSEMOVE, 0, MAKELPARAM(60, 30));
  ASSERT_TRUE(button->MouseInside());
  button->SetVisible(false);
  EXPECT_FALSE(button->MouseInside());
  button->SetVisible(true);
  EXPECT_TRUE(button->MouseInside());
  button->SetVisible(false);  // the pointer elsewhere: shown, it stays cold
  SetCursorPos(middle.x + 200, middle.y + 200);
  button->SetVisible(true);
  EXPECT_FALSE(button->MouseInside());
}

TEST_F(DzButtonWin32, EscapeAltLetterAndEnterOnADefaultButtonClickFromAnotherControl) {
  Deliver(HwndOf(edit), WM_KEYDOWN, VK_ESCAPE);
  Deliver(HwndOf(edit), WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(clicks, 0);
  button->SetCancel(true);
  Deliver(HwndOf(edit), WM_KEYDOWN, VK_ESCAPE);
  Deliver(HwndOf(edit), WM_SYSCHAR, 's');
  button->SetDefault(true);
  button->SetFocus();
  edit->SetFocus();  // the focus change makes the default button active
  Deliver(HwndOf(edit), WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(clicks, 3);
  EXPECT_EQ(GetFocus(), HwndOf(edit)) << "the keys do not move the focus";
}

}  // namespace
}  // namespace dz::win32
