#include "ui/SnoozeGlyphs.h"

#include "ui/StoredBitmap.h"

namespace dz {

namespace {

// Four colours each; the ground is the bottom-left pixel, drawn transparent.
PixelImage DrawSnooze() {
  return ParsePixelArt(
      {
          ".............................RRR",
          "...............................R",
          ".........................RRR..R.",
          "...........................R.R..",
          "..........................R..RRR",
          ".........................R......",
          "..................RRRRRR.RRR....",
          "......................RR........",
          "............YYYYYYYYYRR.........",
          "..........YYYYYYYYYYRRY.........",
          ".........YYYYYYYYYYRRYYY........",
          "........YYYYYYYYYYRRRRRRY.......",
          ".......YYYYYKKKKYKKKKYYYYY......",
          ".......YYYYKYYYYKYYYYKYYYY......",
          ".......YYYYYYYYYKYYYYYYYYY......",
          ".......YYYYYYKKYKYKKYYYYYY......",
          ".......YYYYKKKYYKYYKKKYYYY......",
          ".......YYYYKYYYYKYYYYKYYYY......",
          ".......YYYYYYYYYKYYYYYYYYY......",
          ".......YYYYYYYYKKKYYYYYYYY......",
          ".......YYYYYYYYYYYYYYYYYYY......",
          ".......YYYYYYYYYYYYYYYYYYY......",
          ".......YYYYKYYYYYYYYYKYYYY......",
          "........YYYYKKYYYYYKKYYYY.......",
          ".........YYYYYKKKKKYYYYY........",
          "..........YYYYYYYYYYYYY.........",
          "...........YYYYYYYYYYY..........",
          ".............YYYYYYY............",
          ".............YYYYYYY............",
          ".............YYYYYYY............",
          ".............YYYYYYY............",
          ".............YYYYYYY............",
      },
      {
          {'.', {128, 128, 128}},  // grey ground
          {'Y', {217, 181, 72}},   // the sleeper's golden head
          {'K', {0, 0, 0}},        // brows, closed eyes, nose, smile
          {'R', {255, 0, 0}},      // the rising Z letters
      });
}

PixelImage DrawRepeatOff() {
  return ParsePixelArt(
      {
          "..................................................",
          "..................................................",
          "..................................................",
          "......................RR.....................RR...",
          ".......................RRR.................RRR....",
          ".........................RRR.............RRR......",
          "..........................RRR...........RRR.......",
          "............................RRR.....KKRRR.........",
          ".............................RRR....KRRR..........",
          "...........................KK..RRR.RRR.K.....KK...",
          ".........KKKKKKK...........KKK..RRRRR..K.....KKK..",
          ".......KKWWWWWWWKK.........K..K.RRRRR..K.....K..K.",
          "......KWWWWWWWWWWWK........K..KRRR.RRR.......K..K.",
          ".....KWWWWWWWWWWWWWK.......K.RRR....KRRR.....K..K.",
          "....KWWWWWWWWWWWWWWWK......KRRR.....K.RRR....K....",
          "....KWWWWWWWWWWWWWWWK.....RRR.......K...RRR..K....",
          "....KWWWKKWWWWWKKWWWK....RRR.....KKKK....RRR.K....",
          "....KWWKKKKWWWKKKKWWK..RRR.K....KKKKK......RRR....",
          "....KWWWWWWWWWWWWWWWK.RRRKKK....KKKK......KKKRR...",
          "....KWWWWWWWKWWWWWWWK..KKKKK.....KK......KKKKK....",
          "....KWWWWWWWWWWWWWWWK..KKKK..............KKKK.....",
          "....KWWWWWWWWWWWWWWWK...KK................KK......",
          "....KWWWKWWWWWWWKWWWK.............................",
          "....KWWWWKKKKKKKWWWWK.............................",
          ".....KWWWWWWWWWWWWWK..............................",
          "......KWWWWWWWWWWWK...............................",
          ".......KKWWWWWWWKK................................",
          ".........KKKKKKK..................................",
          "..........KWWWK...................................",
          "..........KWWWK...................................",
          "..........KWWWK...................................",
          "..........KWWWK...................................",
      },
      {
          {'.', {128, 128, 0}},    // olive ground
          {'W', {255, 255, 255}},  // the sleeper's face and neck
          {'K', {0, 0, 0}},        // outline, squinting eyes, smile, the notes
          {'R', {255, 0, 0}},      // the cross over the notes
      });
}

}  // namespace

const PixelImage& SnoozePicture() {
  static const PixelImage picture = DrawSnooze();
  return picture;
}

const PixelImage& RepeatOffPicture() {
  static const PixelImage picture = DrawRepeatOff();
  return picture;
}

const std::vector<std::uint8_t>& SnoozeGlyphData() {
  static const std::vector<std::uint8_t> data = StoredBitmap(SnoozePicture());
  return data;
}

const std::vector<std::uint8_t>& RepeatOffGlyphData() {
  static const std::vector<std::uint8_t> data = StoredBitmap(RepeatOffPicture());
  return data;
}

}  // namespace dz
