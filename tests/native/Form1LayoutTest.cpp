#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "alarm/Unit1.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FixedClock.h"
#include "fakes/HostFileSystem.h"
#include "fakes/TempFolder.h"
#include "fakes/VirtualScheduler.h"
#include "runtime/Platform.h"
#include "runtime/Shell.h"

namespace dz {
namespace {

std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find("\r\n", start);
    lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) return lines;
    start = end + 2;
  }
}

class Form1LayoutTest : public ::testing::Test {
 protected:
  Form1LayoutTest() {
    Platform platform;
    platform.timers = &scheduler;
    platform.dialogs = &dialogs;
    platform.clock = &clock;
    platform.files = &files;  // the Exit button writes the settings here
    scope = std::make_unique<ScopedPlatform>(platform);
    form = std::make_unique<TForm1>();
  }

  VirtualScheduler scheduler;
  FakeDialogs dialogs;
  FixedClock clock{2026, 12, 7, 22, 30};
  TempFolder folder{"dz-layout"};
  HostFileSystem files{folder.Folder()};
  std::unique_ptr<ScopedPlatform> scope;
  std::unique_ptr<TForm1> form;
};

TEST_F(Form1LayoutTest, WindowAndPanelAreAsLaidOut) {
  EXPECT_EQ(form->Caption(), "Dozewell  Version 3.0");
  EXPECT_EQ(form->BoundsRect(), Bounds(51, 30, 1093, 800));
  EXPECT_EQ(form->WindowState(), wsMaximized);
  EXPECT_EQ(form->Color(), clGray);
  EXPECT_EQ(form->Font().Name, "MS Sans Serif");
  EXPECT_EQ(form->Font().Height, 11);
  EXPECT_EQ(form->Font().Charset, DEFAULT_CHARSET_ID);
  EXPECT_FALSE(form->Visible());

  EXPECT_EQ(form->Panel1->BoundsRect(), Bounds(8, 8, 649, 545));
  EXPECT_EQ(form->Panel1->Color(), clAqua);
  EXPECT_EQ(form->Panel1->BevelOuter(), bvRaised);
  EXPECT_EQ(form->Panel1->BevelInner(), bvNone);
  EXPECT_EQ(form->Panel1->BevelWidth(), 3);
  EXPECT_EQ(form->Panel1->BorderWidth(), 3);
  EXPECT_EQ(form->Panel1->BorderStyle(), bsSingle);
  EXPECT_TRUE(form->Panel1->ParentFont());
}

TEST_F(Form1LayoutTest, SpotCheckOfPlacesParentsAndFonts) {
  EXPECT_EQ(form->Label2->Parent(), form->Panel1);
  EXPECT_EQ(form->Label2->BoundsRect(), Bounds(32, 64, 561, 251));
  EXPECT_TRUE(form->Label2->Transparent());
  EXPECT_EQ(form->Label2->Font().Name, "Arial");
  EXPECT_EQ(form->Label2->Font().Height, 220);
  EXPECT_EQ(form->Label2->Font().Style, TFontStyles{fsBold});
  EXPECT_EQ(form->Label2->Font().Color, clMaroon);
  EXPECT_EQ(form->Label2->Font().Charset, ANSI_CHARSET_ID);
  EXPECT_EQ(form->Label6->Alignment(), taRightJustify);
  EXPECT_EQ(form->Label9->Font().Style, TFontStyles{fsUnderline});
  EXPECT_EQ(form->Label13->Parent(), form.get());
  EXPECT_EQ(form->Label13->Font().Style, TFontStyles{fsBold | fsUnderline});
  EXPECT_EQ(form->Label16->Font().Color, clSilver);
  EXPECT_EQ(form->Label7->Caption(), "h:m:  ");
  EXPECT_EQ(form->Label10->Caption(),
            "Test sound file.   Make sure volume is set high \r\nenough to wake you.");
  EXPECT_EQ(form->ButtonOff->BoundsRect(), Bounds(16, 488, 529, 41));
  EXPECT_EQ(form->ButtonOff->Caption(), "Switch off screen - Go to sleep");
  EXPECT_EQ(form->MediaPlayer1->BoundsRect(), Bounds(16, 432, 57, 30));
  EXPECT_EQ(form->btnSnooze->BoundsRect(), Bounds(384, 328, 253, 153));
  EXPECT_EQ(form->RepeatOffBtn->BoundsRect(), Bounds(384, 328, 125, 153));
  EXPECT_TRUE(form->btnSnooze->Visible());
  EXPECT_FALSE(form->RepeatOffBtn->Visible());
  EXPECT_EQ(form->btnSnooze->AlignText2Glyph(), taBottom);
  EXPECT_EQ(form->btnSnooze->Glyph().Width, 32);
  EXPECT_EQ(form->RepeatOffBtn->Glyph().Width, 50);
  EXPECT_EQ(form->RepeatOffBtn->NumGlyphs(), 1);
  EXPECT_EQ(form->RTFLabel1->BoundsRect(), Bounds(16, 712, 921, 17));
  EXPECT_EQ(form->RTFLabel2->BoundsRect(), Bounds(16, 728, 905, 17));
  // Edits take the window's font through the panel.
  EXPECT_EQ(form->EditRepeatMin->Font(), form->Font());
  EXPECT_EQ(form->EditSnooze->Text(), "5");
  EXPECT_EQ(form->EditRepeatMin->Text(), "2");
}

