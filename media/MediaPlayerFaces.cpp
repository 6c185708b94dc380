#include "media/MediaPlayerFaces.h"

#include <array>
#include <string_view>

namespace dz {

namespace {

constexpr PixelColour kGround{128, 128, 0};
constexpr PixelColour kBlack{0, 0, 0};
constexpr PixelColour kGrey{128, 128, 128};
constexpr PixelColour kWhite{255, 255, 255};

// '#' is the glyph, '.' the ground. Each glyph leaves room around it for
// the one-pixel edge of its enabled face.
PixelImage Glyph(std::initializer_list<std::string_view> rows) {
  return ParsePixelArt(rows, {{'.', kGround}, {'#', kBlack}});
}

PixelImage PlayGlyph() {
  return Glyph({
      ".................",
      ".....#...........",
      ".....##..........",
      ".....###.........",
      ".....####........",
      ".....#####.......",
      ".....######......",
      ".....#######.....",
      ".....######......",
      ".....#####.......",
      ".....####........",
      ".....###.........",
      ".....##..........",
      ".....#...........",
      ".................",
      ".................",
  });
}

PixelImage PauseGlyph() {
  return Glyph({
      ".............",
      ".............",
      ".####...####.",
      ".####...####.",
      ".####...####.",
      ".####...####.",
      ".####...####.",
      ".####...####.",
      ".####...####.",
      ".####...####.",
      ".####...####.",
      ".####...####.",
      ".####...####.",
      ".............",
      ".............",
      ".............",
  });
}

PixelImage StopGlyph() {
  return Glyph({
      ".................",
      ".................",
      ".................",
      "....#########....",
      "....#########....",
      "....#########....",
      "....#########....",
      "....#########....",
      "....#########....",
      "....#########....",
      "....#########....",
      "....#########....",
      ".................",
      ".................",
      ".................",
      ".................",
  });
}

PixelImage NextGlyph() {
  return Glyph({
      ".....................",
      ".....#.......###.....",
      ".....##......###.....",
      ".....###.....###.....",
      ".....####....###.....",
      ".....#####...###.....",
      ".....######..###.....",
      ".....#######.###.....",
      ".....######..###.....",
      ".....#####...###.....",
      ".....####....###.....",
      ".....###.....###.....",
      ".....##......###.....",
      ".....#.......###.....",
      ".....................",
      ".....................",
  });
}

PixelImage PrevGlyph() {
  return Glyph({
      "....................",
      "....###.......#.....",
      "....###......##.....",
      "....###.....###.....",
      "....###....####.....",
      "....###...#####.....",
      "....###..######.....",
      "....###.#######.....",
      "....###..######.....",
      "....###...#####.....",
      "....###....####.....",
      "....###.....###.....",
      "....###......##.....",
      "....###.......#.....",
      "....................",
      "....................",
  });
}

PixelImage StepGlyph() {
  return Glyph({
      ".....................",
      ".....###.#...........",
      ".....###.##..........",
      ".....###.###.........",
      ".....###.####........",
      ".....###.#####.......",
      ".....###.######......",
      ".....###.#######.....",
      ".....###.######......",
      ".....###.#####.......",
      ".....###.####........",
      ".....###.###.........",
      ".....###.##..........",
      ".....###.#...........",
      ".....................",
      ".....................",
  });
}

PixelImage BackGlyph() {
  return Glyph({
      ".....................",
      "...........#.###.....",
      "..........##.###.....",
      ".........###.###.....",
      "........####.###.....",
      ".......#####.###.....",
      "......######.###.....",
      ".....#######.###.....",
      "......######.###.....",
      ".......#####.###.....",
      "........####.###.....",
      ".........###.###.....",
      "..........##.###.....",
      "...........#.###.....",
      ".....................",
      ".....................",
  });
}

PixelImage RecordGlyph() {
  return Glyph({
      ".............",
      ".............",
      "....#####....",
      "...#######...",
      "..#########..",
      "..#########..",
      "..#########..",
      "..#########..",
      "..#########..",
      "...#######...",
      "....#####....",
      ".............",
      ".............",
  });
}

PixelImage EjectGlyph() {
  return Glyph({
      "...................",
      "...................",
      ".........#.........",
      "........###........",
      ".......#####.......",
      "......#######......",
      ".....#########.....",
      "....###########....",
      "...#############...",
      "...................",
      "...#############...",
      "...#############...",
      "...#############...",
      "...................",
      "...................",
      "...................",
  });
}

struct KindFaces {
  const char* resourceBase;
  PixelImage (*glyph)();
  PixelColour colour;  // of the coloured face
  int disabledWidth;   // the disabled face leaves out the columns after it
};

// In kind order.
const std::array<KindFaces, kButtonKindCount> kKinds{{
    {"MPPLAY", PlayGlyph, {0, 255, 0}, 17},
    {"MPPAUSE", PauseGlyph, {255, 255, 0}, 12},
    {"MPSTOP", StopGlyph, {255, 0, 0}, 17},
    {"MPNEXT", NextGlyph, {0, 0, 255}, 21},
    {"MPPREV", PrevGlyph, {0, 0, 255}, 20},
    {"MPSTEP", StepGlyph, {0, 0, 255}, 21},
    {"MPBACK", BackGlyph, {0, 0, 255}, 21},
    {"MPRECORD", RecordGlyph, {255, 0, 0}, 13},
    {"MPEJECT", EjectGlyph, {0, 0, 255}, 19},
}};

bool IsGlyph(const PixelImage& glyph, int x, int y) {
  return x >= 0 && y >= 0 && x < glyph.Width() && y < glyph.Height() && glyph.At(x, y) != kGround;
}

// The ground around a glyph, lit from the top left: white where the glyph
// lies up or left of it, grey where it lies down or right.
PixelColour Edge(const PixelImage& glyph, int x, int y) {
  if (IsGlyph(glyph, x - 1, y) || IsGlyph(glyph, x, y - 1) || IsGlyph(glyph, x - 1, y - 1)) return kWhite;
  if (IsGlyph(glyph, x + 1, y) || IsGlyph(glyph, x, y + 1) || IsGlyph(glyph, x + 1, y + 1)) return kGrey;
  return kGround;
}

PixelImage MakeFace(FaceStyle style, const KindFaces& kind) {
  const PixelImage glyph = kind.glyph();
  const int width = style == FaceStyle::Disabled ? kind.disabledWidth : glyph.Width();
  PixelImage face(width, glyph.Height(), kGround);
  for (int y = 0; y < face.Height(); ++y) {
    for (int x = 0; x < width; ++x) {
      if (!IsGlyph(glyph, x, y)) {
        if (style != FaceStyle::Disabled) face.Set(x, y, Edge(glyph, x, y));
        continue;
      }
      const bool openAbove = !IsGlyph(glyph, x - 1, y) || !IsGlyph(glyph, x, y - 1);
      const bool openBelow = !IsGlyph(glyph, x + 1, y) || !IsGlyph(glyph, x, y + 1);
      switch (style) {
        case FaceStyle::Enabled:
          face.Set(x, y, kBlack);
          break;
        case FaceStyle::Disabled:
          // Only the outline: grey on the top and left, white below and right.
          if (openAbove) face.Set(x, y, kGrey);
          else if (openBelow) face.Set(x, y, kWhite);
          break;
        case FaceStyle::Coloured:
          face.Set(x, y, openBelow ? kBlack : kind.colour);
          break;
      }
    }
  }
  return face;
}

const char* Prefix(FaceStyle style) {
  switch (style) {
    case FaceStyle::Enabled: return "EN";
    case FaceStyle::Disabled: return "DI";
    case FaceStyle::Coloured: return "CL";
  }
  return "";
}

}  // namespace

std::string FaceResourceName(FaceStyle style, TMPBtnType kind) {
  return std::string(Prefix(style)) + "_" + kKinds[kind].resourceBase;
}

const PixelImage& DrawnFace(FaceStyle style, TMPBtnType kind) {
  static const std::array<PixelImage, kFaceCount> faces = [] {
    std::array<PixelImage, kFaceCount> made;
    for (int s = 0; s < kFaceStyleCount; ++s) {
      for (int k = 0; k < kButtonKindCount; ++k) {
        const auto each = static_cast<FaceStyle>(s);
        made[FaceIndex(each, static_cast<TMPBtnType>(k))] = MakeFace(each, kKinds[k]);
      }
    }
    return made;
  }();
  return faces[FaceIndex(style, kind)];
}

std::vector<std::uint8_t> FaceBitmapFile(FaceStyle style, TMPBtnType kind) {
  return EncodeBmp16(DrawnFace(style, kind));
}

}  // namespace dz
