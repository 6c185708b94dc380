#include "platform/win32/ModalScope.h"

namespace dz::win32 {

namespace {

BOOL CALLBACK DisableOne(HWND hwnd, LPARAM list) {
  if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
    try {
      reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
    } catch (...) {
      return FALSE;  // out of memory: leave the rest enabled rather than lose track
    }
    EnableWindow(hwnd, FALSE);
  }
  return TRUE;
}

}  // namespace

ModalScope::ModalScope() noexcept : active_(GetActiveWindow()), focus_(GetFocus()) {
  EnumThreadWindows(GetCurrentThreadId(), &DisableOne, reinterpret_cast<LPARAM>(&disabled_));
}

void ModalScope::EnableWindows() noexcept {
  for (HWND hwnd : disabled_) {
    if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
  }
  disabled_.clear();
}

ModalScope::~ModalScope() {
  EnableWindows();
  if (active_ && IsWindow(active_)) SetActiveWindow(active_);
  if (focus_ && IsWindow(focus_)) SetFocus(focus_);
}

std::string ProgramName() {
  char path[MAX_PATH + 1] = {};
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string name(path, length);
  std::size_t slash = name.find_last_of("\\/:");
  if (slash != std::string::npos) name.erase(0, slash + 1);
  std::size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  return name;
}

}  // namespace dz::win32
