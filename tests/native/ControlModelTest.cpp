#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "fakes/FakeDialogs.h"
#include "fakes/RasterCanvas.h"
#include "runtime/Exceptions.h"
#include "runtime/Platform.h"
#include "ui/Buttons.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/OpenDialog.h"
#include "ui/StdCtrls.h"

namespace dz {
namespace {

// Records what the model tells each peer, in order, as "Name:change".
struct PeerLog {
  std::vector<std::string> entries;
  // Runs as a peer goes, with its control: a native window's last messages
  // read the control.
  std::function<void(TWinControl&)> onDestroyed;
};

class RecordingPeer final : public ControlPeer {
 public:
  RecordingPeer(TWinControl& control, PeerLog& log) : control_(control), log_(log) {}
  ~RecordingPeer() override {
    log_.entries.push_back(control_.Name() + ":destroyed");
    if (log_.onDestroyed) log_.onDestroyed(control_);
  }
  void Changed(PeerChange what) override {
    log_.entries.push_back(control_.Name() + ":" + std::to_string(static_cast<int>(what)));
  }
  void Invalidate(const TRect&) override { log_.entries.push_back(control_.Name() + ":invalidate"); }
  void SetFocus() override { log_.entries.push_back(control_.Name() + ":focus"); }

 private:
  TWinControl& control_;
  PeerLog& log_;
};

class RecordingFactory final : public PeerFactory {
 public:
  std::unique_ptr<ControlPeer> CreatePeer(TWinControl& control) override {
    if (control.Name() == refuse) return nullptr;
    return std::make_unique<RecordingPeer>(control, log);
  }
  PeerLog log;
  std::string refuse;  // the control whose window the platform cannot make

  int Count(const std::string& entry) const {
    int n = 0;
    for (const auto& e : log.entries) n += e == entry;
    return n;
  }
};

std::string Entry(const char* name, PeerChange what) {
  return std::string(name) + ":" + std::to_string(static_cast<int>(what));
}

class ControlModelTest : public ::testing::Test {
 protected:
  ControlModelTest() {
    Platform platform;
    platform.dialogs = &dialogs;
    platform.peers = &peers;
    platform.text = &metrics;
    scope = std::make_unique<ScopedPlatform>(platform);
    form = std::make_unique<TForm>(nullptr);
    form->SetName("Form");
    form->SetBounds(0, 0, 400, 300);
  }

  struct Box {
    int left, top, width, height;
  };
  template <class T>
  T* Add(const char* name, TWinControl* parent, Box box) {
    T* control = new T(form.get());
    control->SetName(name);
    control->SetParent(parent);
    control->SetBounds(box.left, box.top, box.width, box.height);
    return control;
  }

