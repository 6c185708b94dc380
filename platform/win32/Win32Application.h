#pragma once
// The application object: one per process. It holds the title, the main
// window and the terminate flag, and runs the message loop. The loop gives
// the main form first look at the keys typed into its controls (key
// preview) and moves the focus with Tab and Shift+Tab; what escapes that
// look or a window procedure is reported, and the loop goes on.
#include <windows.h>

#include <string>

#include "runtime/Exceptions.h"

namespace dz::win32 {

// What the loop needs from the main form's window.
class MainFormWindow {
 public:
  virtual ~MainFormWindow() = default;
  virtual HWND Handle() const noexcept = 0;
  // Key preview for a character typed into one of the form's controls.
  // Returns false when the form swallowed it; may change `ch`.
  virtual bool PreviewChar(char& ch) = 0;
  // Moves the focus to the next (or previous) control in tab order.
  virtual void FocusNextControl(bool forward) = 0;
  // The loop has run out of messages for the first time since it started.
  virtual void StartupIdle() {}
};

class Application {
 public:
  static Application& Instance();

  // Sets the title (application window text, message box caption) and
  // registers the common control classes the program uses.
  void Initialize(const std::string& title);

  // The first form created becomes the main form; a completed close of it
  // terminates the application.
  void SetMainForm(MainFormWindow* form) noexcept;
  MainFormWindow* MainForm() const noexcept { return mainForm_; }
  // The main form's window is gone; the next form made becomes the main one.
  void MainFormGone(MainFormWindow* form) noexcept {
    if (mainForm_ == form) mainForm_ = nullptr;
  }

  // Takes and dispatches messages until Terminate (the form shows itself
  // when the model shows it). The first time the queue is empty, the main
  // form hears of it (StartupIdle). Returns the exit code: 0.
  int Run();

  // Ends the loop after the current message.
  void Terminate() noexcept;
  bool Terminated() const noexcept { return terminated_; }

  // Handles one message as the loop does (key preview, Tab, dispatch).
  // Exposed for tests that pump messages themselves.
  void ProcessMessage(MSG& msg) noexcept;

  // Lets a test swap the main form, and run the loop again after Terminate.
  void SetMainFormForTesting(MainFormWindow* form) noexcept { mainForm_ = form; }
  void ResetForTesting() noexcept {
    terminated_ = false;
    idleSeen_ = false;
  }

 private:
  Application() = default;
  bool PreTranslate(MSG& msg);

  MainFormWindow* mainForm_ = nullptr;
  bool terminated_ = false;
  bool idleSeen_ = false;
};

// The show command of the main window: maximised, or minimised without
// activation when the program was started that way (a shortcut set to run
// minimised).
int MainWindowShowCommand(const STARTUPINFOA& startup) noexcept;

// The text of the final "Application Error" box: the class and the message.
std::string ApplicationErrorText(const Exception& error);
// Shows that box (stop icon, OK); the program then ends.
void ShowApplicationError(const Exception& error) noexcept;

}  // namespace dz::win32
