#include "ui/ExitDoorGlyph.h"

namespace dz {

namespace {

// The olive ground is transparent; it appears only outside the drawing.
constexpr PixelColour kGround{128, 128, 0};

PixelImage DrawExitDoor() {
  return ParsePixelArt(
      {
          "..GGGGGGGGGGGGGGG.",  // the sign: E X I T in white on green
          "..GWWWGWGWGWGWWWG.",
          "..GWGGGWGWGWGGWGG.",
          "..GWWGGGWGGWGGWGG.",
          "..GWGGGWGWGWGGWGG.",
          "..GWWWGWGWGWGGWGG.",
          "..GGGGGGGGGGGGGGG.",
          "..................",
          "....KKKKKKKKKK....",  // the door frame, the dark way out
          "....KDDDDDDDDKB...",  // and the door leaf swung open towards us
          "....KDDDDDDDDKBB..",
          "....KDDDDDDDDKBBY.",
          "....KDDDDDDDDKBBY.",
          "....KDDDDDDDDKBHY.",
          "....KDDDDDDDDKBBY.",
          "....KDDDDDDDDKBBY.",
          "....KFFFFFFFFKBBY.",
          "...KKKKKKKKKKKKBY.",
      },
      {
          {'.', kGround},
          {'G', {0, 160, 0}},
          {'W', {255, 255, 255}},
          {'K', {0, 0, 0}},
          {'D', {32, 32, 48}},
          {'F', {128, 128, 128}},
          {'B', {128, 64, 0}},
          {'Y', {224, 160, 64}},
          {'H', {255, 255, 0}},
      });
}

}  // namespace

const PixelImage& ExitDoorPicture() {
  static const PixelImage picture = DrawExitDoor();
  return picture;
}

const PixelImage& ExitDoorPictureDisabled() {
  static const PixelImage picture = GreyedPicture(ExitDoorPicture(), kGround);
  return picture;
}

Image ExitDoorGlyph() { return ToImage(SideBySide(ExitDoorPicture(), ExitDoorPictureDisabled())); }

}  // namespace dz