  FakeDialogs dialogs;
  RecordingFactory peers;
  RasterCanvas metrics{1, 1};
  std::unique_ptr<ScopedPlatform> scope;
  std::unique_ptr<TForm> form;
};

// --- colour following ---------------------------------------------------

TEST_F(ControlModelTest, FormColourReachesChildrenWithoutAColourOfTheirOwn) {
  auto* label = Add<TLabel>("Label", form.get(), {10, 10, 50, 20});
  auto* check = Add<TCheckBox>("Check", form.get(), {10, 40, 50, 20});
  auto* edit = Add<TEdit>("Edit", form.get(), {10, 70, 50, 20});
  auto* button = Add<TButton>("Button", form.get(), {10, 100, 50, 20});
  auto* own = Add<TLabel>("Own", form.get(), {10, 130, 50, 20});
  own->SetColor(clNavy);
  form->SetColor(clGray);
  form->Show();

  form->SetColor(clWhite);
  EXPECT_EQ(label->Color(), clWhite);
  EXPECT_EQ(check->Color(), clWhite);
  EXPECT_EQ(edit->Color(), clWindow);
  EXPECT_EQ(button->Color(), clBtnFace);
  EXPECT_EQ(own->Color(), clNavy);
  // The windowed follower repaints with the window; the others are not told.
  EXPECT_EQ(peers.Count(Entry("Check", PeerChange::Color)), 1);
  EXPECT_EQ(peers.Count(Entry("Edit", PeerChange::Color)), 0);
  EXPECT_EQ(peers.Count(Entry("Button", PeerChange::Color)), 0);
}

TEST_F(ControlModelTest, ChildrenOfAColouredPanelFollowThePanelNotTheForm) {
  auto* panel = Add<TPanel>("Panel", form.get(), {0, 0, 200, 200});
  panel->SetColor(clAqua);
  auto* label = Add<TLabel>("Label", panel, {10, 10, 50, 20});
  auto* check = Add<TCheckBox>("Check", panel, {10, 40, 50, 20});
  form->SetColor(clWhite);
  EXPECT_EQ(label->Color(), clAqua);
  EXPECT_EQ(check->Color(), clAqua);
  label->SetParentColor(true);  // switching it on again is not a change
  EXPECT_EQ(label->Color(), clAqua);
}

TEST_F(ControlModelTest, FontFollowsTheParentUntilTheControlGetsItsOwn) {
  TFont windowFont;
  windowFont.Height = 11;
  form->SetFont(windowFont);
  auto* edit = Add<TEdit>("Edit", form.get(), {0, 0, 30, 20});
  EXPECT_EQ(edit->Font(), windowFont);
  TFont arial;
  arial.Name = "Arial";
  arial.Height = 13;
  edit->SetFont(arial);
  windowFont.Height = 20;
  form->SetFont(windowFont);
  EXPECT_EQ(edit->Font(), arial);
}

// --- change events --------------------------------------------------------

TEST_F(ControlModelTest, ProgramChangeOfATextRunsOnChangeAndAnEqualTextRunsNothing) {
  auto* edit = Add<TEdit>("Edit", form.get(), {0, 0, 30, 20});
  form->Show();
  int changes = 0;
  edit->OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, edit);
    ++changes;
  };
  edit->SetText("7");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(peers.Count(Entry("Edit", PeerChange::Text)), 1);
  edit->SetText("7");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(peers.Count(Entry("Edit", PeerChange::Text)), 1);
}

TEST_F(ControlModelTest, UsersTypingGoesThroughTheSetterWithoutEchoToThePeer) {
  auto* edit = Add<TEdit>("Edit", form.get(), {0, 0, 30, 20});
  form->Show();
  int changes = 0;
  edit->OnChange = [&](TObject*) { ++changes; };
  edit->HandleTextEdited("12");
  EXPECT_EQ(edit->Text(), "12");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(peers.Count(Entry("Edit", PeerChange::Text)), 0);
  edit->HandleTextEdited("12");  // the echo of a program change
  EXPECT_EQ(changes, 1);
}

TEST_F(ControlModelTest, AFailingChangeHandlerIsReportedAndTheSettingCallerGoesOn) {
  auto* edit = Add<TEdit>("Edit", form.get(), {0, 0, 30, 20});
  edit->OnChange = [](TObject*) { throw EConvertError("'' is not a valid integer value"); };
  bool after = false;
  EXPECT_NO_THROW({
    edit->SetText("");
    edit->SetText("x");
    after = true;
  });
  EXPECT_TRUE(after);
  EXPECT_EQ(edit->Text(), "x");
  ASSERT_EQ(dialogs.ErrorTexts().size(), 1u);
  EXPECT_EQ(dialogs.ErrorTexts()[0], "'' is not a valid integer value.");
}

TEST_F(ControlModelTest, CheckBoxTickChangeRunsOnClickOnceFromEitherSide) {
  auto* check = Add<TCheckBox>("Check", form.get(), {0, 0, 30, 20});
  form->Show();
  int clicks = 0;
  check->OnClick = [&](TObject*) { ++clicks; };
  check->SetChecked(true);
  check->SetChecked(true);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(peers.Count(Entry("Check", PeerChange::Checked)), 1);
  check->HandleChecked(false);
  EXPECT_FALSE(check->Checked());
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(peers.Count(Entry("Check", PeerChange::Checked)), 1);
}

