// The two rich-text lines of the main window as GDI draws them: captured
// from the window and checked by their colours, on the grey window and on
// the white of a flash.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "alarm/Unit1.h"
#include "platform/win32/GdiHandles.h"
#include "platform/win32/Win32Application.h"
#include "platform/win32/Win32Peers.h"
#include "platform/win32/Win32Runtime.h"

namespace dz::win32 {
namespace {

// The window's pixels in `area` (client coordinates), as RGB colours.
class Capture {
 public:
  Capture(HWND hwnd, const TRect& area) : width_(area.Width()), height_(area.Height()) {
    WindowDc screen(hwnd);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    Bitmap bitmap(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    MemoryDc memory(screen.Get());
    if (!bitmap || !bits || !memory.Get()) return;
    {
      SelectGuard selected(memory.Get(), bitmap.Get());
      BitBlt(memory.Get(), 0, 0, width_, height_, screen.Get(), area.Left, area.Top, SRCCOPY);
      GdiFlush();
    }
    const auto* pixels = static_cast<const DWORD*>(bits);
    for (int i = 0; i < width_ * height_; ++i) {
      const DWORD p = pixels[i];  // 0x00RRGGBB
      pixels_.push_back(RGBColor((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
    }
  }

  int Count(TColor color, const TRect& area) const {
    int n = 0;
    for (int y = std::max(area.Top, 0); y < std::min(area.Bottom, height_); ++y) {
      for (int x = std::max(area.Left, 0); x < std::min(area.Right, width_); ++x) {
        if (pixels_[static_cast<std::size_t>(y) * width_ + x] == color) ++n;
      }
    }
    return n;
  }
  int Count(TColor color) const { return Count(color, {0, 0, width_, height_}); }

 private:
  int width_, height_;
  std::vector<TColor> pixels_;
};

class RTFLabelWin32 : public ::testing::Test {
 protected:
  // The real platform: nothing here pumps messages, so no timer fires and
  // the activate handler does not run; only paints happen.
  void SetUp() override {
    Platform platform = Win32Platform();
    AddWin32ControlPorts(platform);
    scope_ = std::make_unique<ScopedPlatform>(platform);
    Application::Instance().Initialize("Dozewell");
    form_ = std::make_unique<TForm1>(nullptr, 1.0);
    form_->Show();
    hwnd_ = reinterpret_cast<HWND>(form_->Peer()->NativeHandle());
  }

  void TearDown() override {
    form_.reset();
    Application::Instance().ResetForTesting();
    scope_.reset();
  }

  void Repaint() { RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN); }

  std::unique_ptr<ScopedPlatform> scope_;
  std::unique_ptr<TForm1> form_;
  HWND hwnd_ = nullptr;
};

TEST_F(RTFLabelWin32, ProductLinesShowYellowAndCyanTextOnTheGreyWindowAndOnWhiteWhileFlashing) {
  for (const TColor background : {clGray, clWhite}) {
    form_->SetColor(background);
    Repaint();
    for (const TRTFLabel* label : {form_->RTFLabel1, form_->RTFLabel2}) {
      // The second line overlaps the first by one row: compare 16 rows.
      const TRect rows = Bounds(label->Left(), label->Top(), label->Width(), 16);
      const Capture shot(hwnd_, rows);
      SCOPED_TRACE(label->Name());
      EXPECT_GT(shot.Count(clYellow), 40);
      EXPECT_GT(shot.Count(clAqua), 40);
      EXPECT_GT(shot.Count(background), rows.Width() * rows.Height() / 2);
      EXPECT_EQ(shot.Count(background == clGray ? clWhite : clGray), 0);
      // Inset by one pixel: the top row and the left column keep the background.
      EXPECT_EQ(shot.Count(background, {0, 0, rows.Width(), 1}), rows.Width());
      EXPECT_EQ(shot.Count(background, {0, 0, 1, 16}), 16);
    }
  }
}

}  // namespace
}  // namespace dz::win32
