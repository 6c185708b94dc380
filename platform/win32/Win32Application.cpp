#include "platform/win32/Win32Application.h"

#include <commctrl.h>

#include <exception>

#include "platform/win32/AppWindow.h"
#include "platform/win32/Win32Peers.h"
#include "platform/win32/Window.h"
#include "runtime/Dispatch.h"
#include "runtime/Platform.h"
#include "ui/Forms.h"

namespace dz::win32 {

namespace {

// Enter, Escape and Alt+character go to the form's controls first (the
// active glyph button, a cancel button, an accelerator); true when one
// took the key.
bool OfferDialogKey(HWND form, const MSG& msg) noexcept {
  WinPeer* peer = WinPeer::FromHwnd(form);
  auto* model = peer ? dynamic_cast<TForm*>(&peer->Control()) : nullptr;
  if (!model) return false;
  TShiftState shift = KeyboardShift();
  if (msg.message == WM_SYSCHAR) shift |= ssAlt;
  std::uint16_t key = static_cast<std::uint16_t>(msg.wParam);
  if (msg.message == WM_SYSCHAR) {
    // A character in the low word is converted in place of a pointer.
    const LPSTR upper = CharUpperA(reinterpret_cast<LPSTR>(msg.wParam & 0xFF));
    key = static_cast<std::uint16_t>(reinterpret_cast<std::uintptr_t>(upper) & 0xFF);
  }
  return model->HandleDialogKey(key, shift);
}

bool IsPushButton(HWND hwnd) {
  char cls[16] = {};
  if (!GetClassNameA(hwnd, cls, sizeof cls) || lstrcmpiA(cls, "Button") != 0) return false;
  const LONG kind = GetWindowLongA(hwnd, GWL_STYLE) & BS_TYPEMASK;
  return kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON || kind == BS_OWNERDRAW;
}

}  // namespace

Application& Application::Instance() {
  static Application instance;
  return instance;
}

void Application::Initialize(const std::string& title) {
  ApplicationTitle() = title;
  ApplicationWindow::Instance().SetTitle(title);
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES;  // buttons, edits, combos, tooltips
  InitCommonControlsEx(&controls);
}

void Application::SetMainForm(MainFormWindow* form) noexcept {
  if (!mainForm_) {
    mainForm_ = form;
    ApplicationWindow::Instance().SetMainWindow(form ? form->Handle() : nullptr);
  }
}

int Application::Run() {
  MSG msg{};
  while (!terminated_) {
    // Asked only until the queue has first run dry: a window started
    // without activation learns that start-up is over.
    if (!idleSeen_ && !PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      idleSeen_ = true;
      if (mainForm_) {
        GuardMessage([&] {
          mainForm_->StartupIdle();
          return LRESULT{0};
        });
      }
      continue;
    }
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) break;  // WM_QUIT, or the queue is gone
    ProcessMessage(msg);
  }
  return 0;
}

void Application::Terminate() noexcept {
  if (terminated_) return;
  terminated_ = true;
  // Wakes GetMessage; the loop then sees the flag.
  PostMessageA(ApplicationWindowHandle(), WM_NULL, 0, 0);
}

void Application::ProcessMessage(MSG& msg) noexcept {
  // A look that failed has been reported; the message is then used up.
  if (GuardMessage([&] { return LRESULT{PreTranslate(msg)}; }, TRUE)) return;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);  // every window procedure guards itself
}

bool Application::PreTranslate(MSG& msg) {
  // Only keys are looked at here. Everything else (a timer's tick a hundred
  // times a second) passes without asking where its window is.
  if (msg.message != WM_KEYDOWN && msg.message != WM_CHAR && msg.message != WM_SYSCHAR) return false;
  if (!mainForm_) return false;
  HWND form = mainForm_->Handle();
  if (!form || !msg.hwnd) return false;
  const bool inForm = msg.hwnd == form || IsChild(form, msg.hwnd);
  if (!inForm) return false;

  if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0 &&
      GetKeyState(VK_MENU) >= 0) {
    mainForm_->FocusNextControl(GetKeyState(VK_SHIFT) >= 0);
    return true;  // not translated: no tab character follows
  }

  if ((msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE)) ||
      msg.message == WM_SYSCHAR) {
    if (OfferDialogKey(form, msg)) return true;
  }

  // Otherwise Enter clicks the focused push button, as in a dialog; the key
  // is used up.
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN && IsPushButton(msg.hwnd) &&
      GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0) {
    SendMessageA(msg.hwnd, BM_CLICK, 0, 0);
    return true;
  }

  // The form's own window raises its key press itself; its controls' keys
  // are previewed here, before the control sees them.
  if (msg.message == WM_CHAR && msg.hwnd != form) {
    char ch = static_cast<char>(msg.wParam);
    if (!mainForm_->PreviewChar(ch)) return true;
    msg.wParam = static_cast<unsigned char>(ch);
  }
  return false;
}

int MainWindowShowCommand(const STARTUPINFOA& startup) noexcept {
  if ((startup.dwFlags & STARTF_USESHOWWINDOW) && startup.wShowWindow == SW_SHOWMINNOACTIVE)
    return SW_SHOWMINNOACTIVE;
  return SW_SHOWMAXIMIZED;
}

std::string ApplicationErrorText(const Exception& error) {
  std::string text = "Exception ";
  text += error.ClassName();
  text += ".\r\n\r\n";
  text += error.Message();
  return text;
}

void ShowApplicationError(const Exception& error) noexcept {
  try {
    const std::string text = ApplicationErrorText(error);
    MessageBoxA(nullptr, text.c_str(), "Application Error", MB_OK | MB_ICONSTOP | MB_TASKMODAL);
  } catch (...) {
    MessageBoxA(nullptr, error.what(), "Application Error", MB_OK | MB_ICONSTOP | MB_TASKMODAL);
  }
}

}  // namespace dz::win32
