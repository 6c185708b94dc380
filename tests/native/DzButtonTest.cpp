// The glyph button's behaviour without a screen: pointer, keys, auto-repeat,
// drop-down, glyph strips and the stored glyphs of the window.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fakes/RasterCanvas.h"
#include "fakes/VirtualScheduler.h"
#include "runtime/Exceptions.h"
#include "runtime/Platform.h"
#include "ui/DzApplication.h"
#include "ui/DzButton.h"
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/SnoozeGlyphs.h"
#include "ui/StoredBitmap.h"

namespace dz {
namespace {

Image Blank(int w, int h) { return ToImage(PixelImage(w, h, {9, 9, 9})); }

void Paint(TDzCustomButton& button, bool pressed = false) {
  RasterCanvas canvas(button.Width(), button.Height());
  button.DrawItem(canvas, pressed, false);
}

TEST(DzButtonPointer, EnterCountsOnlyOnANormalFaceLeaveAlwaysEndsTheHotFace) {
  TDzButton button(nullptr);
  int enters = 0, exits = 0;
  button.OnMouseEnter = [&](TObject*) { ++enters; };
  button.OnMouseExit = [&](TObject*) { ++exits; };
  button.MouseEnter();
  Paint(button);
  EXPECT_EQ(button.DrawState(), TDzDrawState::Hot);
  button.MouseLeave();
  EXPECT_FALSE(button.MouseInside());
  EXPECT_EQ(button.DrawState(), TDzDrawState::Normal);
  Paint(button, true);
  button.MouseEnter();
  button.SetEnabled(false);
  Paint(button);
  button.MouseEnter();
  EXPECT_EQ(enters, 1);
  EXPECT_FALSE(button.MouseInside());
  button.MouseLeave();
  EXPECT_EQ(exits, 2);
}

TEST(DzButtonPointer, AHotButtonHiddenAndShownAgainUnderThePointerIsHotAgain) {
  TDzButton button(nullptr);
  button.MouseEnter();
  Paint(button);
  button.SetVisible(false);  // as Snooze swaps the two buttons in one place
  button.SetVisible(true);
  button.MouseEnter();
  Paint(button);
  EXPECT_EQ(button.DrawState(), TDzDrawState::Hot);
}

TEST(DzButtonKeys, EnterFollowsActiveEscapeTheCancelButtonAltTheAccelerator) {
  TForm form(nullptr);
  auto* button = new TDzButton(&form);
  auto* other = new TButton(&form);
  auto* edit = new TEdit(&form);
  for (TControl* c : std::vector<TControl*>{button, other, edit}) c->SetParent(&form);
  form.Show();
  button->SetCaption("&Snooze");
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };

