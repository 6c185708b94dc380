#include "platform/win32/GdiHandles.h"

namespace dz::win32 {

namespace {
long g_liveOwners = 0;  // the UI thread is the only one that draws
int g_failBuffers = 0;
}  // namespace

long LiveGdiOwners() noexcept { return g_liveOwners; }

void detail::CountGdiOwner(long delta) noexcept { g_liveOwners += delta; }

void DoubleBuffer::FailNextForTesting(int count) noexcept { g_failBuffers = count; }

namespace {

// The off-screen surface that window paints share. Making a window-sized
// bitmap costs more than drawing the window (a request to the system and
// megabytes cleared, every paint of a flashing window); this one is made
// once, grows to the largest area painted, and is lent to one paint at a
// time. Window DCs of one screen share one format, so any of them can be
// the target.
struct KeptSurface {
  MemoryDc dc;
  Bitmap bitmap;
  HGDIOBJ stockBitmap = nullptr;
  int width = 0, height = 0;
  bool lent = false;

  // The surface, at least `width` by `height`, or nullptr.
  HDC Lend(HDC target, int wanted, int high) noexcept {
    if (lent) return nullptr;  // a paint inside a paint makes its own
    if (!dc.Get()) dc = MemoryDc(target);
    if (!dc.Get()) return nullptr;
    if (wanted > width || high > height) {
      const int w = wanted > width ? wanted : width;
      const int h = high > height ? high : height;
      Bitmap grown(CreateCompatibleBitmap(target, w, h));
      if (!grown) return nullptr;
      const HGDIOBJ before = SelectObject(dc.Get(), grown.Get());
      if (!stockBitmap) stockBitmap = before;
      bitmap = std::move(grown);  // the smaller one, no longer selected, goes
      width = w;
      height = h;
    }
    lent = true;
    return dc.Get();
  }

  ~KeptSurface() {
    if (dc.Get() && stockBitmap) SelectObject(dc.Get(), stockBitmap);
  }
};

KeptSurface& Kept() noexcept {
  static KeptSurface surface;  // the user-interface thread is the only one that draws
  return surface;
}

}  // namespace

DoubleBuffer::DoubleBuffer(HDC target, const RECT& area) noexcept
    : target_(target), area_(area) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (g_failBuffers > 0) {
    --g_failBuffers;
    return;
  }
  if (width <= 0 || height <= 0) return;
  if (GetObjectType(target) == OBJ_DC) buffer_ = Kept().Lend(target, width, height);
  if (buffer_) {
    keptState_ = SaveDC(buffer_);  // what this paint changes in the DC goes with it
  } else if (!MakeOwn(width, height)) {
    return;
  }
  // Same coordinates as the target: drawing code need not know it is buffered.
  SetWindowOrgEx(buffer_, area.left, area.top, nullptr);
  buffered_ = true;
}

bool DoubleBuffer::MakeOwn(int width, int height) noexcept {
  memory_ = MemoryDc(target_);
  if (!memory_.Get()) return false;
  bitmap_ = Bitmap(CreateCompatibleBitmap(target_, width, height));
  if (!bitmap_) return false;
  oldBitmap_ = SelectObject(memory_.Get(), bitmap_.Get());
  buffer_ = memory_.Get();
  return true;
}

DoubleBuffer::~DoubleBuffer() {
  if (!buffered_) return;
  BitBlt(target_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top,
         buffer_, area_.left, area_.top, SRCCOPY);
  if (buffer_ == memory_.Get()) {
    // The bitmap leaves the DC before either is deleted.
    SelectObject(memory_.Get(), oldBitmap_);
    return;
  }
  if (keptState_) RestoreDC(buffer_, keptState_);
  Kept().lent = false;
}

}  // namespace dz::win32