TEST_F(ControlModelTest, ComboBoxTextAndSelectionFollowEachOther) {
  auto* combo = Add<TComboBox>("Combo", form.get(), {0, 0, 30, 20});
  combo->SetItems({"0", "5", "10"});
  int changes = 0;
  combo->OnChange = [&](TObject*) { ++changes; };
  combo->HandleItemSelected(1);
  EXPECT_EQ(combo->Text(), "5");
  EXPECT_EQ(changes, 1);
  combo->SetText("05");  // padded text is no item
  EXPECT_EQ(combo->ItemIndex(), -1);
  combo->SetText("10");
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(changes, 3);
  // Program texts are not cut to the typing limit.
  combo->SetMaxLength(2);
  combo->SetText("123");
  EXPECT_EQ(combo->Text(), "123");
}

// --- mouse routing ---------------------------------------------------------

class MouseRoutingTest : public ControlModelTest {
 protected:
  MouseRoutingTest() {
    panel = Add<TPanel>("Panel", form.get(), {200, 0, 200, 200});
    bound = Add<TLabel>("Bound", form.get(), {10, 10, 50, 20});
    unbound = Add<TLabel>("Unbound", form.get(), {10, 40, 50, 20});
    over = Add<TLabel>("Over", form.get(), {30, 40, 50, 20});  // over Unbound's right half
    inPanel = Add<TLabel>("InPanel", panel, {10, 10, 50, 20});
    for (TLabel* label : {bound, unbound, over, inPanel}) label->SetAutoSize(false);
    const auto record = [this](TObject* sender, TShiftState, int x, int y) {
      moves.push_back({static_cast<TComponent*>(sender)->Name(), x, y});
    };
    form->OnMouseMove = record;
    panel->OnMouseMove = record;
    bound->OnMouseMove = record;
    over->OnMouseMove = record;
  }
  struct Move {
    std::string sender;
    int x, y;
  };
  TPanel* panel;
  TLabel *bound, *unbound, *over, *inPanel;
  std::vector<Move> moves;
};

TEST_F(MouseRoutingTest, BackgroundAndBoundLabelReachTheHandlerOthersConsumeTheMove) {
  form->HandleMouseMove(0, 100, 150);  // background
  form->HandleMouseMove(0, 15, 12);    // bound label, in its own coordinates
  form->HandleMouseMove(0, 15, 45);    // unbound label: consumed, nothing runs
  panel->HandleMouseMove(0, 150, 150);  // bare panel
  panel->HandleMouseMove(0, 20, 20);    // unbound label in the panel
  ASSERT_EQ(moves.size(), 3u);
  EXPECT_EQ(moves[0].sender, "Form");
  EXPECT_EQ(moves[1].sender, "Bound");
  EXPECT_EQ(moves[1].x, 5);
  EXPECT_EQ(moves[1].y, 2);
  EXPECT_EQ(moves[2].sender, "Panel");
}

TEST_F(MouseRoutingTest, TheTopmostWindowlessChildTakesTheEventAndHiddenOnesAreSkipped) {
  form->HandleMouseMove(0, 45, 45);  // Unbound and Over overlap: Over was made later
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(moves[0].sender, "Over");
  over->SetVisible(false);
  unbound->SetVisible(false);
  form->HandleMouseMove(0, 45, 45);
  ASSERT_EQ(moves.size(), 2u);
  EXPECT_EQ(moves[1].sender, "Form");
}

TEST_F(MouseRoutingTest, AWindowlessClickNeedsPressAndReleaseOverTheControl) {
  int clicks = 0;
  bound->OnClick = [&](TObject*) { ++clicks; };
  form->HandleMouseDown(mbLeft, 0, 15, 15);
  form->HandleMouseUp(mbLeft, 0, 20, 15);
  EXPECT_EQ(clicks, 1);
  // Pressed on the label, released on the background: the release still
  // goes to the label, which does not click.
  form->HandleMouseDown(mbLeft, 0, 15, 15);
  form->HandleMouseUp(mbLeft, 0, 150, 150);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(form->CursorAt(15, 15), crDefault);
  bound->SetCursor(crHandPoint);
  EXPECT_EQ(form->CursorAt(15, 15), crHandPoint);
}

