// The main window's layout: places, sizes, texts, fonts, colours, tab order,
// hints and event bindings of every control, and the six timers.
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "alarm/Form1Texts.h"
#include "alarm/Unit1.h"
#include "ui/ExitDoorGlyph.h"
#include "ui/SnoozeGlyphs.h"

namespace dz {

namespace {

// Where no font is given the control uses its parent's (in the end the
// window's); kParentFont marks such rows.
inline constexpr int kParentFont = 0;

struct FontSpec {
  int height = kParentFont;  // pixels, at 96 dots per inch
  TFontStyles style = 0;
  TColor color = clWindowText;
};

struct Place {
  int left, top, width, height;
};

class Scaler {
 public:
  explicit Scaler(double factor) : factor_(factor) {}
  int operator()(int value) const { return static_cast<int>(std::lround(value * factor_)); }

  void Apply(TControl& control, const Place& p) const {
    control.SetBounds((*this)(p.left), (*this)(p.top), (*this)(p.width), (*this)(p.height));
  }

  void Apply(TControl& control, const FontSpec& wanted) const {
    if (wanted.height == kParentFont) return;
    TFont font;
    font.Name = "Arial";
    font.Charset = ANSI_CHARSET_ID;
    font.Height = (*this)(wanted.height);
    font.Style = wanted.style;
    font.Color = wanted.color;
    control.SetFont(font);
  }

