#pragma once
// Basic drawing values shared by the control model, the canvas and the
// peers: colours, fonts, rectangles, cursors and plain pixel images.
//
// Colours. A TColor is either an RGB value 0x00BBGGRR (the same layout as a
// GDI COLORREF) or a system colour: kSystemColorFlag | index, where index is
// the platform's system colour number (COLOR_BTNFACE = 15 ...). System
// colours stay symbolic in the model; a Canvas resolves them to the
// platform's current colours when it draws (Canvas::ResolveColor).
#include <cstdint>
#include <string>
#include <vector>

namespace dz {

using TColor = std::uint32_t;

inline constexpr TColor kSystemColorFlag = 0x80000000u;

constexpr TColor RGBColor(unsigned r, unsigned g, unsigned b) {
  return (r & 0xFFu) | ((g & 0xFFu) << 8) | ((b & 0xFFu) << 16);
}
constexpr unsigned RedOf(TColor c) { return c & 0xFFu; }
constexpr unsigned GreenOf(TColor c) { return (c >> 8) & 0xFFu; }
constexpr unsigned BlueOf(TColor c) { return (c >> 16) & 0xFFu; }
constexpr bool IsSystemColor(TColor c) { return (c & kSystemColorFlag) != 0; }
constexpr int SystemColorIndex(TColor c) { return static_cast<int>(c & 0xFFu); }

// Named colours.
inline constexpr TColor clBlack = RGBColor(0, 0, 0);
inline constexpr TColor clMaroon = RGBColor(128, 0, 0);
inline constexpr TColor clGreen = RGBColor(0, 128, 0);
inline constexpr TColor clOlive = RGBColor(128, 128, 0);
inline constexpr TColor clNavy = RGBColor(0, 0, 128);
inline constexpr TColor clPurple = RGBColor(128, 0, 128);
inline constexpr TColor clTeal = RGBColor(0, 128, 128);
inline constexpr TColor clGray = RGBColor(128, 128, 128);
inline constexpr TColor clSilver = RGBColor(192, 192, 192);
inline constexpr TColor clRed = RGBColor(255, 0, 0);
inline constexpr TColor clLime = RGBColor(0, 255, 0);
inline constexpr TColor clYellow = RGBColor(255, 255, 0);
inline constexpr TColor clBlue = RGBColor(0, 0, 255);
inline constexpr TColor clFuchsia = RGBColor(255, 0, 255);
inline constexpr TColor clAqua = RGBColor(0, 255, 255);
inline constexpr TColor clWhite = RGBColor(255, 255, 255);
// "No colour": a transparent-colour argument meaning "draw every pixel".
inline constexpr TColor clNone = 0x1FFFFFFFu;

// System colours (index = the platform's COLOR_* number).
inline constexpr TColor clScrollBar = kSystemColorFlag | 0;
inline constexpr TColor clBackground = kSystemColorFlag | 1;
inline constexpr TColor clWindow = kSystemColorFlag | 5;
inline constexpr TColor clWindowFrame = kSystemColorFlag | 6;
inline constexpr TColor clWindowText = kSystemColorFlag | 8;
inline constexpr TColor clHighlight = kSystemColorFlag | 13;
inline constexpr TColor clHighlightText = kSystemColorFlag | 14;
inline constexpr TColor clBtnFace = kSystemColorFlag | 15;
inline constexpr TColor clBtnShadow = kSystemColorFlag | 16;
inline constexpr TColor clGrayText = kSystemColorFlag | 17;
inline constexpr TColor clBtnText = kSystemColorFlag | 18;
inline constexpr TColor clBtnHighlight = kSystemColorFlag | 20;
inline constexpr TColor cl3DDkShadow = kSystemColorFlag | 21;
inline constexpr TColor cl3DLight = kSystemColorFlag | 22;
inline constexpr TColor clInfoText = kSystemColorFlag | 23;
inline constexpr TColor clInfoBk = kSystemColorFlag | 24;

// The classic desktop's values of the system colours, for canvases that
// have no platform to ask (the test raster).
TColor DefaultSystemColor(int index);

// Font styles, combined as bits.
enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

// Character sets as the platform numbers them.
inline constexpr int ANSI_CHARSET_ID = 0;
inline constexpr int DEFAULT_CHARSET_ID = 1;

// A font: face, character height in pixels (without internal leading; the
// platform's lfHeight is -Height), styles, colour and character set.
struct TFont {
  std::string Name = "MS Sans Serif";
  int Height = 11;
  TFontStyles Style = 0;
  TColor Color = clWindowText;
  int Charset = DEFAULT_CHARSET_ID;

  bool Bold() const { return (Style & fsBold) != 0; }
  bool Italic() const { return (Style & fsItalic) != 0; }
  bool Underline() const { return (Style & fsUnderline) != 0; }
  bool StrikeOut() const { return (Style & fsStrikeOut) != 0; }
  friend bool operator==(const TFont&, const TFont&) = default;
};

struct TPoint {
  int X = 0, Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int cx = 0, cy = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

// A rectangle with the right and bottom edges excluded, as on the platform.
struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool Empty() const { return Right <= Left || Bottom <= Top; }
  bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
  TRect Offset(int dx, int dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
  TRect Inflate(int dx, int dy) const { return {Left - dx, Top - dy, Right + dx, Bottom + dy}; }
  TRect Intersect(const TRect& o) const;
  friend bool operator==(const TRect&, const TRect&) = default;
};

inline TRect Bounds(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}

enum TCursor { crDefault, crArrow, crHandPoint, crIBeam, crHourGlass, crCross };

// A plain picture: RGB pixels as TColor values (never system colours), rows
// from the top down. Bitmaps with one transparent colour take it from the
// bottom-left pixel.
struct Image {
  int Width = 0;
  int Height = 0;
  std::vector<TColor> Pixels;

  bool Empty() const { return Width <= 0 || Height <= 0; }
  TColor At(int x, int y) const { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
  TColor BottomLeft() const { return Empty() ? clNone : At(0, Height - 1); }
};

}  // namespace dz