TEST_F(Form1LayoutTest, ComboBoxesHoldTheirListsAndTypingLimits) {
  ASSERT_EQ(form->ComboBoxH->Items().size(), 24u);
  EXPECT_EQ(form->ComboBoxH->Items().front(), "00");
  EXPECT_EQ(form->ComboBoxH->Items().back(), "23");
  EXPECT_EQ(form->ComboBoxH->ItemIndex(), 6);
  EXPECT_EQ(form->ComboBoxH->Text(), "06");
  EXPECT_EQ(form->ComboBoxM->Items(),
            (std::vector<std::string>{"0", "5", "10", "15", "20", "25", "30", "35", "40", "45",
                                      "50", "55"}));
  EXPECT_EQ(form->ComboBoxM->Text(), "50");
  for (TComboBox* box : {form->ComboBoxH, form->ComboBoxM}) {
    EXPECT_EQ(box->MaxLength(), 2);
    EXPECT_FALSE(box->AutoComplete());
    EXPECT_EQ(box->ItemHeight(), 16);
    EXPECT_EQ(box->Color(), clWindow);
  }
  for (TCheckBox* box : {form->ChkPlay, form->ChkRepeat, form->ChkFlash}) EXPECT_TRUE(box->Checked());
  EXPECT_EQ(form->ChkRepeat->Caption(), "Repeat song after ");
}

TEST_F(Form1LayoutTest, InstructionsAndTipsAreExact) {
  const std::vector<std::string> instructions = SplitCrLf(form->Label16->Caption());
  ASSERT_EQ(instructions.size(), 18u);
  EXPECT_EQ(instructions[0], "1. Set the hour and minute.  ");
  EXPECT_EQ(instructions[1],
            "2. Set the repeat time for the song. This time will applied to the end of the song");
  EXPECT_EQ(instructions[12], "8. Select the \"Switch off screen\" button to switch off the screen.");
  EXPECT_EQ(instructions[14], "10. Restart the alarm program if the computer was switched off. ");
  EXPECT_EQ(instructions[15], "      It does not start automatically.");
  EXPECT_EQ(instructions[17], "      your flight or meeting or get to work late.");

  const std::vector<std::string> tips = SplitCrLf(form->Label19->Caption());
  ASSERT_EQ(tips.size(), 9u);
  EXPECT_EQ(tips[0], "1. Make sure the date and time is correct to avoid problems if you traveled ");
  EXPECT_EQ(tips[3], "     is a double check.");
  EXPECT_EQ(tips[4], "3.  The time display is big so you can see it from your bed. ");
  EXPECT_EQ(tips[6], "    if you need the computer before the alarm activates it.  In this case shut");
  EXPECT_EQ(tips[8], "    switch off the screen.");

  const std::vector<std::string> note = SplitCrLf(form->Label14->Caption());
  ASSERT_EQ(note.size(), 9u);
  EXPECT_EQ(note[8], "");
  const std::vector<std::string> notice = SplitCrLf(form->Label15->Caption());
  ASSERT_EQ(notice.size(), 8u);
  EXPECT_EQ(notice[7], "www.dozewell.example");
  EXPECT_NE(form->LblURL->Caption().find("www.dozewell.example"), std::string::npos);
  EXPECT_EQ(form->LblURL->Caption().front(), '[');
  EXPECT_EQ(form->LblURL->Caption().back(), ']');
}

