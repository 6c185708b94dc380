#include "platform/win32/GdiHandles.h"

namespace dz::win32 {

namespace {
long g_liveOwners = 0;  // the UI thread is the only one that draws
int g_failBuffers = 0;
}  // namespace

long LiveGdiOwners() noexcept { return g_liveOwners; }

void detail::CountGdiOwner(long delta) noexcept { g_liveOwners += delta; }

void DoubleBuffer::FailNextForTesting(int count) noexcept { g_failBuffers = count; }

DoubleBuffer::DoubleBuffer(HDC target, const RECT& area) noexcept
    : target_(target), area_(area) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (g_failBuffers > 0) {
    --g_failBuffers;
    return;
  }
  if (width <= 0 || height <= 0) return;
  memory_ = MemoryDc(target);
  if (!memory_.Get()) return;
  bitmap_ = Bitmap(CreateCompatibleBitmap(target, width, height));
  if (!bitmap_) return;
  oldBitmap_ = SelectObject(memory_.Get(), bitmap_.Get());
  // Same coordinates as the target: drawing code need not know it is buffered.
  SetWindowOrgEx(memory_.Get(), area.left, area.top, nullptr);
  buffered_ = true;
}

DoubleBuffer::~DoubleBuffer() {
  if (!buffered_) return;
  BitBlt(target_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top,
         memory_.Get(), area_.left, area_.top, SRCCOPY);
  // The bitmap leaves the DC before either is deleted.
  SelectObject(memory_.Get(), oldBitmap_);
}

}  // namespace dz::win32
