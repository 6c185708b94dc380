#include "runtime/Dispatch.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <exception>
#include <new>
#include <utility>

#include "runtime/Dialogs.h"
#include "runtime/Platform.h"

namespace dz {

namespace {

// Shown for a failure that carries no text of its own.
const char* const kUnknownFailure = "Unexpected failure";
const char* const kOutOfMemory = "Out of memory";

const char* const kDashes = "---------------------------";

}  // namespace

std::string WithFullStop(const std::string& message) {
  // Character-code order on unsigned bytes: ANSI letters above 127 count as
  // letters and get the full stop too.
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

std::string BoxCaption() {
  std::string caption = ApplicationTitle();
  if (caption.size() > 255) caption.resize(255);
  return caption;
}

std::string NoticeCopyText(const std::string& caption, const std::string& message) {
  std::string text;
  for (const std::string& line : {std::string(kDashes), caption, std::string(kDashes), message,
                                  std::string(kDashes), std::string("OK   "), std::string(kDashes)}) {
    text += line;
    text += "\r\n";
  }
  return text;
}

namespace {

// One box on screen at a time, whatever asks for it. A box asked for while
// another is open waits for it to close; a waiting box whose text is
// already open or waiting, or whose source (a repeating handler) already has
// one open or waiting, is not added. The box opened first stays on the
// stack of the call that opened it, so that call shows the waiting ones in
// turn after its own: a waiting call cannot open its box itself, because
// the open box's own nested loop is below it and would never get to close.
struct Box {
  bool notice = false;
  std::string text;
  std::uint64_t source = 0;  // 0: none
};

struct Boxes {
  bool open = false;
  Box shown;
  std::deque<Box> waiting;

  bool Holds(const Box& box) const {
    const auto same = [&box](const Box& other) {
      return other.text == box.text || (box.source != 0 && other.source == box.source);
    };
    return same(shown) || std::any_of(waiting.begin(), waiting.end(), same);
  }
};

Boxes& TheBoxes() {
  static Boxes boxes;
  return boxes;
}

void Present(const Box& box) {
  Dialogs& dialogs = Require(CurrentPlatform().dialogs, "dialogs");
  if (box.notice) {
    dialogs.ShowNoticeBox(box.text, BoxCaption());
  } else {
    dialogs.CancelMouseCapture();
    dialogs.ShowErrorBox(box.text, BoxCaption());
  }
}

// Shows the box now, and then every box that came meanwhile; or, with a
// box already open, leaves it waiting and returns at once. Only the
// caller's own box may throw (a notice without dialogs); a waiting one that
// fails has no one left to tell.
void Show(Box box) {
  Boxes& boxes = TheBoxes();
  if (boxes.open) {
    if (!boxes.Holds(box)) boxes.waiting.push_back(std::move(box));
    return;
  }
  boxes.open = true;
  struct Closed {
    Boxes& boxes;
    ~Closed() {
      boxes.open = false;
      boxes.shown = Box{};
    }
  } closed{boxes};
  std::exception_ptr ownFailure;
  bool own = true;
  for (;;) {
    boxes.shown = std::move(box);
    try {
      Present(boxes.shown);
    } catch (...) {
      if (own) ownFailure = std::current_exception();
    }
    own = false;
    if (boxes.waiting.empty()) break;
    box = std::move(boxes.waiting.front());
    boxes.waiting.pop_front();
  }
  if (ownFailure) std::rethrow_exception(ownFailure);
}

void Report(const std::string& message, std::uint64_t source) noexcept {
  try {
    Show(Box{false, WithFullStop(message), source});
  } catch (...) {
    // Nothing is left to report with; a failing report must not take the
    // program down with it.
  }
}

void ReportCurrent(std::uint64_t source) noexcept {
  try {
    throw;
  } catch (const Exception& error) {
    Report(error.Message(), source);
  } catch (const std::bad_alloc&) {
    Report(kOutOfMemory, source);
  } catch (const std::exception& error) {
    Report(error.what(), source);
  } catch (...) {
    Report(kUnknownFailure, source);
  }
}

}  // namespace

void ReportError(const std::string& message) noexcept { Report(message, 0); }

void ReportError(const Exception& error) noexcept { ReportError(error.Message()); }

void ReportCurrentException() noexcept { ReportCurrent(0); }

void ShowNotice(const std::string& message) { Show(Box{true, message, 0}); }

void Dispatch(const std::function<void()>& handler) noexcept {
  try {
    if (handler) handler();
  } catch (...) {
    ReportCurrentException();
  }
}

RepeatingDispatch::RepeatingDispatch() {
  static std::uint64_t sources = 0;
  source_ = ++sources;
}

void RepeatingDispatch::operator()(const std::function<void()>& handler) noexcept {
  try {
    if (handler) handler();
  } catch (...) {
    ReportCurrent(source_);
  }
}

}  // namespace dz
