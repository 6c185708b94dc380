#include "ui/ProgramIcon.h"

namespace dz {

namespace {

const std::vector<PaletteEntry>& Palette() {
  static const std::vector<PaletteEntry> palette{
      {'.', kIconClear},
      {'K', {40, 40, 40}},     // outline, hammer and feet
      {'Y', {232, 184, 48}},   // the brass bells
      {'R', {200, 32, 32}},    // the red case
      {'W', {255, 255, 255}},  // the dial
      {'H', {0, 0, 0}},        // the hands
      {'T', {112, 112, 112}},  // the hour marks
  };
  return palette;
}

// Bells, case and two hands only: at this size the hour marks would be noise.
PixelImage Draw16() {
  return ParsePixelArt(
      {
          "................",
          ".......KK.......",
          "..KKK..KK..KKK..",
          ".KYYYKKKKKKYYYK.",
          ".KYYKRRRRRRKYYK.",
          ".KYKRWWWWWWRKYK.",
          ".KKRWWWHWWWWRKK.",
          "..KRWWWHWWWWRK..",
          "..KRWWWHWWWWRK..",
          "..KRWHHHWWWWRK..",
          "..KRWWWWWWWWRK..",
          "..KRWWWWWWWWRK..",
          "...KRWWWWWWRK...",
          "...KKRRRRRRKK...",
          "..KK.KKKKKK.KK..",
          ".KK..........KK.",
      },
      Palette());
}

// The 16 x 16 clock with room for a thicker case (the title bar at 125 %).
PixelImage Draw20() {
  return ParsePixelArt(
      {
          "....................",
          ".........KK.........",
          "...KKK...KK...KKK...",
          "..KYYYK..KK..KYYYK..",
          ".KYYYYKKKKKKKKYYYYK.",
          ".KYYYKKRRRRRRKKYYYK.",
          ".KYYKRRWWWWWWRRKYYK.",
          ".KYKRWWWWHWWWWWRKYK.",
          ".KKRWWWWWHWWWWWWRKK.",
          "..KRWWWWWHWWWWWWRK..",
          "..KRWWWWWHWWWWWWRK..",
          "..KRWHHHHHWWWWWWRK..",
          "..KRWWWWWWWWWWWWRK..",
          "..KRWWWWWWWWWWWWRK..",
          "...KRWWWWWWWWWWRK...",
          "...KRRWWWWWWWWRRK...",
          "....KKRRRRRRRRKK....",
          "...KKKKKKKKKKKKKK...",
          "..KKK..........KKK..",
          "....................",
      },
      Palette());
}

// Hour marks come back from this size on (the title bar at 150 %).
PixelImage Draw24() {
  return ParsePixelArt(
      {
          "........................",
          "...........KK...........",
          "...KKKK....KK....KKKK...",
          "..KYYYYKK..KK..KKYYYYK..",
          ".KYYYYYYKKKKKKKKYYYYYYK.",
          ".KYYYYYKKRRRRRRKKYYYYYK.",
          ".KYYYYKRRRRWWRRRRKYYYYK.",
          ".KYYYKRRWWWHHWWWWRRKYYK.",
          ".KYYKRRWTWWHHWWWTWRRKYK.",
          "..KKRRWWWWWHHWWWWWWRRKK.",
          "...KRWWWWWWHHWWWWWWWRK..",
          "...KRWWHHHHHHWWWWWWWRK..",
          "...KRTWHHHHHHWWWWWWTRK..",
          "...KRWWWWWWWWWWWWWWWRK..",
          "...KRWWWWWWWWWWWWWWWRK..",
          "...KRRWTWWWWWWWWWTWRRK..",
          "....KRWWWWWWWWWWWWWRK...",
          "....KRRWWWWWTWWWWWRRK...",
          ".....KRRRWWWWWWWRRRK....",
          "......KKRRRRRRRRRKK.....",
          ".....KKKKKKKKKKKKKKK....",
          "....KKKK.........KKKK...",
          "...KKKK...........KKKK..",
          "........................",
      },
      Palette());
}

// The hands show ten o'clock; the marks give the dial its hours.
PixelImage Draw32() {
  return ParsePixelArt(
      {
          "................................",
          "...............KK...............",
          ".......KK......KK......KK.......",
          ".....KKYYKKK...KK...KKKYYKK.....",
          "...KKYYYYYYYK..KK..KYYYYYYYKK...",
          "...KYYYYYYYK..KKKK..KYYYYYYYK...",
          "..KYYYYYYYKKKKRRRRKKKKYYYYYYYK..",
          "..KYYYYYYKKRRRRRRRRRRKKYYYYYYK..",
          "..KYYYYYKRRRRRRWWRRRRRRKYYYYYK..",
          "..KYYYYKRRRRWWWHHWWWRRRRKYYYYK..",
          "..KYYYKRRRWTWWWHHWWWTWRRRKYYYK..",
          "..KYYKRRRWWWWWWHHWWWWWWRRRKYYK..",
          "...KKKRRWWWWWWWHHWWWWWWWRRKKK...",
          "....KRRRTWWWWWWHHWWWWWWTRRRK....",
          "....KRRWWWHHHWWHHWWWWWWWWRRK....",
          "....KRRWWWHHHHHHHWWWWWWWWRRK....",
          "....KRRWWWWWHHHHHWWWWWWWWRRK....",
          "....KRRTTWWWWHHHHWWWWWWTTRRK....",
          "....KRRWWWWWWWWHHWWWWWWWWRRK....",
          "....KRRWWWWWWWWWWWWWWWWWWRRK....",
          "....KRRWWWWWWWWWWWWWWWWWWRRK....",
          "....KRRRTWWWWWWWWWWWWWWTRRRK....",
          ".....KRRWWWWWWWWWWWWWWWWRRK.....",
          ".....KRRRWWWWWWWWWWWWWWRRRK.....",
          "......KRRRWTWWWWTWWWTWRRRK......",
          ".......KRRRWWWWWTWWWWRRRK.......",
          "......KKKRRRRRWWWWRRRRRKKK......",
          ".....KKKKKRRRRRRRRRRRRKKKKK.....",
          "....KKKKKKKKKRRRRRRKKKKKKKKK....",
          "...KKKKKK....KKKKKK....KKKKKK...",
          "...KKKKK................KKKKK...",
          "................................",
      },
      Palette());
}

// The same clock with a two-pixel outline, so it holds its shape when shrunk.
PixelImage Draw48() {
  return ParsePixelArt(
      {
          "................................................",
          "................................................",
          "......................KKKK......................",
          "..........KKKKK.......KKKK.......KKKKK..........",
          ".......KKKKKKKKKK.....KKKK.....KKKKKKKKKK.......",
          "......KKKKYYYYYKKKK...KKKK...KKKKYYYYYKKKK......",
          ".....KKYYYYYYYYYYKK...KKKK...KKYYYYYYYYYYKK.....",
          "....KKYYYYYYYYYYYKK...KKKK...KKYYYYYYYYYYYKK....",
          "....KKYYYYYYYYYKKKKKKKKKKKKKKKKKKYYYYYYYYYKK....",
          "...KKYYYYYYYYYKKKKKKKKKKKKKKKKKKKKYYYYYYYYYKK...",
          "...KKYYYYYYYYKKKKKRRRRRRRRRRRRKKKKKYYYYYYYYKK...",
          "...KKYYYYYYYKKKKRRRRRRRRRRRRRRRRKKKKYYYYYYYKK...",
          "...KKYYYYYYKKKRRRRRRRWWWWWWRRRRRRRKKKYYYYYYKK...",
          "...KKYYYYYKKKRRRRRWWWWWHHWWWWWRRRRRKKKYYYYYKK...",
          "...KKYYYYKKKRRRRWTWWWWWHHWWWWWTWRRRRKKKYYYYKK...",
          "...KKYYYKKKRRRRWWWWWWWWHHWWWWWWWWRRRRKKKYYYKK...",
          "...KKYYKKKRRRRWWWWWWWWWHHWWWWWWWWWRRRRKKKYYKK...",
          "....KKKKKKRRRWWWWWWWWWWHHWWWWWWWWWWRRRKKKKKK....",
          ".....KKKKRRRRWWWWWWWWWWHHWWWWWWWWWWRRRRKKKK.....",
          ".......KKRRRTWWWWWWWWWWHHWWWWWWWWWWTRRRKK.......",
          "......KKRRRWWWWWHHWWWWWHHWWWWWWWWWWWWRRRKK......",
          "......KKRRRWWWWHHHHHWWWHHWWWWWWWWWWWWRRRKK......",
          "......KKRRRWWWWHHHHHHHWHHWWWWWWWWWWWWRRRKK......",
          "......KKRRRWWWWWHHHHHHHHHWWWWWWWWWWWWRRRKK......",
          "......KKRRWWWWWWWWHHHHHHHWWWWWWWWWWWWWRRKK......",
          "......KKRRWTTTWWWWWWHHHHHHWWWWWWWWTTTWRRKK......",
          "......KKRRWWWWWWWWWWWHHHHHWWWWWWWWWWWWRRKK......",
          "......KKRRWWWWWWWWWWWWWHHWWWWWWWWWWWWWRRKK......",
          "......KKRRRWWWWWWWWWWWWWWWWWWWWWWWWWWRRRKK......",
          "......KKRRRWWWWWWWWWWWWWWWWWWWWWWWWWWRRRKK......",
          "......KKRRRWWWWWWWWWWWWWWWWWWWWWWWWWWRRRKK......",
          ".......KKRRRWWWWWWWWWWWWWWWWWWWWWWWWRRRKK.......",
          ".......KKRRRTWWWWWWWWWWWWWWWWWWWWWWTRRRKK.......",
          ".......KKRRRRWWWWWWWWWWWWWWWWWWWWWWRRRRKK.......",
          "........KKRRRWWWWWWWWWWWWWWWWWWWWWWRRRKK........",
          "........KKRRRRWWWWWWWWWWWWWWWWWWWWRRRRKK........",
          ".........KKRRRRRWTWWWWWWTWWWWWTWRRRRRKK.........",
          "..........KKRRRRRWWWWWWWTWWWWWWRRRRRKK..........",
          "..........KKKRRRRRRWWWWWTWWWWRRRRRRKKK..........",
          ".........KKKKKKRRRRRRRRRRRRRRRRRRKKKKKK.........",
          "........KKKKKKKKRRRRRRRRRRRRRRRRKKKKKKKK........",
          ".......KKKKKKKKKKKKRRRRRRRRRRKKKKKKKKKKKK.......",
          "......KKKKKKKK..KKKKKKKKKKKKKKKK..KKKKKKKK......",
          ".....KKKKKKKK......KKKKKKKKKK......KKKKKKKK.....",
          "....KKKKKKKK........................KKKKKKKK....",
          "....KKKKKKK..........................KKKKKKK....",
          "................................................",
          "................................................",
      },
      Palette());
}

}  // namespace

// The larger sizes enlarge the smaller pictures by whole factors, so that
// every pixel stays sharp.
const std::vector<PixelImage>& ProgramIconPictures() {
  static const std::vector<PixelImage> pictures{
      Draw16(), Draw20(), Draw24(), Draw32(), Enlarged(Draw20(), 2), Draw48(), Enlarged(Draw32(), 2),
      Enlarged(Draw32(), 8)};
  return pictures;
}

std::vector<std::uint8_t> ProgramIconFile() { return EncodeIco(ProgramIconPictures(), kIconClear); }

}  // namespace dz
