#include "runtime/Dispatch.h"

#include <exception>
#include <new>

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

void ReportError(const std::string& message) noexcept {
  try {
    Dialogs& dialogs = Require(CurrentPlatform().dialogs, "dialogs");
    dialogs.CancelMouseCapture();
    dialogs.ShowErrorBox(WithFullStop(message), BoxCaption());
  } catch (...) {
    // Nothing is left to report with; a failing report must not take the
    // program down with it.
  }
}

void ReportError(const Exception& error) noexcept { ReportError(error.Message()); }

void ReportCurrentException() noexcept {
  try {
    throw;
  } catch (const Exception& error) {
    ReportError(error);
  } catch (const std::bad_alloc&) {
    ReportError(std::string(kOutOfMemory));
  } catch (const std::exception& error) {
    ReportError(std::string(error.what()));
  } catch (...) {
    ReportError(std::string(kUnknownFailure));
  }
}

void ShowNotice(const std::string& message) {
  Require(CurrentPlatform().dialogs, "dialogs").ShowNoticeBox(message, BoxCaption());
}

void Dispatch(const std::function<void()>& handler) noexcept {
  try {
    if (handler) handler();
  } catch (...) {
    ReportCurrentException();
  }
}

void RepeatingDispatch::operator()(const std::function<void()>& handler) noexcept {
  std::shared_ptr<bool> open = reportOpen_;
  try {
    if (handler) handler();
  } catch (...) {
    if (*open) return;  // the previous report is still on screen
    *open = true;
    ReportCurrentException();
    *open = false;
  }
}

}  // namespace dz
