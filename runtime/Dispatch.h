#pragma once
// The one way failures are shown. Every handler call that starts from the
// message loop (window and control events, timer ticks) runs through a
// dispatcher: a failure abandons the rest of the handler and goes to
// ReportError; the program carries on.
#include <cstdint>
#include <functional>
#include <string>

#include "runtime/Exceptions.h"

namespace dz {

// One box at a time: a report or a notice that comes while another box is
// open (timers tick under a box, and a box's nested loop runs their
// handlers) waits until that box has closed, and is then shown by the call
// that opened it, after its own; such a call returns at once, and its
// handler goes on as if the box had been dismissed. One whose text is
// already open or waiting is not added.

// Shows a failure in the platform's error box (stop icon, OK, the
// application title as caption), with a final full stop added when the
// message ends in a character after "." in code order. Cancels any mouse
// capture first, so a pressed button or a drag is abandoned. Never throws.
void ReportError(const Exception& error) noexcept;

// The same for a failure known only by its text.
void ReportError(const std::string& message) noexcept;

// Reports the failure being handled; call it only inside a catch block.
// An Exception shows its message, a failed allocation "Out of memory",
// another standard failure its what() text, anything else a fixed text.
// Never throws.
void ReportCurrentException() noexcept;

// The program's own notice box: title caption, no icon, one "OK" button.
// Returns when the user has closed it, or at once when it has to wait.
void ShowNotice(const std::string& message);

// Runs a window or control handler; a failure is reported every time.
void Dispatch(const std::function<void()>& handler) noexcept;

// Dispatch for a handler that runs again and again by itself (a timer's).
// Its reports never pile up: while one of its reports is open or waiting,
// its further failures are dropped; once the user has dismissed it, the
// next failure is reported again.
class RepeatingDispatch {
 public:
  RepeatingDispatch();
  void operator()(const std::function<void()>& handler) noexcept;

 private:
  std::uint64_t source_;
};

// The message as the error box shows it: "." appended when the last
// character sorts after "." (letters and digits do; ".", "!" and ")" don't).
std::string WithFullStop(const std::string& message);

// The caption of both boxes: the application title, at most 255 characters
// as the application window holds it. (An empty title is replaced by the
// program's file name by the platform's dialogs.)
std::string BoxCaption();

// What Ctrl+C in the notice box puts on the clipboard.
std::string NoticeCopyText(const std::string& caption, const std::string& message);

}  // namespace dz
