#include "fakes/RasterCanvas.h"

#include <algorithm>
#include <cstdlib>

namespace dz {

namespace {

// Removes the "&" prefix marks: "&&" shows one "&".
std::string StripPrefix(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    else if (text[i] == '&') continue;
    out += text[i];
  }
  return out;
}

std::vector<std::string> SplitBreaks(const std::string& text) {
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines.emplace_back();
    } else {
      lines.back() += text[i];
    }
  }
  return lines;
}

}  // namespace

RasterCanvas::RasterCanvas(int width, int height, TColor background)
    : width_(width), height_(height),
      pixels_(static_cast<std::size_t>(width) * height, background) {
  state_.clip = {0, 0, width, height};
}

TColor RasterCanvas::Pixel(int x, int y) const {
  return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

int RasterCanvas::CountColor(TColor color) const {
  return CountColor(color, {0, 0, width_, height_});
}

int RasterCanvas::CountColor(TColor color, const TRect& area) const {
  int n = 0;
  for (int y = std::max(0, area.Top); y < std::min(height_, area.Bottom); ++y) {
    for (int x = std::max(0, area.Left); x < std::min(width_, area.Right); ++x) {
      if (Pixel(x, y) == color) ++n;
    }
  }
  return n;
}

TColor RasterCanvas::ResolveColor(TColor color) const {
  return IsSystemColor(color) ? DefaultSystemColor(SystemColorIndex(color)) : color;
}

void RasterCanvas::Plot(int x, int y, TColor color) {
  x += state_.originX;
  y += state_.originY;
  if (!state_.clip.Contains(x, y)) return;
  pixels_[static_cast<std::size_t>(y) * width_ + x] = color;
}

void RasterCanvas::Fill(const TRect& rect, TColor color) {
  const TColor rgb = ResolveColor(color);
  for (int y = rect.Top; y < rect.Bottom; ++y) {
    for (int x = rect.Left; x < rect.Right; ++x) Plot(x, y, rgb);
  }
}

void RasterCanvas::Rectangle(const TRect& rect) {
  if (Brush.Style == bsSolid) Fill(rect, Brush.Color);
  if (Pen.Style == psClear || rect.Empty()) return;
  const TColor rgb = ResolveColor(Pen.Color);
  for (int x = rect.Left; x < rect.Right; ++x) {
    Plot(x, rect.Top, rgb);
    Plot(x, rect.Bottom - 1, rgb);
  }
  for (int y = rect.Top; y < rect.Bottom; ++y) {
    Plot(rect.Left, y, rgb);
    Plot(rect.Right - 1, y, rgb);
  }
}

void RasterCanvas::FillRect(const TRect& rect) {
  if (Brush.Style == bsSolid) Fill(rect, Brush.Color);
}

void RasterCanvas::FrameRect(const TRect& rect) {
  if (rect.Empty()) return;
  const TColor rgb = ResolveColor(Brush.Color);
  for (int x = rect.Left; x < rect.Right; ++x) {
    Plot(x, rect.Top, rgb);
    Plot(x, rect.Bottom - 1, rgb);
  }
  for (int y = rect.Top; y < rect.Bottom; ++y) {
    Plot(rect.Left, y, rgb);
    Plot(rect.Right - 1, y, rgb);
  }
}

void RasterCanvas::MoveTo(int x, int y) { pos_ = {x, y}; }

void RasterCanvas::LineTo(int x, int y) {
  // Bresenham from the current position; the end point is not drawn.
  const TColor rgb = ResolveColor(Pen.Color);
  int x0 = pos_.X, y0 = pos_.Y;
  const int dx = std::abs(x - x0), sx = x0 < x ? 1 : -1;
  const int dy = -std::abs(y - y0), sy = y0 < y ? 1 : -1;
  int err = dx + dy;
  while (x0 != x || y0 != y) {
    if (Pen.Style != psClear) Plot(x0, y0, rgb);
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
  pos_ = {x, y};
}

void RasterCanvas::DrawFocusRect(const TRect& rect) {
  const auto invert = [this](int x, int y) {
    if (((x + y) & 1) != 0) return;
    const int dx = x + state_.originX, dy = y + state_.originY;
    if (!state_.clip.Contains(dx, dy)) return;
    TColor& p = pixels_[static_cast<std::size_t>(dy) * width_ + dx];
    p ^= 0xFFFFFFu;
  };
  for (int x = rect.Left; x < rect.Right; ++x) {
    invert(x, rect.Top);
    if (rect.Bottom - 1 > rect.Top) invert(x, rect.Bottom - 1);
  }
  for (int y = rect.Top + 1; y < rect.Bottom - 1; ++y) {
    invert(rect.Left, y);
    if (rect.Right - 1 > rect.Left) invert(rect.Right - 1, y);
  }
}

TextMetrics RasterCanvas::GetTextMetrics() {
  TextMetrics m;
  m.Height = LineHeight(Font);
  m.InternalLeading = 1;
  m.Ascent = Font.Height + 1;
  m.Descent = m.Height - m.Ascent;
  m.AveCharWidth = CharWidth(Font);
  return m;
}

int RasterCanvas::LineWidth(const TFont& font, const std::string& line) const {
  int width = 0;
  for (char c : line) width += c == '\t' ? 8 * CharWidth(font) : CharWidth(font);
  return width;
}

TSize RasterCanvas::TextExtent(const std::string& text) {
  return {LineWidth(Font, text), LineHeight(Font)};
}

std::vector<std::string> RasterCanvas::LayoutLines(const TFont& font, const std::string& text,
                                                   unsigned flags, int maxWidth) const {
  const std::string shown = (flags & dtNoPrefix) ? text : StripPrefix(text);
  if (flags & dtSingleLine) return {shown};
  std::vector<std::string> lines;
  for (const std::string& line : SplitBreaks(shown)) {
    if (!(flags & dtWordBreak) || LineWidth(font, line) <= maxWidth) {
      lines.push_back(line);
      continue;
    }
    std::string current;
    std::size_t start = 0;
    while (start <= line.size()) {
      std::size_t end = line.find(' ', start);
      if (end == std::string::npos) end = line.size();
      const std::string word = line.substr(start, end - start);
      const std::string candidate = current.empty() ? word : current + " " + word;
      if (!current.empty() && LineWidth(font, candidate) > maxWidth) {
        lines.push_back(current);
        current = word;
      } else {
        current = candidate;
      }
      start = end + 1;
    }
    lines.push_back(current);
  }
  return lines;
}

TSize RasterCanvas::MeasureText(const TFont& font, const std::string& text, unsigned flags) {
  const auto lines = LayoutLines(font, text, flags & ~unsigned(dtWordBreak), 0);
  int width = 0;
  for (const auto& line : lines) width = std::max(width, LineWidth(font, line));
  return {width, static_cast<int>(lines.size()) * LineHeight(font)};
}

void RasterCanvas::DrawLine(const TFont& font, int x, int y, const std::string& line) {
  const TColor rgb = ResolveColor(font.Color);
  const int cell = CharWidth(font);
  for (char c : line) {
    const int w = c == '\t' ? 8 * cell : cell;
    if (c != ' ' && c != '\t') {
      for (int row = 1; row <= font.Height; ++row) {
        for (int col = 0; col < cell - 1; ++col) Plot(x + col, y + row, rgb);
      }
    }
    if (font.Underline()) {
      for (int col = 0; col < w; ++col) Plot(x + col, y + font.Height + 1, rgb);
    }
    x += w;
  }
}

void RasterCanvas::TextOut(int x, int y, const std::string& text) { DrawLine(Font, x, y, text); }

int RasterCanvas::DrawText(const std::string& text, TRect& rect, unsigned flags) {
  const auto lines = LayoutLines(Font, text, flags, rect.Width());
  const int lh = LineHeight(Font);
  const int height = static_cast<int>(lines.size()) * lh;
  if (flags & dtCalcRect) {
    int width = 0;
    for (const auto& line : lines) width = std::max(width, LineWidth(Font, line));
    rect.Right = rect.Left + width;
    rect.Bottom = rect.Top + height;
    return height;
  }
  int y = rect.Top;
  if (flags & dtSingleLine) {
    if (flags & dtVCenter) y = rect.Top + (rect.Height() - lh) / 2;
    else if (flags & dtBottom) y = rect.Bottom - lh;
  }
  int saved = -1;
  if (!(flags & dtNoClip)) {
    saved = SaveState();
    IntersectClip(rect);
  }
  for (const auto& line : lines) {
    const int w = LineWidth(Font, line);
    int x = rect.Left;
    if (flags & dtCenter) x = rect.Left + (rect.Width() - w) / 2;
    else if (flags & dtRight) x = rect.Right - w;
    DrawLine(Font, x, y, line);
    y += lh;
  }
  if (saved >= 0) RestoreState(saved);
  return height;
}

void RasterCanvas::DrawImage(int x, int y, const Image& image, TColor transparent) {
  for (int row = 0; row < image.Height; ++row) {
    for (int col = 0; col < image.Width; ++col) {
      const TColor c = image.At(col, row);
      if (transparent != clNone && c == transparent) continue;
      Plot(x + col, y + row, c);
    }
  }
}

int RasterCanvas::SaveState() {
  saved_.push_back(state_);
  return static_cast<int>(saved_.size());
}

void RasterCanvas::RestoreState(int token) {
  if (token < 1 || token > static_cast<int>(saved_.size())) return;
  state_ = saved_[static_cast<std::size_t>(token) - 1];
  saved_.resize(static_cast<std::size_t>(token) - 1);
}

void RasterCanvas::OffsetOrigin(int dx, int dy) {
  state_.originX += dx;
  state_.originY += dy;
}

void RasterCanvas::IntersectClip(const TRect& rect) {
  state_.clip = state_.clip.Intersect(rect.Offset(state_.originX, state_.originY));
}

// --- RasterTheme ------------------------------------------------------------

TColor RasterTheme::FaceColor(ThemeState state) {
  switch (state) {
    case ThemeState::Hot: return RGBColor(190, 220, 250);
    case ThemeState::Pressed: return RGBColor(130, 170, 220);
    case ThemeState::Disabled: return RGBColor(210, 210, 205);
    default: return RGBColor(230, 236, 242);
  }
}

bool RasterTheme::DrawPart(Canvas& canvas, std::uintptr_t window, ThemePart part, ThemeState state,
                           const TRect& rect, const TRect& clip) {
  if (fails) return false;
  lastPart = part;
  lastWindow = window;
  CanvasStateGuard saved(canvas);
  canvas.IntersectClip(clip);
  canvas.Brush = {FaceColor(state), bsSolid};
  canvas.FillRect(rect);
  canvas.Brush = {kFrame, bsSolid};
  canvas.FrameRect(rect);
  return true;
}

}  // namespace dz
