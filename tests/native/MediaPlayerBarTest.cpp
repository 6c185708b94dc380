// The media player's bar as the program sets it up (Play and Stop shown,
// 57 x 30), pixel by pixel on the raster canvas and through the dispatcher
// as the user's mouse and keys reach it.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "fakes/FakeDialogs.h"
#include "fakes/FakeFaceResources.h"
#include "fakes/FakeMci.h"
#include "fakes/RasterCanvas.h"
#include "media/MediaPlayer.h"
#include "runtime/Platform.h"
#include "ui/Forms.h"

namespace dz {
namespace {

using namespace mci;

const TColor kFace = RGBColor(192, 192, 192);
const TColor kGrey = RGBColor(128, 128, 128);
const TColor kDot = kFace ^ 0xFFFFFFu;  // the button face under a focus rectangle's dot
const TRect kPlayCell{0, 0, 29, 30}, kStopCell{28, 0, 57, 30};

// Windows that say whether they have the keyboard focus.
struct FocusPeers final : PeerFactory {
  struct Peer final : ControlPeer {
    explicit Peer(const bool& focused) : focused_(focused) {}
    void Changed(PeerChange) override {}
    void Invalidate(const TRect&) override {}
    void SetFocus() override {}
    bool HasKeyboardFocus() const override { return focused_; }
    const bool& focused_;
  };
  std::unique_ptr<ControlPeer> CreatePeer(TWinControl&) override { return std::make_unique<Peer>(focused); }
  bool focused = false;
};

class MediaPlayerBarTest : public ::testing::Test {
 protected:
  MediaPlayerBarTest() {
    // As the window's stored layout makes MediaPlayer1.
    player->Loading();
    player->SetParent(&form);
    player->SetBounds(16, 432, 57, 30);
    player->SetVisibleButtons({btPlay, btStop});
    player->SetEnabledButtons({btPlay, btStop});
    player->SetColoredButtons({btPlay, btStop, btBack});
    player->SetAutoRewind(false);
    player->Loaded();
    player->SetFileName("C:\\Alarm\\song.wav");
    form.Show();
  }
  RasterCanvas Paint() {
    RasterCanvas canvas(player->Width(), player->Height(), clFuchsia);
    player->Paint(canvas);
    return canvas;
  }
  const Picture& Face(FaceStyle style, TMPBtnType kind) { return player->Face(style, kind); }
  void Key(std::uint16_t key) { player->HandleKeyDown(key, 0); }
  void Click(int x, int y) {
    player->HandleMouseDown(mbLeft, ssLeft, x, y);
    player->HandleMouseUp(mbLeft, 0, x, y);
  }