TEST_F(MouseRoutingTest, ADoubleClickOnALinkClicksOnce) {
  int clicks = 0, doubles = 0;
  bound->OnClick = [&](TObject*) { ++clicks; };
  bound->OnDblClick = [&](TObject*) { ++doubles; };
  form->HandleMouseDown(mbLeft, 0, 15, 15);
  form->HandleMouseUp(mbLeft, 0, 15, 15);
  form->HandleMouseDown(mbLeft, ssDouble, 15, 15);
  form->HandleMouseUp(mbLeft, 0, 15, 15);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(doubles, 1);
}

TEST_F(MouseRoutingTest, ACancelledPressFiresNothingAndLetsTheFaceUp) {
  auto* speed = Add<TSpeedButton>("Speed", form.get(), {100, 100, 60, 30});
  int clicks = 0;
  speed->OnClick = [&](TObject*) { ++clicks; };
  bound->OnClick = [&](TObject*) { ++clicks; };
  form->HandleMouseDown(mbLeft, ssLeft, 110, 110);
  ASSERT_TRUE(speed->Pressed());
  form->HandleCancelMode();
  EXPECT_FALSE(speed->Pressed());
  form->HandleMouseMove(ssLeft, 112, 112);  // the face no longer follows the pointer
  EXPECT_FALSE(speed->Pressed());
  form->HandleMouseUp(mbLeft, 0, 112, 112);
  form->HandleMouseDown(mbLeft, ssLeft, 15, 15);  // a link label's click
  form->HandleCancelMode();
  form->HandleMouseUp(mbLeft, 0, 15, 15);
  EXPECT_EQ(clicks, 0);
}

class ScriptedMenus final : public PopupMenus {
 public:
  int Track(const std::vector<MenuEntry>& entries, int x, int y) override {
    shown.push_back(entries.size());
    at = {x, y};
    return choice;
  }
  int choice = -1;
  std::vector<std::size_t> shown;
  TPoint at;
};

TEST_F(MouseRoutingTest, TheMenuKeyOrARightClickOffersThePopupMenuUnlessAHandlerTookIt) {
  ScriptedMenus menus;
  Platform platform = CurrentPlatform();
  platform.menus = &menus;
  ScopedPlatform withMenus(platform);
  auto* menu = new TPopupMenu(form.get());
  std::string chosen;
  menu->Add("Play", [&](TObject* item) { chosen = static_cast<TMenuItem*>(item)->Caption; });
  menu->Add("Stop");
  form->SetPopupMenu(menu);

  // The label under the pointer is asked first; without a menu of its own
  // the form's shows.
  std::vector<TPoint> asked;
  bound->OnContextPopup = [&](TObject*, TPoint pos, bool&) { asked.push_back(pos); };
  menus.choice = 0;
  EXPECT_TRUE(form->HandleContextPopup({15, 12}, {515, 312}));
  EXPECT_EQ(asked, (std::vector<TPoint>{TPoint{5, 2}}));
  EXPECT_EQ(menus.shown, std::vector<std::size_t>{2});
  EXPECT_EQ(menus.at, (TPoint{515, 312}));
  EXPECT_EQ(chosen, "Play");

  bound->OnContextPopup = [&](TObject*, TPoint, bool& handled) { handled = true; };
  EXPECT_TRUE(form->HandleContextPopup({15, 12}, {0, 0}));
  EXPECT_EQ(menus.shown.size(), 1u);

  delete menu;
  EXPECT_EQ(form->PopupMenu(), nullptr);
  EXPECT_FALSE(form->HandleContextPopup({100, 150}, {0, 0})) << "nothing to offer: the parent window may";
}

// --- keys, activation, closing -----------------------------------------------

