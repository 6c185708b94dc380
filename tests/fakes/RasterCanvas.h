#pragma once
// An in-memory RGB canvas with fixed text metrics, for pixel tests of the
// controls' painting. Text metrics for a font of height h: every character
// cell is (h + 1) / 2 pixels wide, a line is h + 3 pixels high; a drawn
// character is a solid block one pixel narrower than its cell, rows 1..h of
// the line. System colours resolve to the classic desktop's.
#include <string>
#include <vector>

#include "ui/ButtonTheme.h"
#include "ui/Canvas.h"

namespace dz {

class RasterCanvas : public Canvas {
 public:
  RasterCanvas(int width, int height, TColor background = clWhite);

  int Width() const { return width_; }
  int Height() const { return height_; }
  // The RGB value at device coordinates (no origin, no clip).
  TColor Pixel(int x, int y) const;
  int CountColor(TColor color) const;
  int CountColor(TColor color, const TRect& area) const;
  // The resolution it reports (96 dots per inch unless set).
  void SetPixelsPerInch(TSize dpi) { dpi_ = dpi; }

  static int CharWidth(const TFont& font) { return (font.Height + 1) / 2; }
  static int LineHeight(const TFont& font) { return font.Height + 3; }

  TSize MeasureText(const TFont& font, const std::string& text, unsigned flags) override;
  TColor ResolveColor(TColor color) const override;
  TSize PixelsPerInch() const override { return dpi_; }
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
  int SaveState() override;
  void RestoreState(int token) override;
  void OffsetOrigin(int dx, int dy) override;
  void IntersectClip(const TRect& rect) override;

 private:
  struct State {
    int originX = 0, originY = 0;
    TRect clip;
  };
  void Plot(int x, int y, TColor color);  // logical coordinates
  void Fill(const TRect& rect, TColor color);
  std::vector<std::string> LayoutLines(const TFont& font, const std::string& text, unsigned flags,
                                       int maxWidth) const;
  int LineWidth(const TFont& font, const std::string& line) const;
  void DrawLine(const TFont& font, int x, int y, const std::string& line);

  int width_, height_;
  std::vector<TColor> pixels_;
  State state_;
  std::vector<State> saved_;
  TPoint pos_;
  TSize dpi_{96, 96};
};

// A visual style for pixel tests, on any canvas: a part is its state's
// colour inside a one-pixel frame of kFrame, clipped as asked; its content
// lies 4 pixels inside. Install it as Platform::theme.
class RasterTheme final : public ButtonTheme {
 public:
  static constexpr TColor kFrame = RGBColor(0, 60, 116);
  static TColor FaceColor(ThemeState state);

  bool active = true;  // a visual style is on
  bool fails = false;  // drawing fails, as without the platform's library
  ThemePart lastPart = ThemePart::PushButton;
  std::uintptr_t lastWindow = 0;

  bool VisualStyleActive() override { return active; }
  bool DrawPart(Canvas& canvas, std::uintptr_t window, ThemePart part, ThemeState state,
                const TRect& rect, const TRect& clip) override;
  TRect ContentRect(Canvas&, std::uintptr_t, ThemePart, ThemeState, const TRect& rect) override {
    return rect.Inflate(-4, -4);
  }
};

}  // namespace dz
