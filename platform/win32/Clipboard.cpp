#include "platform/win32/Clipboard.h"

#include <cstring>
#include <utility>

namespace dz::win32 {

namespace {

// OpenClipboard / CloseClipboard.
class ClipboardSession {
 public:
  explicit ClipboardSession(HWND owner) noexcept : open_(OpenClipboard(owner) != FALSE) {}
  ~ClipboardSession() {
    if (open_) CloseClipboard();
  }
  ClipboardSession(const ClipboardSession&) = delete;
  ClipboardSession& operator=(const ClipboardSession&) = delete;
  bool Open() const noexcept { return open_; }

 private:
  bool open_;
};

// GlobalAlloc / GlobalFree, unless the clipboard has taken the memory over.
class GlobalMemory {
 public:
  explicit GlobalMemory(std::size_t size) noexcept : handle_(GlobalAlloc(GMEM_MOVEABLE, size)) {}
  ~GlobalMemory() {
    if (handle_) GlobalFree(handle_);
  }
  GlobalMemory(const GlobalMemory&) = delete;
  GlobalMemory& operator=(const GlobalMemory&) = delete;
  HGLOBAL Get() const noexcept { return handle_; }
  HGLOBAL Release() noexcept { return std::exchange(handle_, nullptr); }

 private:
  HGLOBAL handle_;
};

// GlobalLock / GlobalUnlock.
class GlobalLockGuard {
 public:
  explicit GlobalLockGuard(HGLOBAL handle) noexcept : handle_(handle), data_(GlobalLock(handle)) {}
  ~GlobalLockGuard() {
    if (data_) GlobalUnlock(handle_);
  }
  GlobalLockGuard(const GlobalLockGuard&) = delete;
  GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
  void* Data() const noexcept { return data_; }

 private:
  HGLOBAL handle_;
  void* data_;
};

}  // namespace

bool CopyTextToClipboard(HWND owner, const std::string& text) noexcept {
  GlobalMemory memory(text.size() + 1);
  if (!memory.Get()) return false;
  {
    GlobalLockGuard lock(memory.Get());
    if (!lock.Data()) return false;
    std::memcpy(lock.Data(), text.c_str(), text.size() + 1);
  }
  ClipboardSession clipboard(owner);
  if (!clipboard.Open() || !EmptyClipboard()) return false;
  if (!SetClipboardData(CF_TEXT, memory.Get())) return false;
  memory.Release();  // the clipboard owns it now
  return true;
}

}  // namespace dz::win32