TEST_F(ControlModelTest, KeyPreviewShowsTheFormEveryKeyBeforeTheFocusedControl) {
  auto* edit = Add<TEdit>("Edit", form.get(), {0, 0, 30, 20});
  form->Show();
  edit->SetFocus();
  std::vector<std::string> order;
  form->OnKeyPress = [&](TObject*, char&) { order.push_back("form"); };
  edit->OnKeyPress = [&](TObject*, char&) { order.push_back("edit"); };
  char key = 'a';
  EXPECT_TRUE(form->HandleKeyPress(key));
  EXPECT_EQ(order, std::vector<std::string>{"edit"});  // preview off
  form->SetKeyPreview(true);
  order.clear();
  EXPECT_TRUE(form->HandleKeyPress(key));
  EXPECT_EQ(order, (std::vector<std::string>{"form", "edit"}));
  // A failing preview handler is reported, and the key still goes on.
  form->OnKeyPress = [&](TObject*, char&) { throw Exception("No MCI device open"); };
  order.clear();
  EXPECT_TRUE(form->HandleKeyPress(key));
  EXPECT_EQ(order, std::vector<std::string>{"edit"});
  EXPECT_EQ(dialogs.ErrorTexts().size(), 1u);
}

TEST_F(ControlModelTest, OnActivateRunsAtTheFirstActivationOnly) {
  int activations = 0;
  form->OnActivate = [&](TObject*) { ++activations; };
  form->HandleActivate();
  form->HandleActivate();
  EXPECT_EQ(activations, 1);
}

TEST_F(ControlModelTest, AFailingCloseHandlerKeepsTheFormOpenAndTheNextCloseTriesAgain) {
  form->Show();
  bool fail = true;
  int closeCalls = 0;
  form->OnClose = [&](TObject*, TCloseAction&) {
    ++closeCalls;
    if (fail) throw EInOutError(5);
  };
  form->HandleCloseRequest();
  EXPECT_FALSE(form->Closed());
  EXPECT_EQ(dialogs.ErrorTexts(), std::vector<std::string>{"File access denied."});
  EXPECT_EQ(peers.Count(Entry("Form", PeerChange::Closed)), 0);
  fail = false;
  form->HandleCloseRequest();
  EXPECT_TRUE(form->Closed());
  EXPECT_EQ(closeCalls, 2);
  EXPECT_EQ(peers.Count(Entry("Form", PeerChange::Closed)), 1);
}

TEST_F(ControlModelTest, CloseActionNoneKeepsTheFormOpen) {
  form->OnClose = [](TObject*, TCloseAction& action) { action = caNone; };
  form->Close();
  EXPECT_FALSE(form->Closed());
}

TEST_F(ControlModelTest, ACloseKindBitmapButtonClosesItsFormThroughTheCloseHandler) {
  auto* panel = Add<TPanel>("Panel", form.get(), {0, 0, 200, 200});
  auto* exit = Add<TBitBtn>("Exit", panel, {10, 10, 80, 40});
  exit->SetKind(bkClose);
  int closeCalls = 0, clicks = 0;
  form->OnClose = [&](TObject*, TCloseAction&) { ++closeCalls; };
  exit->OnClick = [&](TObject*) { ++clicks; };
  exit->HandleClick();
  EXPECT_TRUE(form->Closed());
  EXPECT_EQ(closeCalls, 1);
  EXPECT_EQ(clicks, 0);
}

// --- focus, peers, ownership ------------------------------------------------

TEST_F(ControlModelTest, FocusGoesOnlyToControlsThatCanTakeIt) {
  auto* edit = Add<TEdit>("Edit", form.get(), {0, 0, 30, 20});
  auto* hidden = Add<TEdit>("Hidden", form.get(), {0, 30, 30, 20});
  hidden->SetVisible(false);
  form->Show();
  edit->SetFocus();
  hidden->SetFocus();
  EXPECT_EQ(form->ActiveControl(), edit);
  EXPECT_TRUE(edit->Focused());
  delete edit;
  EXPECT_EQ(form->ActiveControl(), nullptr);
}

TEST_F(ControlModelTest, PeersAreMadeParentFirstAndDestroyedChildrenFirst) {
  auto* panel = Add<TPanel>("Panel", form.get(), {0, 0, 200, 200});
  Add<TEdit>("Edit", panel, {0, 0, 30, 20});
  form->Show();
  ASSERT_NE(panel->Peer(), nullptr);
  peers.log.entries.clear();
  form.reset();
  std::vector<std::string> destroyed;
  for (const auto& e : peers.log.entries) {
    if (e.ends_with(":destroyed")) destroyed.push_back(e);
  }
  EXPECT_EQ(destroyed, (std::vector<std::string>{"Edit:destroyed", "Panel:destroyed", "Form:destroyed"}));
}