  FakeMci mci;
  FakeDialogs dialogs;
  FocusPeers peers;
  ScopedPlatform scope{[this] {
    Platform p;
    p.mci = &mci;
    p.dialogs = &dialogs;
    p.peers = &peers;
    return p;
  }()};
  TForm form{nullptr};
  TMediaPlayer* player = new TMediaPlayer(&form);
};

// Every pixel of the face with its top-left at x, y; its olive ground shows
// the button face.
void ExpectFaceAt(const RasterCanvas& canvas, const Picture& face, int x, int y) {
  int wrong = 0;
  for (int fy = 0; fy < face.Height(); ++fy) {
    for (int fx = 0; fx < face.Width(); ++fx) {
      const TColor pixel = face.Pixels().At(fx, fy);
      if (canvas.Pixel(x + fx, y + fy) != (pixel == clOlive ? kFace : pixel)) ++wrong;
    }
  }
  EXPECT_EQ(wrong, 0) << "face at " << x << "," << y;
}

// --- painting ----------------------------------------------------------------

TEST_F(MediaPlayerBarTest, TwoCellsOf29ShowDisabledFacesUntilASongIsOpenThenAColouredPlay) {
  EXPECT_EQ(player->CellWidth(), 29);
  EXPECT_EQ(player->BoundsRect(), Bounds(16, 432, 57, 30));
  const RasterCanvas closed = Paint();
  ExpectFaceAt(closed, Face(FaceStyle::Disabled, btPlay), 6, 7);
  ExpectFaceAt(closed, Face(FaceStyle::Disabled, btStop), 34, 7);
  for (int x : {0, 28, 56}) EXPECT_EQ(closed.Pixel(x, 15), clBlack) << x;  // outline, shared border
  EXPECT_EQ(closed.Pixel(1, 1), clWhite);  // raised: light top left, shadow bottom right
  EXPECT_EQ(closed.Pixel(27, 15), kGrey);
  EXPECT_EQ(closed.Pixel(15, 28), kGrey);

  player->Open();
  const RasterCanvas open = Paint();
  ExpectFaceAt(open, Face(FaceStyle::Coloured, btPlay), 6, 7);
  ExpectFaceAt(open, Face(FaceStyle::Disabled, btStop), 34, 7);

  player->HandleMouseDown(mbLeft, ssLeft, 10, 10);
  const RasterCanvas down = Paint();
  ExpectFaceAt(down, Face(FaceStyle::Coloured, btPlay), 7, 8);
  EXPECT_EQ(down.Pixel(1, 1), kGrey);  // sunken: shadow top left only
  EXPECT_EQ(down.Pixel(27, 15), kFace);
}

TEST_F(MediaPlayerBarTest, ASmallBarGrowsToTwoWholeCellsAndWithNothingShownOnlyTheOutlineIsLeft) {
  player->SetBounds(16, 432, 40, 10);
  EXPECT_EQ(player->BoundsRect(), Bounds(16, 432, 57, 20));
  player->SetVisibleButtons({btPlay, btPause, btStop});
  EXPECT_EQ(player->Width(), 85);

  player->Open();
  player->SetVisibleButtons({});
  EXPECT_EQ(player->Width(), 29);
  const RasterCanvas canvas = Paint();
  EXPECT_EQ(canvas.CountColor(clBlack), 2 * 29 + 2 * 18);
  EXPECT_EQ(canvas.CountColor(kFace), 27 * 18);
  player->HandleMouseDown(mbLeft, ssLeft, 10, 10);
  EXPECT_FALSE(player->Tracking());
}

TEST_F(MediaPlayerBarTest, TheFocusRectangleFollowsTheArrowsOnlyWhileTheWindowHasTheKeyboardFocus) {
  EXPECT_EQ(Paint().CountColor(kDot), 0);
  peers.focused = true;
  EXPECT_GT(Paint().CountColor(kDot, kPlayCell), 0);
  Key(vkRight);
  EXPECT_EQ(player->FocusIndex(), btStop);
  EXPECT_EQ(Paint().CountColor(kDot, kPlayCell), 0);
  EXPECT_GT(Paint().CountColor(kDot, kStopCell), 0);

  // Past the last shown kind to the hidden Eject, which shows no rectangle
  // and is not enabled for Space.
  Key(vkRight);
  EXPECT_EQ(player->FocusIndex(), btEject);
  EXPECT_EQ(Paint().CountColor(kDot), 0);
  int clicks = 0;
  player->OnClick = [&](TObject*, TMPBtnType, bool&) { ++clicks; };
  Key(vkSpace);
  EXPECT_EQ(clicks, 0);
  Key(vkLeft);
  EXPECT_EQ(player->FocusIndex(), btStop);
  Key(vkLeft);
  Key(vkLeft);
  EXPECT_EQ(player->FocusIndex(), btPlay);
}

// --- mouse and keys ---------------------------------------------------------

TEST_F(MediaPlayerBarTest, AReleaseOffThePressedCellFiresNothingBackOnItFires) {
  player->Open();
  mci.Clear();
  std::vector<TMPBtnType> clicked;
  player->OnClick = [&](TObject*, TMPBtnType button, bool&) { clicked.push_back(button); };
  player->HandleMouseDown(mbLeft, ssLeft, 10, 10);
  EXPECT_TRUE(player->ShownDown());
  player->HandleMouseMove(ssLeft, 40, 10);
  EXPECT_FALSE(player->ShownDown());
  player->HandleMouseUp(mbLeft, 0, 40, 10);
  EXPECT_TRUE(clicked.empty());
  EXPECT_FALSE(player->Tracking());
  EXPECT_TRUE(mci.requests.empty());

  player->HandleMouseDown(mbLeft, ssLeft, 10, 10);
  player->HandleMouseMove(ssLeft, 40, 10);
  player->HandleMouseMove(ssLeft, 28, 29);  // the shared border is Play's
  player->HandleMouseUp(mbLeft, 0, 28, 29);
  EXPECT_EQ(clicked, std::vector<TMPBtnType>{btPlay});
  EXPECT_EQ(mci.Commands(), std::vector<std::uint32_t>{kPlay});
  EXPECT_EQ(player->LiveFlags(), (TButtonSet{btNext, btPrev, btPause, btStop}));

  // The column after the shared border is still Play's (not live now); the
  // next one is Stop's.
  player->HandleMouseDown(mbLeft, ssLeft, 29, 10);
  EXPECT_FALSE(player->Tracking());
  player->HandleMouseDown(mbLeft, ssLeft, 30, 10);
  EXPECT_EQ(player->PressedButton(), btStop);
  EXPECT_EQ(player->PressedRect(), kStopCell);
}

TEST_F(MediaPlayerBarTest, AHandlerThatClearsDoDefaultStopsTheActionNotTheLiveButtons) {
  player->Open();
  mci.Clear();
  bool posted = false;
  player->OnClick = [](TObject*, TMPBtnType, bool& doDefault) { doDefault = false; };
  player->OnPostClick = [&](TObject*, TMPBtnType) { posted = true; };
  Click(10, 10);
  EXPECT_TRUE(mci.requests.empty());
  EXPECT_FALSE(posted);
  EXPECT_EQ(player->LiveFlags(), (TButtonSet{btNext, btPrev, btPause, btStop}));
}

TEST_F(MediaPlayerBarTest, SpaceOnPlayWithoutASongReportsThatNoDeviceIsOpen) {
  Key(vkSpace);
  EXPECT_EQ(dialogs.ErrorTexts(), std::vector<std::string>{"No MCI device open."});
  EXPECT_TRUE(mci.requests.empty());
}

TEST_F(MediaPlayerBarTest, AFailingClickOrACancelledPressLeavesNothingPressed) {
  player->Open();
  const TButtonSet live = player->LiveFlags();
  player->OnClick = [](TObject*, TMPBtnType, bool&) { throw Exception("Disk full"); };
  Click(10, 10);
  EXPECT_EQ(dialogs.ErrorTexts(), std::vector<std::string>{"Disk full."});
  EXPECT_GT(dialogs.captureCancels, 0);
  EXPECT_FALSE(player->Tracking());
  player->HandleMouseMove(ssLeft, 10, 10);
  EXPECT_FALSE(player->ShownDown());
  EXPECT_EQ(player->LiveFlags(), live);

  player->OnClick = nullptr;
  mci.Clear();
  player->HandleMouseDown(mbLeft, ssLeft, 10, 10);
  player->HandleCancelMode();
  EXPECT_FALSE(player->ShownDown());
  player->HandleMouseUp(mbLeft, 0, 10, 10);
  EXPECT_TRUE(mci.requests.empty());
}

TEST(MediaPlayerFaceLoading, FacesComeFromTheResourcesAndAMissingOneIsDrawnFromSource) {
  FakeFaceResources faces;
  faces.missing = {"CL_MPPLAY"};
  faces.replaced["EN_MPSTOP"] = ToImage(PixelImage(25, 18, {255, 0, 0}));
  Platform p;
  p.faces = &faces;
  ScopedPlatform scope(p);
  TMediaPlayer player(nullptr);
  EXPECT_EQ(faces.asked.size(), 27u);
  EXPECT_EQ(player.MinCellWidth(), 33);
  EXPECT_EQ(player.MinCellHeight(), 22);
  EXPECT_EQ(player.Face(FaceStyle::Enabled, btStop).Width(), 25);
  EXPECT_EQ(player.Face(FaceStyle::Coloured, btPlay).Pixels().Pixels,
            ToImage(DrawnFace(FaceStyle::Coloured, btPlay)).Pixels);
}

}  // namespace
}  // namespace dz