 private:
  double factor_;
};

std::vector<std::string> TwoDigitHours() {
  std::vector<std::string> items;
  for (int h = 0; h < 24; ++h) items.push_back((h < 10 ? "0" : "") + std::to_string(h));
  return items;
}

std::vector<std::string> FiveMinuteSteps() {
  std::vector<std::string> items;
  for (int m = 0; m < 60; m += 5) items.push_back(std::to_string(m));
  return items;
}

}  // namespace

void TForm1::BuildLayout(double factor) {
  const Scaler scale(factor);

  SetName("Form1");
  SetCaption("Dozewell  Version 3.0");
  scale.Apply(*this, Place{51, 30, 1093, 800});
  SetWindowState(wsMaximized);
  SetColor(clGray);
  TFont windowFont;  // "MS Sans Serif", regular, window text, default character set
  windowFont.Height = scale(11);
  SetFont(windowFont);
  SetKeyPreview(false);

  Panel1 = new TPanel(this);
  Panel1->SetName("Panel1");
  Panel1->SetParent(this);
  scale.Apply(*Panel1, Place{8, 8, 649, 545});
  Panel1->SetCaption("");
  Panel1->SetParentFont(true);
  Panel1->SetColor(clAqua);
  Panel1->SetBevelOuter(bvRaised);
  Panel1->SetBevelInner(bvNone);
  Panel1->SetBevelWidth(scale(3));
  Panel1->SetBorderWidth(scale(3));
  Panel1->SetBorderStyle(bsSingle);
  Panel1->SetTabOrder(0);

  struct LabelRow {
    TLabel* TForm1::*field;
    const char* name;
    TWinControl* parent;
    Place place;
    std::string caption;
    FontSpec font;
    bool transparent = false;
    TAlignment alignment = taLeftJustify;
  };
  const TFontStyles bold = fsBold, underline = fsUnderline;
  const std::vector<LabelRow> labels = {
      {&TForm1::Label13, "Label13", this, {672, 8, 197, 22}, "Note from the author:",
       {19, bold | underline, clWindowText}},
      {&TForm1::Label14, "Label14", this, {672, 40, 359, 126}, AuthorNoteCaption(),
       {11, 0, clWindowText}},
      {&TForm1::Label15, "Label15", this, {672, 160, 381, 112}, FreeSoftwareCaption(),
       {11, 0, clWindowText}},
      {&TForm1::Label17, "Label17", this, {672, 280, 118, 22}, "Instructions:",
       {19, bold | underline, clSilver}},
      {&TForm1::Label16, "Label16", this, {672, 304, 394, 252}, InstructionsCaption(),
       {11, 0, clSilver}},
      {&TForm1::Label18, "Label18", this, {16, 560, 48, 22}, "Tips:",
       {19, bold | underline, clWindowText}},
      {&TForm1::Label19, "Label19", this, {104, 560, 369, 126}, TipsCaption(),
       {11, 0, clWindowText}},
      {&TForm1::Label20, "Label20", this, {16, 688, 239, 19}, "Other software from the author:",
       {16, bold | underline, clYellow}},
      {&TForm1::LblURL, "LblURL", this, {264, 688, 335, 19}, WebSiteLinkCaption(),
       {16, bold, clAqua}},
      {&TForm1::Label9, "Label9", Panel1, {16, 8, 215, 18}, "Present time on your computer:",
       {16, underline, clNavy}},
      {&TForm1::Label11, "Label11", Panel1, {24, 32, 62, 24}, "Today", {21, bold, clMaroon}},
      {&TForm1::Label2, "Label2", Panel1, {32, 64, 561, 251}, "00:00", {220, bold, clMaroon},
       true},
      {&TForm1::Label6, "Label6", Panel1, {529, 16, 99, 18}, "Time to alarm:",
       {16, underline, clNavy}, false, taRightJustify},
      {&TForm1::Label7, "Label7", Panel1, {528, 40, 51, 24}, "h:m:  ", {21, 0, clMaroon}},
      {&TForm1::Label8, "Label8", Panel1, {576, 40, 54, 24}, "00:00", {21, 0, clMaroon}},
      {&TForm1::Label4, "Label4", Panel1, {14, 296, 17, 24}, "h:", {21, 0, clMaroon}},
      {&TForm1::Label5, "Label5", Panel1, {96, 296, 22, 24}, "m:", {21, 0, clMaroon}},
      {&TForm1::Label12, "Label12", Panel1, {184, 344, 150, 16}, "minutes from end of song.",
       {13, 0, clWindowText}},
  };
  const auto makeLabel = [&](const LabelRow& row) {
    TLabel* label = new TLabel(this);
    label->SetName(row.name);
    label->SetParent(row.parent);
    scale.Apply(*label, row.place);
    label->SetTransparent(row.transparent);
    label->SetAlignment(row.alignment);
    scale.Apply(*label, row.font);
    label->SetCaption(row.caption);
    this->*row.field = label;
  };
  // The panel's windowless controls are drawn in creation order, so the
  // speed button comes between Label12 and Label10 as laid out.
  for (const LabelRow& row : labels) makeLabel(row);

  SpeedButton1 = new TSpeedButton(this);
  SpeedButton1->SetName("SpeedButton1");
  SpeedButton1->SetParent(Panel1);
  scale.Apply(*SpeedButton1, Place{16, 368, 217, 41});
  scale.Apply(*SpeedButton1, FontSpec{15, bold, clWindowText});
  SpeedButton1->SetCaption("Select song to wake you up");

  makeLabel({&TForm1::Label10, "Label10", Panel1, {80, 432, 296, 32},
             "Test sound file.   Make sure volume is set high \r\nenough to wake you.",
             {13, bold, clMaroon}});
  makeLabel({&TForm1::Label3, "Label3", Panel1, {488, 304, 106, 16}, "Snooze (minutes):",
             {13, 0, clWindowText}});

  const FontSpec boxFont{13, 0, clWindowText};
  const auto makeCombo = [&](const char* name, Place place, std::vector<std::string> items,
                             int index, int tabOrder) {
    TComboBox* box = new TComboBox(this);
    box->SetName(name);
    box->SetParent(Panel1);
    scale.Apply(*box, place);
    scale.Apply(*box, boxFont);
    box->SetItemHeight(scale(16));
    box->SetMaxLength(2);
    box->SetAutoComplete(false);
    box->SetItems(std::move(items));
    box->SetItemIndex(index);
    box->SetTabOrder(tabOrder);
    return box;
  };
  ComboBoxH = makeCombo("ComboBoxH", {32, 296, 57, 24}, TwoDigitHours(), 6, 1);
  ComboBoxM = makeCombo("ComboBoxM", {120, 296, 57, 24}, FiveMinuteSteps(), 10, 2);

  const auto makeCheck = [&](const char* name, Place place, const char* caption, int tabOrder) {
    TCheckBox* box = new TCheckBox(this);
    box->SetName(name);
    box->SetParent(Panel1);
    scale.Apply(*box, place);
    scale.Apply(*box, boxFont);
    box->SetCaption(caption);
    box->SetChecked(true);
    box->SetTabOrder(tabOrder);
    return box;
  };
  const auto makeEdit = [&](const char* name, Place place, const char* text, int tabOrder) {
    TEdit* edit = new TEdit(this);
    edit->SetName(name);
    edit->SetParent(Panel1);
    scale.Apply(*edit, place);
    edit->SetText(text);
    edit->SetTabOrder(tabOrder);
    return edit;
  };
  const auto makeButton = [&](auto* button, const char* name, Place place, const char* caption,
                              FontSpec font, int tabOrder) {
    button->SetName(name);
    button->SetParent(Panel1);
    scale.Apply(*button, place);
    scale.Apply(*button, font);
    button->SetCaption(caption);
    button->SetTabOrder(tabOrder);
    return button;
  };

  ChkPlay = makeCheck("ChkPlay", {16, 324, 121, 17}, "Sound Alarm?", 3);
  ChkRepeat = makeCheck("ChkRepeat", {16, 344, 129, 17}, "Repeat song after ", 4);
  EditRepeatMin = makeEdit("EditRepeatMin", {144, 342, 33, 21}, "2", 5);
  BtnVolume = makeButton(new TButton(this), "BtnVolume", {240, 368, 137, 41}, "Set volume",
                         {15, bold, clWindowText}, 6);

  MediaPlayer1 = new TMediaPlayer(this);
  MediaPlayer1->Loading();
  MediaPlayer1->SetName("MediaPlayer1");
  MediaPlayer1->SetParent(Panel1);
  scale.Apply(*MediaPlayer1, Place{16, 432, 57, 30});
  MediaPlayer1->SetVisibleButtons({btPlay, btStop});
  MediaPlayer1->SetEnabledButtons({btPlay, btStop});
  MediaPlayer1->SetColoredButtons({btPlay, btStop, btBack});
  MediaPlayer1->SetAutoRewind(false);
  MediaPlayer1->SetHint("Test the song to see if the volume is high enough");
  MediaPlayer1->SetShowHint(true);
  MediaPlayer1->SetTabOrder(7);
  MediaPlayer1->Loaded();

  ButtonOff = makeButton(new TButton(this), "ButtonOff", {16, 488, 529, 41},
                         "Switch off screen - Go to sleep", {21, bold, clWindowText}, 8);
  BitBtnClose = makeButton(new TBitBtn(this), "BitBtnClose", {552, 488, 81, 41}, "Exit",
                           {21, bold, clWindowText}, 9);
  BitBtnClose->SetKind(bkClose);
  BitBtnClose->SetGlyph(ToImage(SideBySide(ExitDoorPicture(), ExitDoorPictureDisabled())));
  BitBtnClose->SetNumGlyphs(2);

  EditSnooze = makeEdit("EditSnooze", {600, 302, 33, 21}, "5", 10);
  EditSnooze->SetHint("Set Snooze minutes the evening before");
  EditSnooze->SetShowHint(true);

  const auto makeGlyphButton = [&](const char* name, Place place, const char* caption,
                                   const std::vector<std::uint8_t>& glyph, int tabOrder) {
    TDzButton* button = makeButton(new TDzButton(this), name, place, caption,
                                   {13, bold, clWindowText}, tabOrder);
    button->SetColor(clBtnFace);
    button->SetAlignText2Glyph(taBottom);
    button->ReadGlyph(glyph);
    button->SetHint("set time for the Snoozing below");
    button->SetShowHint(true);
    return button;
  };
  btnSnooze = makeGlyphButton("btnSnooze", {384, 328, 253, 153}, "Snooze", SnoozeGlyphData(), 11);
  RepeatOffBtn = makeGlyphButton("RepeatOffBtn", {384, 328, 125, 153}, "Repeat off",
                                 RepeatOffGlyphData(), 12);
  RepeatOffBtn->SetVisible(false);

  ChkFlash = makeCheck("ChkFlash", {144, 324, 233, 17}, "Flash screen on Alarm?", 13);

  const auto makeRichLabel = [&](const char* name, Place place, std::string document) {
    TRTFLabel* label = new TRTFLabel(this);
    label->SetName(name);
    label->SetParent(this);
    scale.Apply(*label, place);
    label->SetCursor(crHandPoint);
    label->SetRichText(std::move(document));
    return label;
  };
  RTFLabel1 = makeRichLabel("RTFLabel1", {16, 712, 921, 17}, RTFLabel1Document());
  RTFLabel2 = makeRichLabel("RTFLabel2", {16, 728, 905, 17}, RTFLabel2Document());
  Label20->SetCursor(crHandPoint);
  LblURL->SetCursor(crHandPoint);

  OpenDialog1 = new TOpenDialog(this);
  OpenDialog1->SetName("OpenDialog1");
  OpenDialog1->Title = "Select a SONG";
  OpenDialog1->Filter = "Audio|*.mp3;*.wav;*avi|Wave file|*.wav|MP3|*.mp3|AVI|*.avi";
  OpenDialog1->FilterIndex = 0;
  OpenDialog1->InitialDir = "c:\\my documents\\my music";
  OpenDialog1->Options = ofHideReadOnly | ofEnableSizing;
}

// Bound after the controls took their values, so that building the window
// runs no handler.
void TForm1::BindEvents() {
  OnActivate = [this](TObject* s) { FormActivate(s); };
  OnStartupIdle = [this](TObject* s) { FormStartupIdle(s); };
  OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
  OnSessionEnd = [this](TObject* s) { FormSessionEnd(s); };
  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnKeyPress = [this](TObject* s, char& k) { FormKeyPress(s, k); };
  const TMouseMoveEvent formMouseMove = [this](TObject* s, TShiftState sh, int x, int y) {
    FormMouseMove(s, sh, x, y);
  };
  for (TControl* c : {static_cast<TControl*>(this), static_cast<TControl*>(Panel1),
                      static_cast<TControl*>(Label14), static_cast<TControl*>(Label16),
                      static_cast<TControl*>(Label19)}) {
    c->OnMouseMove = formMouseMove;
  }
  const TNotifyEvent lblURLClick = [this](TObject* s) { LblURLClick(s); };
  for (TControl* c : {static_cast<TControl*>(Label20), static_cast<TControl*>(LblURL),
                      static_cast<TControl*>(RTFLabel1), static_cast<TControl*>(RTFLabel2)}) {
    c->OnClick = lblURLClick;
  }
  ComboBoxH->OnEdited = ComboBoxM->OnEdited = [this](TObject*) { AlarmTimeEdited(); };
  ButtonOff->OnClick = [this](TObject* s) { ButtonOffClick(s); };
  ChkRepeat->OnClick = [this](TObject* s) { ChkRepeatClick(s); };
  EditRepeatMin->OnChange = [this](TObject* s) { EditRepeatMinChange(s); };
  MediaPlayer1->OnClick = [this](TObject* s, TMPBtnType b, bool& d) {
    PlayerButtonPressed(b);
    MediaPlayer1Click(s, b, d);
  };
  // The safeguards hear of the alarm time and the player's notices here.
  ComboBoxH->OnChange = [this](TObject*) { AlarmTimeChanged(); };
  ComboBoxM->OnChange = [this](TObject*) { AlarmTimeChanged(); };
  MediaPlayer1->OnNotify = [this](TObject*) { PlayerNotified(); };
  btnSnooze->OnClick = [this](TObject* s) { BtnSnoozeClick(s); };
  RepeatOffBtn->OnClick = [this](TObject* s) { RepeatOffBtnClick(s); };
  SpeedButton1->OnClick = [this](TObject* s) { SpeedButton1Click(s); };
  BtnVolume->OnClick = [this](TObject* s) { BtnVolumeClick(s); };
}

void TForm1::StartTimers() {
  struct TimerRow {
    TTimer* TForm1::*field;
    std::uint32_t interval;
    bool enabled;
    void (TForm1::*handler)();
  };
  static constexpr TimerRow kTimers[] = {
      {&TForm1::Timer1, 10, true, &TForm1::Timer1Timer},
      {&TForm1::Timer2, 10000, true, &TForm1::Timer2Timer},
      {&TForm1::Timer3, 1000, true, &TForm1::Timer3Timer},
      {&TForm1::Timer4, 300000, false, &TForm1::Timer4Timer},
      {&TForm1::TimerSnooze, 30000, false, &TForm1::TimerSnoozeTimer},
      {&TForm1::Timerflash, 200, false, &TForm1::TimerflashTimer},
  };
  int i = 0;
  for (const TimerRow& row : kTimers) {
    timers_[i] = std::make_unique<TTimer>();
    TTimer& timer = *timers_[i++];
    this->*row.field = &timer;
    timer.SetEnabled(row.enabled);
    timer.SetInterval(row.interval);
    // Setting the handler starts the enabled ones.
    timer.SetOnTimer([this, handler = row.handler] { (this->*handler)(); });
  }
}

}  // namespace dz