TEST_F(Form1LayoutTest, RichTextDocumentsAreBuiltFromTheFivePieces) {
  const std::string head =
      "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Arial;}}\r\n"
      "{\\colortbl ;\\red255\\green255\\blue0;\\red0\\green255\\blue255;}\r\n"
      "\\viewkind4\\uc1\\pard\\cf1\\lang1033\\b\\f0\\fs20 ";
  const std::string tail = std::string("\r\n\\par }\r\n") + '\0';
  for (auto [label, gap] : {std::pair{form->RTFLabel1, std::string("   ")},
                            std::pair{form->RTFLabel2, std::string("  ")}}) {
    const std::string& doc = label->RichText();
    ASSERT_GT(doc.size(), head.size() + tail.size());
    EXPECT_EQ(doc.substr(0, head.size()), head);
    EXPECT_EQ(doc.substr(doc.size() - tail.size()), tail);
    const std::string middle = ":\\cf0\\b0\\fs16" + gap + "\\cf2 ";
    const auto at = doc.find(middle);
    ASSERT_NE(at, std::string::npos);
    EXPECT_GT(at, head.size());  // a product name comes first
    EXPECT_EQ(doc.find('\0'), doc.size() - 1);
  }
}

TEST_F(Form1LayoutTest, TabOrderWithinThePanel) {
  std::vector<std::string> names;
  for (TWinControl* c : form->Panel1->TabList()) names.push_back(c->Name());
  EXPECT_EQ(names, (std::vector<std::string>{"ComboBoxH", "ComboBoxM", "ChkPlay", "ChkRepeat",
                                             "EditRepeatMin", "BtnVolume", "MediaPlayer1",
                                             "ButtonOff", "BitBtnClose", "EditSnooze", "btnSnooze",
                                             "RepeatOffBtn", "ChkFlash"}));
  EXPECT_EQ(form->Panel1->TabOrder(), 0);
}

TEST_F(Form1LayoutTest, HintsShowOnlyOverThePlayerTheSnoozeEditAndTheSnoozeButton) {
  std::vector<std::string> hinted;
  for (TComponent* c : form->Components()) {
    if (auto* control = dynamic_cast<TControl*>(c)) {
      // The window is shown for the hint to be able to appear at all.
      form->SetVisible(true);
      if (control->Showing() && control->ShowHint() && !control->Hint().empty()) hinted.push_back(control->Name());
    }
  }
  EXPECT_EQ(hinted, (std::vector<std::string>{"MediaPlayer1", "EditSnooze", "btnSnooze"}));
  EXPECT_EQ(form->EditSnooze->Hint(), "Set Snooze minutes the evening before");
  EXPECT_EQ(form->MediaPlayer1->Hint(), "Test the song to see if the volume is high enough");
  EXPECT_EQ(form->btnSnooze->Hint(), "set time for the Snoozing below");
}

TEST_F(Form1LayoutTest, TheFourLinksShowAHandAndShareOneClickHandler) {
  std::vector<std::string> hands;
  for (TComponent* c : form->Components()) {
    if (auto* control = dynamic_cast<TControl*>(c); control && control->Cursor() == crHandPoint) {
      hands.push_back(control->Name());
      EXPECT_TRUE(control->OnClick) << control->Name();
    }
  }
  EXPECT_EQ(hands, (std::vector<std::string>{"Label20", "LblURL", "RTFLabel1", "RTFLabel2"}));
  EXPECT_FALSE(form->Label13->OnClick);
  EXPECT_FALSE(form->Label2->OnClick);
}

// Mouse moves reach the handler bound to FormMouseMove over the window
// background, the bare panel and the labels 14, 16 and 19 only.
TEST_F(Form1LayoutTest, MouseMovesReachTheWakeHandlerOnlyWhereBound) {
  std::vector<std::string> reached;
  for (TComponent* c : form->Components()) {
    auto* control = dynamic_cast<TControl*>(c);
    if (!control || !control->OnMouseMove) continue;
    control->OnMouseMove = [&reached, inner = control->OnMouseMove](TObject* s, TShiftState sh,
                                                                     int x, int y) {
      reached.push_back(static_cast<TComponent*>(s)->Name());
      inner(s, sh, x, y);
    };
  }
  if (form->OnMouseMove) {
    form->OnMouseMove = [&reached, inner = form->OnMouseMove](TObject* s, TShiftState sh, int x,
                                                             int y) {
      reached.push_back("Form1");
      inner(s, sh, x, y);
    };
  }
  const auto centre = [](TControl* c) {
    return std::pair{c->Left() + c->Width() / 2, c->Top() + c->Height() / 2};
  };
  form->HandleMouseMove(0, 1000, 750);  // background
  for (TLabel* l : {form->Label14, form->Label16, form->Label19, form->Label13, form->Label20}) {
    auto [x, y] = centre(l);
    form->HandleMouseMove(0, x, y);
  }
  form->Panel1->HandleMouseMove(0, 600, 250);  // bare panel
  for (TControl* c : std::initializer_list<TControl*>{form->Label2, form->Label9, form->SpeedButton1,
                                                      form->Label10}) {
    auto [x, y] = centre(c);
    form->Panel1->HandleMouseMove(0, x, y);
  }
  EXPECT_EQ(reached, (std::vector<std::string>{"Form1", "Label14", "Label16", "Label19", "Panel1"}));
}

