#pragma once
// The Canvas on a GDI device context, and text measuring on the screen.
// Pens and brushes are made for each drawing call from the canvas's current
// values and deleted straight after; fonts come from a process-wide cache of
// the ones used last, since the same dozen fonts are drawn on every paint.
#include <windows.h>

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

#include "platform/win32/GdiHandles.h"
#include "ui/Canvas.h"

namespace dz::win32 {

// A picture as GDI draws it: a 32-bit DIB section whose transparent pixels
// are black, and a monochrome mask that is white where the ground shows
// (no mask when every pixel is drawn).
struct MaskedPicture {
  Bitmap colour;
  Bitmap mask;
};

// A font from the cache below. The font lives while it is held, also after
// the cache let go of it, so a control keeps the font it was given.
class SharedFont {
 public:
  SharedFont() noexcept = default;
  explicit SharedFont(std::shared_ptr<const Font> font) noexcept : font_(std::move(font)) {}
  // The font, or the stock one when it could not be made.
  HFONT Get() const noexcept {
    return font_ && font_->Get() ? font_->Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  }

 private:
  std::shared_ptr<const Font> font_;
};

// The platform font for a model font: lfHeight = -Height (character height
// without internal leading), the font's own character set. The cache keeps
// the fonts used last, the same dozen on every paint; it lets go of the
// least recently used one when a new one would make it larger than this.
inline constexpr std::size_t kFontCacheLimit = 64;
SharedFont CachedFont(const TFont& font);
// Number of fonts in the cache (for leak tests: it must stop growing).
std::size_t CachedFontCount() noexcept;

// SelectObject of a cached font, holding the font meanwhile.
class SelectedFont {
 public:
  SelectedFont(HDC dc, const TFont& font) : font_(CachedFont(font)), selected_(dc, font_.Get()) {}

 private:
  SharedFont font_;
  SelectGuard selected_;  // after the font: the old one is back before the font is let go
};

// A system colour resolved now (GetSysColor), or the RGB value itself.
COLORREF ResolveColorRef(TColor color) noexcept;

// The header of a 32-bit device-independent bitmap whose rows run from the
// top down, as the model's pictures do (each pixel 0x00RRGGBB).
BITMAPINFO TopDown32BitInfo(int width, int height) noexcept;

class GdiCanvas final : public Canvas {
 public:
  // Draws on `dc`, which the caller owns and keeps alive. The DC's state is
  // saved here and restored when the canvas goes.
  explicit GdiCanvas(HDC dc);
  ~GdiCanvas() override;
  GdiCanvas(const GdiCanvas&) = delete;
  GdiCanvas& operator=(const GdiCanvas&) = delete;

  HDC Dc() const noexcept { return dc_; }

  TColor ResolveColor(TColor color) const override;
  TSize PixelsPerInch() const override;
  void Rectangle(const TRect& rect) override;
  void FillRect(const TRect& rect) override;
  void FrameRect(const TRect& rect) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void DrawFocusRect(const TRect& rect) override;
  TextMetrics GetTextMetrics() override;
  TSize TextExtent(const std::string& text) override;
  void TextOut(int x, int y, const std::string& text) override;
  int DrawText(const std::string& text, TRect& rect, unsigned flags) override;
  void DrawImage(int x, int y, const Image& image, TColor transparent) override;
  // Makes the picture's bitmaps at its first draw and keeps them with it.
  void DrawPicture(int x, int y, const Picture& picture) override;
  int SaveState() override;
  void RestoreState(int token) override;
  void OffsetOrigin(int dx, int dy) override;
  void IntersectClip(const TRect& rect) override;
  TSize MeasureText(const TFont& font, const std::string& text, unsigned flags) override;

 private:
  win32::Pen MakePen() const;
  win32::Brush MakeBrush() const;  // empty for a clear brush
  void BlitMasked(int x, int y, int width, int height, const MaskedPicture& picture);

  // Puts the canvas's Font into the DC unless it is there already:
  // selecting a font is slow on some platforms (a font lookup each time),
  // and laying out a paragraph measures word after word in one font.
  void UseFont();

  HDC dc_;
  // The fonts this canvas selected, held until the DC's own font is back
  // (a restored state may hold one of them): declared before saved_, which
  // restores the DC first.
  std::vector<SharedFont> held_;
  SavedDcState saved_;
  HFONT selected_ = nullptr;  // what UseFont last selected; null when unknown
  TFont selectedFor_;         // the model font it was made for
};

// Text measuring for labels that size themselves, on a screen-compatible DC.
class ScreenTextMeasurer final : public TextMeasurer {
 public:
  TSize MeasureText(const TFont& font, const std::string& text, unsigned flags) override;
};

// Shared by the canvas and the measurer: DrawText with DT_CALCRECT.
TSize MeasureTextOn(HDC dc, const TFont& font, const std::string& text, unsigned flags);

// The device pixel size of one pixel of the 96-dpi layout, as a ratio
// (screen pixels per inch / 96).
int ScreenPixelsPerInch() noexcept;

}  // namespace dz::win32
