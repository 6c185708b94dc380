#pragma once
// The file-open dialog on Win32: GetOpenFileNameA, Explorer style.
#include <windows.h>

#include <string>

#include "ui/OpenDialog.h"

namespace dz::win32 {

// The filter in the platform's form: each piece ended by a NUL and the list
// by a second NUL. Entries with an empty description or no patterns are left
// out (an empty piece would end the list early); no entries give "".
std::string NulSeparatedFilter(const std::string& filter);

// The platform's flags for the dialog's options. Multiple selection is never
// asked for: the request holds one file name.
DWORD OpenFileFlags(TOpenOptions options);

// Shows the dialog, modal to `owner` (may be null), starting on
// request.fileName. When the user chooses a file, request.fileName holds it,
// request.filterIndex the 1-based filter entry in use, and the result is
// true. A cancel, or a dialog the platform could not show, returns false and
// leaves the request as it was.
bool ShowOpenFileDialog(HWND owner, OpenFileRequest& request);

// The file-dialogs port: the dialog owned by the program's main window.
class Win32FileDialogs final : public FileDialogs {
 public:
  bool ExecuteOpen(OpenFileRequest& request) override;
};

}  // namespace dz::win32
