#pragma once
// Owners of GDI handles, one per way of obtaining a handle: BeginPaint pairs
// with EndPaint, GetDC with ReleaseDC, CreateCompatibleDC with DeleteDC, the
// Create* objects with DeleteObject, SelectObject with re-selecting the old
// object. All are move-only. Wine forgives most mistakes here (DeleteDC on a
// GetDC handle, deleting a selected bitmap), so these types are the check.
//
// Every owner that holds a handle is counted in LiveGdiOwners(), so tests can
// see that a paint leaves nothing behind.
#include <windows.h>

#include <utility>

namespace dz::win32 {

// Number of owners below that currently hold a handle.
long LiveGdiOwners() noexcept;

namespace detail {
void CountGdiOwner(long delta) noexcept;
}

// BeginPaint / EndPaint.
class PaintDc {
 public:
  explicit PaintDc(HWND hwnd) noexcept : hwnd_(hwnd) {
    dc_ = BeginPaint(hwnd_, &ps_);
    if (dc_) detail::CountGdiOwner(1);
  }
  ~PaintDc() {
    if (dc_) {
      EndPaint(hwnd_, &ps_);
      detail::CountGdiOwner(-1);
    }
  }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;

  HDC Get() const noexcept { return dc_; }
  const RECT& Dirty() const noexcept { return ps_.rcPaint; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC dc_ = nullptr;
};

// GetDC / ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) noexcept : hwnd_(hwnd), dc_(GetDC(hwnd)) {
    if (dc_) detail::CountGdiOwner(1);
  }
  ~WindowDc() { Reset(); }
  WindowDc(WindowDc&& other) noexcept
      : hwnd_(other.hwnd_), dc_(std::exchange(other.dc_, nullptr)) {}
  WindowDc& operator=(WindowDc&& other) noexcept {
    if (this != &other) {
      Reset();
      hwnd_ = other.hwnd_;
      dc_ = std::exchange(other.dc_, nullptr);
    }
    return *this;
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;

  HDC Get() const noexcept { return dc_; }

 private:
  void Reset() noexcept {
    if (dc_) {
      ReleaseDC(hwnd_, dc_);
      detail::CountGdiOwner(-1);
      dc_ = nullptr;
    }
  }
  HWND hwnd_;
  HDC dc_;
};

// CreateCompatibleDC / DeleteDC.
class MemoryDc {
 public:
  MemoryDc() noexcept : dc_(nullptr) {}
  explicit MemoryDc(HDC compatibleWith) noexcept : dc_(CreateCompatibleDC(compatibleWith)) {
    if (dc_) detail::CountGdiOwner(1);
  }
  ~MemoryDc() { Reset(); }
  MemoryDc(MemoryDc&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
  MemoryDc& operator=(MemoryDc&& other) noexcept {
    if (this != &other) {
      Reset();
      dc_ = std::exchange(other.dc_, nullptr);
    }
    return *this;
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;

  HDC Get() const noexcept { return dc_; }

 private:
  void Reset() noexcept {
    if (dc_) {
      DeleteDC(dc_);
      detail::CountGdiOwner(-1);
      dc_ = nullptr;
    }
  }
  HDC dc_;
};

// An object made by one of the Create* functions, freed with DeleteObject.
template <class Handle>
class GdiObject {
 public:
  GdiObject() noexcept = default;
  explicit GdiObject(Handle handle) noexcept : handle_(handle) {
    if (handle_) detail::CountGdiOwner(1);
  }
  ~GdiObject() { Reset(); }
  GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  Handle Get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != nullptr; }

  void Reset() noexcept {
    if (handle_) {
      DeleteObject(handle_);
      detail::CountGdiOwner(-1);
      handle_ = nullptr;
    }
  }

 private:
  Handle handle_ = nullptr;
};

using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;
using Pen = GdiObject<HPEN>;
using Bitmap = GdiObject<HBITMAP>;

// SelectObject, with the old object selected again at the end. Declare it
// after the object it selects, so the old object is back before that one dies.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object) noexcept : dc_(dc), old_(dc && object ? SelectObject(dc, object) : nullptr) {}
  ~SelectGuard() {
    if (old_) SelectObject(dc_, old_);
  }
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// SaveDC / RestoreDC: clip region, origin, modes and colours come back.
class SavedDcState {
 public:
  explicit SavedDcState(HDC dc) noexcept : dc_(dc), id_(SaveDC(dc)) {}
  ~SavedDcState() {
    if (id_) RestoreDC(dc_, id_);
  }
  SavedDcState(const SavedDcState&) = delete;
  SavedDcState& operator=(const SavedDcState&) = delete;

 private:
  HDC dc_;
  int id_;
};

// Draws into an off-screen bitmap and copies it to the target in one step,
// so a surface repainted in full (the flashing window) does not flicker.
// When the bitmap cannot be made it hands out the target itself. Paints of
// windows share one kept bitmap (see GdiHandles.cpp); other targets get
// one of their own.
class DoubleBuffer {
 public:
  DoubleBuffer(HDC target, const RECT& area) noexcept;
  ~DoubleBuffer();  // copies the buffer to the target
  DoubleBuffer(const DoubleBuffer&) = delete;
  DoubleBuffer& operator=(const DoubleBuffer&) = delete;

  // Where to draw: the off-screen surface (with the same coordinates as the
  // target) or, as the fallback, the target.
  HDC Dc() const noexcept { return buffered_ ? buffer_ : target_; }
  bool Buffered() const noexcept { return buffered_; }

  // Test hook: makes the next buffers fail, as when memory runs out.
  static void FailNextForTesting(int count) noexcept;

 private:
  bool MakeOwn(int width, int height) noexcept;

  HDC target_;
  RECT area_;
  HDC buffer_ = nullptr;
  bool buffered_ = false;
  int keptState_ = 0;  // while the kept bitmap is lent: its DC's state before
  MemoryDc memory_;    // the buffer's own, when not the kept one
  Bitmap bitmap_;
  HGDIOBJ oldBitmap_ = nullptr;
};

}  // namespace dz::win32
