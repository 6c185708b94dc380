#include "platform/win32/GdiCanvas.h"

#include <algorithm>
#include <memory>
#include <cstdint>
#include <map>
#include <tuple>
#include <vector>

namespace dz::win32 {

namespace {

using FontKey = std::tuple<std::string, int, unsigned, int>;

struct CachedEntry {
  std::shared_ptr<const Font> font;
  std::uint64_t lastUse = 0;
};

std::map<FontKey, CachedEntry>& FontCache() {
  static std::map<FontKey, CachedEntry> cache;
  return cache;
}

std::uint64_t g_fontUses = 0;

void DropLeastRecentlyUsedFont() {
  auto& cache = FontCache();
  const auto oldest = std::min_element(cache.begin(), cache.end(), [](const auto& a, const auto& b) {
    return a.second.lastUse < b.second.lastUse;
  });
  if (oldest != cache.end()) cache.erase(oldest);
}

// Converts a model rectangle.
RECT ToRect(const TRect& r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }

// A DIB section holding the picture, with the transparent pixels black, and
// a monochrome mask that is white where the picture is transparent.
MaskedPicture MakeMaskedPicture(HDC dc, const Image& image, TColor transparent) {
  MaskedPicture picture;
  BITMAPINFO info = TopDown32BitInfo(image.Width, image.Height);
  void* bits = nullptr;
  picture.colour = Bitmap(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!picture.colour || !bits) return {};

  const bool masked = transparent != clNone;
  const int maskStride = ((image.Width + 15) / 16) * 2;  // monochrome rows are WORD aligned
  std::vector<unsigned char> maskBits(masked ? static_cast<std::size_t>(maskStride) * image.Height : 0);
  auto* out = static_cast<DWORD*>(bits);
  for (int y = 0; y < image.Height; ++y) {
    for (int x = 0; x < image.Width; ++x) {
      const TColor c = image.At(x, y) & 0x00FFFFFFu;
      const bool clear = masked && c == (transparent & 0x00FFFFFFu);
      out[static_cast<std::size_t>(y) * image.Width + x] =
          clear ? 0u : (RedOf(c) << 16) | (GreenOf(c) << 8) | BlueOf(c);
      if (clear) maskBits[static_cast<std::size_t>(y) * maskStride + x / 8] |= static_cast<unsigned char>(0x80u >> (x % 8));
    }
  }
  GdiFlush();  // the DIB section's bits are written directly
  if (masked) picture.mask = Bitmap(CreateBitmap(image.Width, image.Height, 1, 1, maskBits.data()));
  return picture;
}

// A picture's device bitmap and mask, kept with the picture.
struct KeptPicture final : PictureRendering {
  MaskedPicture bitmaps;
};

}  // namespace

SharedFont CachedFont(const TFont& font) {
  FontKey key{font.Name, font.Height, font.Style, font.Charset};
  auto& cache = FontCache();
  auto found = cache.find(key);
  if (found != cache.end()) {
    found->second.lastUse = ++g_fontUses;
    return SharedFont(found->second.font);
  }
  LOGFONTA lf{};
  lf.lfHeight = -font.Height;
  lf.lfWeight = font.Bold() ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = font.Italic() ? TRUE : FALSE;
  lf.lfUnderline = font.Underline() ? TRUE : FALSE;
  lf.lfStrikeOut = font.StrikeOut() ? TRUE : FALSE;
  lf.lfCharSet = static_cast<BYTE>(font.Charset);
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH;
  lstrcpynA(lf.lfFaceName, font.Name.c_str(), LF_FACESIZE);
  auto made = std::make_shared<const Font>(CreateFontIndirectA(&lf));
  if (!*made) return SharedFont();
  if (cache.size() >= kFontCacheLimit) DropLeastRecentlyUsedFont();
  cache.emplace(std::move(key), CachedEntry{made, ++g_fontUses});
  return SharedFont(std::move(made));
}

std::size_t CachedFontCount() noexcept { return FontCache().size(); }

BITMAPINFO TopDown32BitInfo(int width, int height) noexcept {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // negative: the rows run top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

COLORREF ResolveColorRef(TColor color) noexcept {
  if (IsSystemColor(color)) return GetSysColor(SystemColorIndex(color));
  return static_cast<COLORREF>(color & 0x00FFFFFFu);
}

int ScreenPixelsPerInch() noexcept {
  WindowDc screen(nullptr);
  const int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
  return dpi > 0 ? dpi : 96;
}

TSize MeasureTextOn(HDC dc, const TFont& font, const std::string& text, unsigned flags) {
  SelectedFont selected(dc, font);
  RECT r{0, 0, 0, 0};
  const UINT format = (flags & ~static_cast<unsigned>(dtWordBreak)) | DT_CALCRECT;
  if (text.empty()) {
    // An empty caption is one empty line high.
    TEXTMETRICA tm{};
    ::GetTextMetricsA(dc, &tm);
    return {0, tm.tmHeight};
  }
  ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
  return {r.right - r.left, r.bottom - r.top};
}

// ---------------------------------------------------------------------------

GdiCanvas::GdiCanvas(HDC dc) : dc_(dc), saved_(dc) { SetBkMode(dc_, TRANSPARENT); }

GdiCanvas::~GdiCanvas() = default;

TColor GdiCanvas::ResolveColor(TColor color) const { return ResolveColorRef(color); }

TSize GdiCanvas::PixelsPerInch() const {
  return {GetDeviceCaps(dc_, LOGPIXELSX), GetDeviceCaps(dc_, LOGPIXELSY)};
}

win32::Pen GdiCanvas::MakePen() const {
  if (Pen.Style == psClear) return {};
  const int style = Pen.Style == psDash ? PS_DASH : Pen.Style == psDot ? PS_DOT : PS_SOLID;
  return win32::Pen(CreatePen(style, Pen.Width, ResolveColorRef(Pen.Color)));
}

win32::Brush GdiCanvas::MakeBrush() const {
  if (Brush.Style == bsClear) return {};
  return win32::Brush(CreateSolidBrush(ResolveColorRef(Brush.Color)));
}

void GdiCanvas::Rectangle(const TRect& rect) {
  win32::Pen pen = MakePen();
  win32::Brush brush = MakeBrush();
  SelectGuard pickPen(dc_, pen ? static_cast<HGDIOBJ>(pen.Get()) : GetStockObject(NULL_PEN));
  SelectGuard pickBrush(dc_, brush ? static_cast<HGDIOBJ>(brush.Get()) : GetStockObject(NULL_BRUSH));
  // Without a pen GDI's rectangle leaves out the right and bottom edge.
  const int grow = pen ? 0 : 1;
  ::Rectangle(dc_, rect.Left, rect.Top, rect.Right + grow, rect.Bottom + grow);
}

void GdiCanvas::FillRect(const TRect& rect) {
  win32::Brush brush = MakeBrush();
  if (!brush) return;
  const RECT r = ToRect(rect);
  ::FillRect(dc_, &r, brush.Get());
}

void GdiCanvas::FrameRect(const TRect& rect) {
  win32::Brush brush(CreateSolidBrush(ResolveColorRef(Brush.Color)));
  const RECT r = ToRect(rect);
  ::FrameRect(dc_, &r, brush.Get());
}

void GdiCanvas::MoveTo(int x, int y) { MoveToEx(dc_, x, y, nullptr); }

void GdiCanvas::LineTo(int x, int y) {
  win32::Pen pen = MakePen();
  if (!pen) {
    MoveToEx(dc_, x, y, nullptr);
    return;
  }
  SelectGuard pick(dc_, pen.Get());
  ::LineTo(dc_, x, y);
}

void GdiCanvas::DrawFocusRect(const TRect& rect) {
  // The dotted pattern inverts; black on white gives the usual look.
  SavedDcState colours(dc_);
  SetTextColor(dc_, RGB(0, 0, 0));
  SetBkColor(dc_, RGB(255, 255, 255));
  const RECT r = ToRect(rect);
  ::DrawFocusRect(dc_, &r);
}

TextMetrics GdiCanvas::GetTextMetrics() {
  UseFont();
  TEXTMETRICA tm{};
  ::GetTextMetricsA(dc_, &tm);
  return {tm.tmHeight, tm.tmAscent, tm.tmDescent, tm.tmInternalLeading, tm.tmAveCharWidth};
}

TSize GdiCanvas::TextExtent(const std::string& text) {
  UseFont();
  SIZE size{};
  GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &size);
  return {size.cx, size.cy};
}

void GdiCanvas::TextOut(int x, int y, const std::string& text) {
  UseFont();
  SetTextColor(dc_, ResolveColorRef(Font.Color));
  SetBkMode(dc_, TRANSPARENT);
  ::TextOutA(dc_, x, y, text.c_str(), static_cast<int>(text.size()));
}

int GdiCanvas::DrawText(const std::string& text, TRect& rect, unsigned flags) {
  UseFont();
  SetTextColor(dc_, ResolveColorRef(Font.Color));
  SetBkMode(dc_, TRANSPARENT);
  RECT r = ToRect(rect);
  const int height = ::DrawTextA(dc_, text.c_str(), static_cast<int>(text.size()), &r, flags);
  if (flags & dtCalcRect) rect = {r.left, r.top, r.right, r.bottom};
  return height;
}

void GdiCanvas::DrawImage(int x, int y, const Image& image, TColor transparent) {
  if (image.Empty() || image.Pixels.size() < static_cast<std::size_t>(image.Width) * image.Height) return;
  const MaskedPicture picture = MakeMaskedPicture(dc_, image, transparent);
  BlitMasked(x, y, image.Width, image.Height, picture);
}

void GdiCanvas::DrawPicture(int x, int y, const Picture& picture) {
  const Image& image = picture.Pixels();
  if (image.Empty() || image.Pixels.size() < static_cast<std::size_t>(image.Width) * image.Height) return;
  auto* kept = dynamic_cast<KeptPicture*>(picture.Rendering());
  if (!kept) {
    auto made = std::make_unique<KeptPicture>();
    made->bitmaps = MakeMaskedPicture(dc_, image, picture.Transparent());
    if (!made->bitmaps.colour) return;  // out of resources: nothing drawn, tried again next time
    kept = made.get();
    picture.KeepRendering(std::move(made));
  }
  BlitMasked(x, y, image.Width, image.Height, kept->bitmaps);
}

void GdiCanvas::BlitMasked(int x, int y, int width, int height, const MaskedPicture& picture) {
  if (!picture.colour) return;
  MemoryDc source(dc_);
  if (!source.Get()) return;
  if (!picture.mask) {
    SelectGuard pick(source.Get(), picture.colour.Get());
    BitBlt(dc_, x, y, width, height, source.Get(), 0, 0, SRCCOPY);
    return;
  }
  // Keep the background where the mask is white, then add the picture,
  // whose transparent pixels are black.
  SavedDcState colours(dc_);
  SetTextColor(dc_, RGB(0, 0, 0));
  SetBkColor(dc_, RGB(255, 255, 255));
  {
    SelectGuard pick(source.Get(), picture.mask.Get());
    BitBlt(dc_, x, y, width, height, source.Get(), 0, 0, SRCAND);
  }
  SelectGuard pick(source.Get(), picture.colour.Get());
  BitBlt(dc_, x, y, width, height, source.Get(), 0, 0, SRCPAINT);
}

int GdiCanvas::SaveState() { return SaveDC(dc_); }

void GdiCanvas::RestoreState(int token) {
  if (!token) return;
  RestoreDC(dc_, token);
  selected_ = nullptr;  // the font selected when the state was saved is back
}

void GdiCanvas::UseFont() {
  if (selected_ && Font.Name == selectedFor_.Name && Font.Height == selectedFor_.Height &&
      Font.Style == selectedFor_.Style && Font.Charset == selectedFor_.Charset)
    return;
  SharedFont font = CachedFont(Font);
  const HFONT handle = font.Get();
  SelectObject(dc_, handle);
  selected_ = handle;
  selectedFor_ = Font;
  for (const SharedFont& kept : held_) {
    if (kept.Get() == handle) return;
  }
  held_.push_back(std::move(font));
}

void GdiCanvas::OffsetOrigin(int dx, int dy) { OffsetViewportOrgEx(dc_, dx, dy, nullptr); }

void GdiCanvas::IntersectClip(const TRect& rect) {
  IntersectClipRect(dc_, rect.Left, rect.Top, rect.Right, rect.Bottom);
}

TSize GdiCanvas::MeasureText(const TFont& font, const std::string& text, unsigned flags) {
  return MeasureTextOn(dc_, font, text, flags);
}

// The rightmost column that drawing `text` inks, plus one: some renderers
// (Wine's among them) draw a few pixels past the advance widths that the
// measuring call reports, which would clip the last letters of a label
// sized to that measure. 0 when the text cannot be drawn off-screen.
static int InkWidth(HDC screen, const TFont& font, const std::string& text, unsigned flags, TSize box) {
  const int width = box.cx + box.cy + 8;  // room for any overhang
  const int height = box.cy;
  if (width <= 0 || height <= 0) return 0;
  BITMAPINFO info = TopDown32BitInfo(width, height);
  void* bits = nullptr;
  Bitmap bitmap(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  MemoryDc dc(screen);
  if (!bitmap || !bits || !dc.Get()) return 0;
  SelectGuard selectedBitmap(dc.Get(), bitmap.Get());
  SelectedFont selectedFont(dc.Get(), font);
  auto* pixels = static_cast<std::uint32_t*>(bits);
  std::fill(pixels, pixels + static_cast<std::size_t>(width) * height, 0x00FFFFFFu);
  SetBkMode(dc.Get(), TRANSPARENT);
  SetTextColor(dc.Get(), RGB(0, 0, 0));
  RECT r{0, 0, width, height};
  const UINT format = (flags & ~static_cast<unsigned>(dtWordBreak | dtCalcRect)) | DT_NOCLIP;
  ::DrawTextA(dc.Get(), text.c_str(), static_cast<int>(text.size()), &r, format);
  GdiFlush();
  int right = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = width - 1; x >= right; --x) {
      if ((pixels[static_cast<std::size_t>(y) * width + x] & 0x00FFFFFFu) != 0x00FFFFFFu) {
        right = x + 1;
        break;
      }
    }
  }
  return right;
}

TSize ScreenTextMeasurer::MeasureText(const TFont& font, const std::string& text, unsigned flags) {
  WindowDc screen(nullptr);
  TSize size = MeasureTextOn(screen.Get(), font, text, flags);
  // Left-aligned text only: the ink test draws from the left edge.
  if (!(flags & (dtCenter | dtRight)))
    size.cx = std::max(size.cx, InkWidth(screen.Get(), font, text, flags, size));
  return size;
}

}  // namespace dz::win32