TEST_F(ControlModelTest, WindowsGoWhileTheWholeControlStillExists) {
  class TProbeForm final : public TForm {
   public:
    using TForm::TForm;
    const char* ClassName() const override { return "TProbeForm"; }
  };
  auto probe = std::make_unique<TProbeForm>(nullptr);
  probe->SetName("Probe");
  auto* panel = new TPanel(probe.get());
  panel->SetName("Panel");
  panel->SetParent(probe.get());
  auto* edit = new TEdit(probe.get());
  edit->SetName("Edit");
  edit->SetParent(panel);
  probe->Show();
  probe->Close();
  std::vector<std::string> gone;
  peers.log.onDestroyed = [&](TWinControl& control) {
    std::string entry = control.Name() + " " + control.ClassName();
    if (auto* closing = dynamic_cast<TForm*>(&control)) entry += closing->Closed() ? " closed" : " open";
    gone.push_back(entry);
  };
  probe.reset();
  EXPECT_EQ(gone, (std::vector<std::string>{"Edit TEdit", "Panel TPanel", "Probe TProbeForm closed"}));
}

TEST_F(ControlModelTest, AControlWhoseWindowCannotBeMadeFailsTheShow) {
  Add<TEdit>("Edit", form.get(), {0, 0, 30, 20});
  peers.refuse = "Edit";
  try {
    form->Show();
    FAIL() << "Show went on without the edit's window";
  } catch (const EOutOfResources& error) {
    EXPECT_EQ(error.Message(), "Error creating window");
  }
}

TEST_F(ControlModelTest, WithoutAFactoryControlsWorkWithoutPeers) {
  Platform bare;
  bare.dialogs = &dialogs;
  ScopedPlatform noPeers(bare);
  TForm standalone(nullptr);
  auto* edit = new TEdit(&standalone);
  edit->SetParent(&standalone);
  standalone.Show();
  EXPECT_EQ(edit->Peer(), nullptr);
  int changes = 0;
  edit->OnChange = [&](TObject*) { ++changes; };
  edit->SetText("3");
  EXPECT_EQ(changes, 1);
}

TEST_F(ControlModelTest, FocusLeavesAndEntersTheControlsAroundItInNestingOrder) {
  auto* left = Add<TPanel>("Left", form.get(), {0, 0, 100, 100});
  auto* right = Add<TPanel>("Right", form.get(), {100, 0, 100, 100});
  auto* a = Add<TEdit>("A", left, {0, 0, 30, 20});
  auto* b = Add<TEdit>("B", right, {0, 0, 30, 20});
  auto* c = Add<TEdit>("C", right, {0, 30, 30, 20});
  std::vector<std::string> log;
  for (TWinControl* control : std::initializer_list<TWinControl*>{left, right, a, b, c}) {
    control->OnEnter = [&log, control](TObject*) { log.push_back("enter " + control->Name()); };
    control->OnExit = [&log, control](TObject*) { log.push_back("exit " + control->Name()); };
  }
  form->Show();
  a->SetFocus();
  b->SetFocus();
  c->HandleFocusReceived();
  EXPECT_EQ(log, (std::vector<std::string>{"enter Left", "enter A", "exit A", "exit Left",
                                           "enter Right", "enter B", "exit B", "enter C"}));
}

