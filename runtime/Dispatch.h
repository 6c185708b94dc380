#pragma once
// The one way failures are shown. Every handler call that starts from the
// message loop (window and control events, timer ticks) runs through
// Dispatch: a failure abandons the rest of the handler and goes to
// ReportError; the program carries on.
#include <functional>
#include <string>

#include "runtime/Exceptions.h"

namespace dz {

// Shows a failure in the platform's error box (stop icon, OK, the
// application title as caption), with a final full stop added when the
// message ends in a character after "." in code order.
void ReportError(const Exception& error) noexcept;

// The program's own notice box: title caption, no icon, one "OK" button.
void ShowNotice(const std::string& message);

// Runs a window or control handler; a failure is reported every time.
void Dispatch(const std::function<void()>& handler) noexcept;

}  // namespace dz