  button->SetFocus();
  EXPECT_TRUE(form.HandleDialogKey(vkReturn, 0));
  EXPECT_FALSE(form.HandleDialogKey(vkReturn, ssShift));
  other->SetFocus();  // another push button is the one Enter clicks
  EXPECT_FALSE(button->Active());
  EXPECT_FALSE(form.HandleDialogKey(vkReturn, 0));
  button->SetDefault(true);
  edit->SetFocus();  // not a button: the default one is active
  EXPECT_TRUE(form.HandleDialogKey(vkReturn, 0));
  EXPECT_FALSE(form.HandleDialogKey(vkEscape, 0));
  button->SetCancel(true);
  EXPECT_TRUE(form.HandleDialogKey(vkEscape, 0));
  EXPECT_TRUE(form.HandleDialogKey('S', ssAlt));
  EXPECT_FALSE(form.HandleDialogKey('X', ssAlt));
  button->SetVisible(false);
  EXPECT_FALSE(form.HandleDialogKey(vkReturn, 0));
  EXPECT_EQ(clicks, 4);
}

TEST(DzButtonKeys, AnAmpersandWrittenTwiceIsNoAccelerator) {
  TForm form(nullptr);
  auto* button = new TDzButton(&form);
  button->SetParent(&form);
  form.Show();
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  button->SetCaption("Rock && Roll");
  EXPECT_FALSE(form.HandleDialogKey('R', ssAlt));
  button->SetCaption("R&&&B");  // "&" then the accelerator B
  EXPECT_FALSE(form.HandleDialogKey('&', ssAlt));
  EXPECT_TRUE(form.HandleDialogKey('B', ssAlt));
  EXPECT_EQ(clicks, 1);
}

class DzButtonRepeat : public ::testing::Test {
 protected:
  DzButtonRepeat() {
    button->SetParent(&form);
    form.Show();
    button->SetRepeatedClick(true);
    button->OnClick = [this](TObject*) { ++clicks; };
  }
  VirtualScheduler timers;
  ScopedPlatform scope{[this] {
    Platform p;
    p.timers = &timers;
    return p;
  }()};
  TForm form{nullptr};
  TDzButton* button = new TDzButton(&form);
  int clicks = 0;
};

TEST_F(DzButtonRepeat, ClicksAfterTheDelayThenEveryIntervalWhileThePointerIsOver) {
  button->MouseEnter();
  button->MouseDown(mbLeft, ssLeft, 5, 5);
  EXPECT_TRUE(button->Focused()) << "a press takes the focus";
  timers.RunFor(499);
  EXPECT_EQ(clicks, 0);
  timers.RunFor(301);
  EXPECT_EQ(clicks, 4);
  button->MouseLeave();
  timers.RunFor(300);
  EXPECT_EQ(clicks, 4);
  button->MouseEnter();
  timers.RunFor(100);
  EXPECT_EQ(clicks, 5);
  button->MouseUp(mbLeft, 0, 5, 5);
  timers.RunFor(1000);
  EXPECT_EQ(clicks, 5);
  EXPECT_EQ(timers.ActiveCount(), 0u);

  button->MouseDown(mbLeft, ssLeft, 5, 5);
  button->SetVisible(false);
  EXPECT_EQ(button->RepeatTimer(), 0);
  EXPECT_FALSE(button->MouseInside());
  EXPECT_EQ(timers.ActiveCount(), 0u);
}

TEST_F(DzButtonRepeat, NoMoreThan250PoolTimers) {
  TDzApplication& app = TDzApplication::Instance();
  std::vector<int> taken;
  while (app.TimersInUse() < TDzApplication::kMaxPoolTimers) taken.push_back(app.AcquireTimer(1000, [] {}));
  try {
    button->MouseDown(mbLeft, ssLeft, 5, 5);
    ADD_FAILURE() << "no timer was left";
  } catch (const EOutOfResources& e) {
    EXPECT_EQ(e.Message(), "Not enough timers available");
  }
  EXPECT_TRUE(button->Focused()) << "the press itself went through";
  app.ReleaseTimer(taken.back());
  taken.pop_back();
  button->MouseDown(mbLeft, ssLeft, 5, 5);
  EXPECT_NE(button->RepeatTimer(), 0);
  for (int id : taken) app.ReleaseTimer(id);
}

TEST(DzButtonDropDown, ClickRunsOnClickThenTheMenuWithTheButtonHeldDownUntilItCloses) {
  TForm form(nullptr);
  auto* button = new TDzButton(&form);
  button->SetParent(&form);
  button->SetBounds(10, 20, 75, 25);
  auto* menu = new TPopupMenu(&form);
  button->SetDropDownMenu(menu);
  button->SetDropDownIndent(4);
  std::vector<std::string> order;
  button->OnClick = [&](TObject*) { order.push_back("click"); };
  button->OnDropDown = [&](TObject*) { order.push_back("drop"); };
  menu->OnPopup = [&](TObject*) {
    order.push_back("popup");
    Paint(*button);
    EXPECT_EQ(button->DrawState(), TDzDrawState::Pressed);
    button->Click();  // a plain click while it shows
  };
  button->Click();
  EXPECT_EQ(order, (std::vector<std::string>{"click", "drop", "popup", "click"}));
  EXPECT_EQ(menu->PopupPoint(), (TPoint{14, 45}));
  EXPECT_FALSE(button->DroppingDown());
  Paint(*button);
  EXPECT_EQ(button->DrawState(), TDzDrawState::Normal);

  button->SetDropDownRight(true);
  button->OnDropDown = [](TObject*) { throw Exception("no menu today"); };
  EXPECT_THROW(button->Click(), Exception);
  EXPECT_FALSE(button->DroppingDown()) << "a failing handler does not leave it down";
  delete menu;
  EXPECT_EQ(button->DropDownMenu(), nullptr);
}

TEST(DzButtonGlyph, NumGlyphsFollowsTheWidthOnlyWhenTheGlyphIsSetAtRunTime) {
  TDzButton button(nullptr);
  button.SetGlyph(Blank(64, 32));
  EXPECT_EQ(button.NumGlyphs(), 2);
  button.SetGlyph(Blank(50, 32));
  EXPECT_EQ(button.NumGlyphs(), 2);
  button.SetGlyph(Blank(192, 32));
  EXPECT_EQ(button.NumGlyphs(), 1);
  button.ReadGlyph(StoredBitmap(PixelImage(64, 32)));
  EXPECT_EQ(button.NumGlyphs(), 1);
  button.SetNumGlyphs(0);
  EXPECT_EQ(button.NumGlyphs(), 1);
  EXPECT_THROW(button.SetNumGlyphs(6), ERangeError);
}

TEST(DzButtonGlyph, ButtonsShareTheCellsListOfOneSizeAndTheLastOneFreesIt) {
  ASSERT_EQ(TDzGlyphCache::Current(), nullptr);
  auto a = std::make_unique<TDzButton>(nullptr);
  auto b = std::make_unique<TDzButton>(nullptr);
  a->SetGlyph(Blank(32, 32));
  b->SetGlyph(Blank(64, 32));  // two cells of 32 x 32
  Paint(*a);
  Paint(*b);
  Paint(*b, true);
  TDzGlyphCache* cache = TDzGlyphCache::Current();
  ASSERT_NE(cache, nullptr);
  EXPECT_EQ(cache->ListCount(), 1u);
  EXPECT_EQ(cache->ListFor(32, 32).Count(), 3);
  b->SetGlyph({});
  EXPECT_EQ(cache->ListFor(32, 32).Count(), 1);
  a.reset();
  EXPECT_EQ(cache->ListCount(), 0u);
  b.reset();
  EXPECT_EQ(TDzGlyphCache::Current(), nullptr);
}

// --- The window's glyphs ----------------------------------------------------

struct Census {
  int count = 0;
  TRect box{1000, 1000, -1, -1};  // inclusive bounds of the colour's pixels
};

Census Count(const Image& image, TColor colour) {
  Census c;
  for (int y = 0; y < image.Height; ++y) {
    for (int x = 0; x < image.Width; ++x) {
      if (image.At(x, y) != colour) continue;
      ++c.count;
      c.box = {std::min(c.box.Left, x), std::min(c.box.Top, y), std::max(c.box.Right, x),
               std::max(c.box.Bottom, y)};
    }
  }
  return c;
}

Image ReadLayoutGlyph(const std::vector<std::uint8_t>& data, std::uint32_t bmpSize) {
  EXPECT_EQ(data.size(), 4 + bmpSize);
  EXPECT_EQ(data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24, bmpSize);
  return ReadStoredBitmap(data.data(), data.size());
}

TEST(WindowGlyphs, SnoozeIsASleepingGoldenHeadUnderRisingRedZs) {
  const Image g = ReadLayoutGlyph(SnoozeGlyphData(), 3126);
  ASSERT_EQ(g.Width, 32);
  ASSERT_EQ(g.Height, 32);
  const Census ground = Count(g, clGray), head = Count(g, RGBColor(217, 181, 72));
  const Census black = Count(g, clBlack), red = Count(g, clRed);
  EXPECT_EQ(g.BottomLeft(), clGray);
  EXPECT_EQ(ground.count + head.count + black.count + red.count, 32 * 32);
  EXPECT_EQ(head.box, (TRect{7, 8, 25, 31}));
  EXPECT_EQ(black.count, 42);
  EXPECT_GE(black.box.Left, 11);
  EXPECT_LE(black.box.Right, 21);
  EXPECT_GE(black.box.Top, 12);
  EXPECT_LE(black.box.Bottom, 24);
  // Three Z letters: 6 x 6, then two of 3 x 5, each filling its box.
  int inLetters = 0;
  for (const TRect& z : {TRect{18, 6, 23, 11}, TRect{25, 2, 27, 6}, TRect{29, 0, 31, 4}}) {
    for (int y = z.Top; y <= z.Bottom; ++y)
      for (int x = z.Left; x <= z.Right; ++x) inLetters += g.At(x, y) == clRed;
    for (int x = z.Left; x <= z.Right; ++x) EXPECT_TRUE(g.At(x, z.Top) == clRed && g.At(x, z.Bottom) == clRed);
  }
  EXPECT_EQ(inLetters, red.count);
  EXPECT_EQ(red.box, (TRect{18, 0, 31, 11}));
}

TEST(WindowGlyphs, RepeatOffIsAWhiteFaceAndCrossedOutNotesOnOlive) {
  const Image g = ReadLayoutGlyph(RepeatOffGlyphData(), 4918);
  ASSERT_EQ(g.Width, 50);
  ASSERT_EQ(g.Height, 32);
  const Census ground = Count(g, clOlive), white = Count(g, clWhite);
  const Census black = Count(g, clBlack), red = Count(g, clRed);
  EXPECT_EQ(g.BottomLeft(), clOlive);
  EXPECT_EQ(ground.count + white.count + black.count + red.count, 50 * 32);
  EXPECT_EQ(black.count, 158);
  EXPECT_EQ(white.count, 202);
  EXPECT_EQ(red.count, 91);
  EXPECT_EQ(red.box, (TRect{22, 3, 46, 18}));
  EXPECT_GE(white.box.Left, 4);
  EXPECT_LE(white.box.Right, 20);
  EXPECT_GE(white.box.Top, 10);
  EXPECT_EQ(white.box.Bottom, 31) << "the neck reaches the bottom edge";
}

TEST(StoredBitmapTest, DamagedDataIsRefusedWithoutReadingPastIt) {
  std::vector<std::uint8_t> data = StoredBitmap(PixelImage(3, 2, {1, 2, 3}));
  const Image back = ReadStoredBitmap(data.data(), data.size());
  EXPECT_EQ(back.Width, 3);
  EXPECT_EQ(back.At(2, 1), RGBColor(1, 2, 3));
  EXPECT_THROW(ReadStoredBitmap(data.data(), data.size() - 1), Exception);
  std::vector<std::uint8_t> wide = data;
  wide[4 + 18 + 3] = 0x7F;  // over two thousand million pixels wide
  EXPECT_THROW(ReadStoredBitmap(wide.data(), wide.size()), Exception);
  const std::uint8_t empty[4] = {0, 0, 0, 0};
  EXPECT_TRUE(ReadStoredBitmap(empty, 4).Empty());
}

}  // namespace
}  // namespace dz