TEST_F(ControlModelTest, AnchoredControlsKeepTheirEdgesWithinTheirConstraints) {
  auto* panel = Add<TPanel>("Panel", form.get(), {0, 0, 200, 100});
  auto* plain = Add<TEdit>("Plain", panel, {10, 10, 50, 20});
  auto* right = Add<TEdit>("Right", panel, {140, 10, 50, 20});
  right->SetAnchors(akTop | akRight);
  auto* stretched = Add<TEdit>("Stretched", panel, {10, 50, 180, 20});
  stretched->SetAnchors(akLeft | akTop | akRight | akBottom);
  stretched->SetConstraints({0, 0, 220, 0});
  panel->SetBounds(0, 0, 260, 130);
  EXPECT_EQ(plain->BoundsRect(), Bounds(10, 10, 50, 20));
  EXPECT_EQ(right->BoundsRect(), Bounds(200, 10, 50, 20));
  EXPECT_EQ(stretched->BoundsRect(), Bounds(10, 50, 220, 50));
  stretched->SetConstraints({100, 0, 0, 40});
  EXPECT_EQ(stretched->BoundsRect(), Bounds(10, 50, 220, 40));
}

TEST_F(ControlModelTest, TabListFollowsTabOrderNotCreation) {
  auto* a = Add<TEdit>("A", form.get(), {0, 0, 30, 20});
  auto* b = Add<TEdit>("B", form.get(), {0, 0, 30, 20});
  auto* c = Add<TEdit>("C", form.get(), {0, 0, 30, 20});
  c->SetTabOrder(0);
  a->SetTabOrder(2);
  b->SetTabOrder(1);
  EXPECT_EQ(form->TabList(), (std::vector<TWinControl*>{c, b, a}));
}

// --- labels ---------------------------------------------------------------------

TEST_F(ControlModelTest, AutoSizeLabelFitsItsCaptionAndARightAlignedOneKeepsItsRightEdge) {
  TFont font;
  font.Height = 10;  // cells of 5 pixels, lines of 13
  auto* left = Add<TLabel>("Left", form.get(), {100, 10, 50, 20});
  left->SetFont(font);
  left->SetCaption("abcd");
  EXPECT_EQ(left->BoundsRect(), Bounds(100, 10, 20, 13));

  auto* right = Add<TLabel>("Right", form.get(), {100, 40, 50, 20});
  right->SetAlignment(taRightJustify);
  right->SetFont(font);
  right->SetCaption("abc");
  EXPECT_EQ(right->Left() + right->Width(), 150);
  EXPECT_EQ(right->Width(), 15);
  right->SetCaption("abcdefgh");
  EXPECT_EQ(right->Left() + right->Width(), 150);
  EXPECT_EQ(right->Width(), 40);
}

TEST_F(ControlModelTest, MultiLineCaptionBreaksAtCrLfAndATrailingBreakAddsALine) {
  TFont font;
  font.Height = 10;
  auto* label = Add<TLabel>("Label", form.get(), {0, 0, 10, 10});
  label->SetFont(font);
  label->SetCaption("one\r\nthree\r\n");
  EXPECT_EQ(label->Height(), 3 * 13);
  EXPECT_EQ(label->Width(), 25);
  label->SetCaption("");  // an empty caption still has one line
  EXPECT_EQ(label->Height(), 13);
}

// --- file-open dialog -------------------------------------------------------------

class ScriptedFileDialogs final : public FileDialogs {
 public:
  bool ExecuteOpen(OpenFileRequest& request) override {
    seen = request;
    if (!choice.empty()) request.fileName = choice;
    return !choice.empty();
  }
  std::string choice;  // empty: the user cancels
  OpenFileRequest seen;
};

TEST(OpenDialogTest, ACancelKeepsTheFileNameAndAChoiceReplacesIt) {
  ScriptedFileDialogs files;
  Platform platform;
  platform.fileDialogs = &files;
  ScopedPlatform scope(platform);
  TOpenDialog dialog(nullptr);
  dialog.Title = "Select a SONG";
  dialog.FilterIndex = 0;
  dialog.SetFileName("C:\\Alarm\\wakeup.wav");
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(dialog.FileName(), "C:\\Alarm\\wakeup.wav");
  EXPECT_EQ(files.seen.fileName, "C:\\Alarm\\wakeup.wav");
  EXPECT_EQ(files.seen.title, "Select a SONG");
  EXPECT_EQ(files.seen.filterIndex, 0);
  files.choice = "C:\\Music\\song.mp3";
  EXPECT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FileName(), "C:\\Music\\song.mp3");
}

}  // namespace
}  // namespace dz
