#pragma once
// The drawing surface of windowless and self-painted controls, in GDI's
// vocabulary. The Win32 build implements it on a device context; the tests
// on an in-memory raster (tests/fakes/RasterCanvas.h).
//
// How an implementation plugs in: derive from Canvas and implement the pure
// virtual operations. Pen, Brush and Font are plain values held by this base;
// the drawing operations read them at each call (an implementation may cache
// the platform objects it makes for them). Coordinates are device pixels of
// the surface after the current origin offset; everything is clipped to the
// current clip rectangle. Colours may be system colours: resolve them with
// ResolveColor when drawing. Text is always drawn with a transparent
// background: fill first where a background is wanted.
#include <string>

#include "ui/Graphics.h"
#include "ui/Picture.h"

namespace dz {

enum TPenStyle { psSolid, psDash, psDot, psClear };
enum TBrushStyle { bsSolid, bsClear };

struct TPen {
  TColor Color = clBlack;
  int Width = 1;
  TPenStyle Style = psSolid;
};

struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = bsSolid;
};

// Text flags of DrawText (same values as the platform's DT_* flags).
enum TextFlag : unsigned {
  dtLeft = 0x0000,
  dtCenter = 0x0001,
  dtRight = 0x0002,
  dtVCenter = 0x0004,  // with dtSingleLine only
  dtBottom = 0x0008,   // with dtSingleLine only
  dtWordBreak = 0x0010,
  dtSingleLine = 0x0020,
  dtExpandTabs = 0x0040,
  dtNoClip = 0x0100,
  dtCalcRect = 0x0400,
  dtNoPrefix = 0x0800,  // without it "&x" underlines x and "&&" shows "&"
};

struct TextMetrics {
  int Height = 0;           // line height: Ascent + Descent
  int Ascent = 0;
  int Descent = 0;
  int InternalLeading = 0;  // Height of the font = Height - InternalLeading
  int AveCharWidth = 0;
};

// Text measuring without a surface: how labels size themselves to their
// caption. Installed as CurrentPlatform().text; without one, labels keep
// the size they were given.
class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;
  // The size DrawText with dtCalcRect gives for `text` in `font`: lines are
  // broken at CR LF (also a lone CR or LF) unless dtSingleLine; a caption
  // that ends with a line break has a last, empty line. Honours dtNoPrefix,
  // dtSingleLine and dtExpandTabs; no word wrapping.
  virtual TSize MeasureText(const TFont& font, const std::string& text, unsigned flags) = 0;
};

class Canvas : public TextMeasurer {
 public:
  TPen Pen;
  TBrush Brush;
  TFont Font;

  // The RGB value of a colour now (system colours looked up on the platform).
  virtual TColor ResolveColor(TColor color) const = 0;
  // The surface's resolution in dots per inch: horizontal in cx, vertical in cy.
  virtual TSize PixelsPerInch() const = 0;

  // Outline with the pen and fill with the brush (either may be clear).
  virtual void Rectangle(const TRect& rect) = 0;
  // Fills with the brush; a clear brush fills nothing.
  virtual void FillRect(const TRect& rect) = 0;
  // A one-pixel frame in the brush colour.
  virtual void FrameRect(const TRect& rect) = 0;
  // Lines with the pen; LineTo does not draw its end point.
  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;
  // The platform's dotted focus rectangle (drawn by inverting, so drawing it
  // twice removes it).
  virtual void DrawFocusRect(const TRect& rect) = 0;

  virtual TextMetrics GetTextMetrics() = 0;   // of Font
  virtual TSize TextExtent(const std::string& text) = 0;  // one line, no prefix processing
  virtual void TextOut(int x, int y, const std::string& text) = 0;  // top-left at x, y
  // Draws `text` in Font into `rect` with the flags; returns the text
  // height. With dtCalcRect it draws nothing and sets rect's right and
  // bottom to the size the text needs (rect's width limits word breaks).
  virtual int DrawText(const std::string& text, TRect& rect, unsigned flags) = 0;

  // Copies a picture to x, y; pixels of the colour `transparent` are left
  // out (clNone draws every pixel).
  virtual void DrawImage(int x, int y, const Image& image, TColor transparent) = 0;
  // The same for a picture drawn often: a canvas may keep what it makes of
  // it in the picture and reuse it at the next draw (the default draws the
  // pixels each time).
  virtual void DrawPicture(int x, int y, const Picture& picture) {
    DrawImage(x, y, picture.Pixels(), picture.Transparent());
  }

  // Origin and clip. SaveState returns a token for RestoreState; origin
  // offsets add up; a clip rectangle (in current coordinates) is
  // intersected with the current clip.
  virtual int SaveState() = 0;
  virtual void RestoreState(int token) = 0;
  virtual void OffsetOrigin(int dx, int dy) = 0;
  virtual void IntersectClip(const TRect& rect) = 0;
};

// Restores the canvas state it saved when it goes out of scope.
class CanvasStateGuard {
 public:
  explicit CanvasStateGuard(Canvas& canvas) : canvas_(canvas), token_(canvas.SaveState()) {}
  ~CanvasStateGuard() { canvas_.RestoreState(token_); }
  CanvasStateGuard(const CanvasStateGuard&) = delete;
  CanvasStateGuard& operator=(const CanvasStateGuard&) = delete;

 private:
  Canvas& canvas_;
  int token_;
};

// A bevel `width` pixels wide just inside `rect`: top and left lines in
// `topColor`, bottom and right lines in `bottomColor` (the top-right and
// bottom-left corner pixels take the bottom colour). `rect` comes back
// shrunk by `width` on each side.
void Frame3D(Canvas& canvas, TRect& rect, TColor topColor, TColor bottomColor, int width);

// The platform's sunken client edge (2 pixels) just inside `rect`.
void DrawSunkenEdge(Canvas& canvas, const TRect& rect);

// The classic raised button frame (2 pixels) just inside `rect`; with
// `pressed` the sunken one.
void DrawButtonFrame(Canvas& canvas, const TRect& rect, bool pressed);

}  // namespace dz
