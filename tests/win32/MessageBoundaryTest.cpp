// Where messages enter the program's code: what escapes is reported once
// and nothing crosses the platform.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <new>
#include <string>
#include <vector>

#include "fakes/FakeDialogs.h"
#include "platform/win32/Win32Peers.h"
#include "platform/win32/Win32Runtime.h"
#include "platform/win32/Window.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

namespace dz::win32 {
namespace {

class ThrowingWindow final : public Window {
 public:
  ThrowingWindow() { Create({"DozewellThrowingTest"}, 0, WS_POPUP, "", 0, 0, 10, 10, nullptr); }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_APP) throw EConvertError("'x' is not a valid integer value");
    if (msg == WM_APP + 1) throw std::bad_alloc();
    return Window::HandleMessage(msg, wParam, lParam);
  }
};

// An edit whose part in a focus change fails once asked to.
class TFailingEdit final : public TEdit {
 public:
  using TEdit::TEdit;
  bool fail = false;
  void ActiveControlChanged(TWinControl* focused) override {
    if (fail && focused == this) throw Exception("The focus change failed");
  }
};

HWND HwndOf(const TWinControl* control) {
  return reinterpret_cast<HWND>(control->Peer()->NativeHandle());
}

}  // namespace

TEST(MessageBoundary, WhatEscapesAWindowProcedureIsReportedOnceAndTheWindowGoesOn) {
  FakeDialogs dialogs;
  Platform platform;
  platform.dialogs = &dialogs;
  ScopedPlatform scope(platform);
  ThrowingWindow window;
  ASSERT_NE(window.Handle(), nullptr);
  EXPECT_EQ(SendMessageA(window.Handle(), WM_APP, 0, 0), 0);
  EXPECT_EQ(SendMessageA(window.Handle(), WM_APP + 1, 0, 0), 0);
  EXPECT_EQ(dialogs.ErrorTexts(),
            (std::vector<std::string>{"'x' is not a valid integer value.", "Out of memory."}));
  EXPECT_TRUE(IsWindow(window.Handle()));
}

TEST(MessageBoundary, AFailureBehindAStandardControlIsReportedOnce) {
  FakeDialogs dialogs;
  Platform platform = Win32Platform();
  AddWin32ControlPorts(platform);
  platform.dialogs = &dialogs;
  ScopedPlatform scope(platform);
  auto form = std::make_unique<TForm>(nullptr);
  auto* plain = new TEdit(form.get());
  plain->SetParent(form.get());
  auto* failing = new TFailingEdit(form.get());
  failing->SetParent(form.get());
  failing->SetTop(30);
  form->Show();
  SetFocus(HwndOf(plain));
  ASSERT_TRUE(dialogs.ErrorTexts().empty());

  failing->fail = true;
  SetFocus(HwndOf(failing));  // WM_SETFOCUS runs in the edit's subclass procedure
  EXPECT_EQ(dialogs.ErrorTexts(), std::vector<std::string>{"The focus change failed."});
  EXPECT_EQ(GetFocus(), HwndOf(failing)) << "the platform's part went on";
}

TEST(MessageBoundary, AStandardControlWhoseWindowWentWithItsParentNoLongerAnswersForIt) {
  // Window handles are used again; one still taken for a gone control's
  // would route a new window's messages to it.
  Platform platform = Win32Platform();
  AddWin32ControlPorts(platform);
  ScopedPlatform scope(platform);
  auto form = std::make_unique<TForm>(nullptr);
  auto* edit = new TEdit(form.get());
  edit->SetParent(form.get());
  form->Show();
  const HWND editWindow = HwndOf(edit);
  ASSERT_EQ(WinPeer::FromHwnd(editWindow), edit->Peer());
  DestroyWindow(HwndOf(form.get()));
  EXPECT_EQ(WinPeer::FromHwnd(editWindow), nullptr);
}

}  // namespace dz::win32