TEST_F(Form1LayoutTest, TimersRunFromCreationWithTheirIntervals) {
  EXPECT_EQ(form->Timer1->Interval(), 10u);
  EXPECT_EQ(form->Timer2->Interval(), 10000u);
  EXPECT_EQ(form->Timer3->Interval(), 1000u);
  EXPECT_EQ(form->Timer4->Interval(), 300000u);
  EXPECT_EQ(form->TimerSnooze->Interval(), 30000u);
  EXPECT_EQ(form->Timerflash->Interval(), 200u);
  EXPECT_TRUE(form->Timer1->Running());
  EXPECT_TRUE(form->Timer2->Running());
  EXPECT_TRUE(form->Timer3->Running());
  EXPECT_FALSE(form->Timer4->Running());
  EXPECT_FALSE(form->TimerSnooze->Running());
  EXPECT_FALSE(form->Timerflash->Running());
  EXPECT_EQ(scheduler.ActiveCount(), 3u);
  form.reset();
  EXPECT_EQ(scheduler.ActiveCount(), 0u);
}

TEST_F(Form1LayoutTest, OpenDialogAndExitButton) {
  EXPECT_EQ(form->OpenDialog1->Title, "Select a SONG");
  EXPECT_EQ(form->OpenDialog1->Filter, "Audio|*.mp3;*.wav;*avi|Wave file|*.wav|MP3|*.mp3|AVI|*.avi");
  EXPECT_EQ(form->OpenDialog1->FilterIndex, 0);
  EXPECT_EQ(form->OpenDialog1->InitialDir, "c:\\my documents\\my music");
  EXPECT_EQ(form->OpenDialog1->Options, TOpenOptions{ofHideReadOnly | ofEnableSizing});
  EXPECT_EQ(form->OpenDialog1->FileName(), "");

  EXPECT_EQ(form->BitBtnClose->Kind(), bkClose);
  EXPECT_EQ(form->BitBtnClose->NumGlyphs(), 2);
  EXPECT_EQ(form->BitBtnClose->Glyph().Width, 36);
  EXPECT_EQ(form->BitBtnClose->Glyph().Height, 18);
  form->BitBtnClose->HandleClick();
  EXPECT_TRUE(form->Closed());
}

TEST_F(Form1LayoutTest, ColoursFollowTheirParentsSoTheWindowFlashes) {
  EXPECT_EQ(form->Label13->Color(), clGray);
  EXPECT_EQ(form->RTFLabel1->Color(), clGray);
  EXPECT_EQ(form->ChkPlay->Color(), clAqua);
  EXPECT_EQ(form->Label9->Color(), clAqua);
  form->SetColor(clWhite);
  EXPECT_EQ(form->Label13->Color(), clWhite);
  EXPECT_EQ(form->RTFLabel2->Color(), clWhite);
  EXPECT_EQ(form->ChkPlay->Color(), clAqua);
  EXPECT_EQ(form->btnSnooze->Color(), clBtnFace);
  EXPECT_EQ(form->EditSnooze->Color(), clWindow);
}

TEST(Form1ScaleTest, PlacesSizesAndFontsScaleWithTheResolution) {
  VirtualScheduler scheduler;
  FakeDialogs dialogs;
  Platform platform;
  platform.timers = &scheduler;
  platform.dialogs = &dialogs;
  ScopedPlatform scope(platform);
  TForm1 form(nullptr, 1.25);
  EXPECT_EQ(form.Panel1->BoundsRect(), Bounds(10, 10, 811, 681));
  EXPECT_EQ(form.Label2->Font().Height, 275);
  EXPECT_EQ(form.Font().Height, 14);
  EXPECT_EQ(form.Panel1->BevelWidth(), 4);
  EXPECT_EQ(form.ComboBoxH->ItemHeight(), 20);
}

}  // namespace
}  // namespace dz
