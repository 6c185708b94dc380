#include "platform/win32/Win32OpenDialog.h"

#include <commdlg.h>

#include <vector>

#include "platform/win32/AppWindow.h"

namespace dz::win32 {

std::string NulSeparatedFilter(const std::string& filter) {
  std::vector<std::string> pieces;
  std::string::size_type start = 0;
  while (!filter.empty()) {
    const std::string::size_type bar = filter.find('|', start);
    if (bar == std::string::npos) {
      pieces.push_back(filter.substr(start));
      break;
    }
    pieces.push_back(filter.substr(start, bar - start));
    start = bar + 1;
  }
  std::string out;
  for (std::size_t i = 0; i + 1 < pieces.size(); i += 2) {
    if (pieces[i].empty() || pieces[i + 1].empty()) continue;  // would end the list early
    out += pieces[i];
    out += '\0';
    out += pieces[i + 1];
    out += '\0';
  }
  if (!out.empty()) out += '\0';
  return out;
}

DWORD OpenFileFlags(TOpenOptions options) {
  DWORD flags = OFN_EXPLORER;
  if (options & ofReadOnly) flags |= OFN_READONLY;
  if (options & ofOverwritePrompt) flags |= OFN_OVERWRITEPROMPT;
  if (options & ofHideReadOnly) flags |= OFN_HIDEREADONLY;
  if (options & ofNoChangeDir) flags |= OFN_NOCHANGEDIR;
  if (options & ofPathMustExist) flags |= OFN_PATHMUSTEXIST;
  if (options & ofFileMustExist) flags |= OFN_FILEMUSTEXIST;
  if (options & ofEnableSizing) flags |= OFN_ENABLESIZING;
  return flags;
}

bool ShowOpenFileDialog(HWND owner, OpenFileRequest& request) {
  // Room for long paths; a longer current name is cut rather than overrun.
  std::vector<char> buffer(32768, '\0');
  request.fileName.copy(buffer.data(), buffer.size() - 1);

  const std::string filter = NulSeparatedFilter(request.filter);
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = request.filterIndex > 0 ? static_cast<DWORD>(request.filterIndex) : 1;
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.lpstrInitialDir = request.initialDir.empty() ? nullptr : request.initialDir.c_str();
  ofn.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
  ofn.Flags = OpenFileFlags(request.options);

  if (!GetOpenFileNameA(&ofn)) return false;  // cancelled, or CommDlgExtendedError says why
  request.fileName.assign(buffer.data());
  request.filterIndex = static_cast<int>(ofn.nFilterIndex);
  return true;
}

bool Win32FileDialogs::ExecuteOpen(OpenFileRequest& request) {
  HWND owner = ApplicationWindow::Instance().MainWindow();
  if (!owner) owner = GetActiveWindow();
  return ShowOpenFileDialog(owner, request);
}

}  // namespace dz::win32
