#pragma once
// TForm1 on fakes: virtual time for both its clock and its timers, a
// scripted sound device, recorded boxes and shell requests, a scripted file
// dialog, and a temporary folder as the program's folder. The helpers reach
// the handlers the way the user does: through a click on the control, a key
// to the window, a mouse move, or time passing for the timers.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "alarm/Unit1.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeMci.h"
#include "fakes/FakeShell.h"
#include "fakes/HostFileSystem.h"
#include "fakes/TempFolder.h"
#include "fakes/VirtualClock.h"
#include "fakes/VirtualScheduler.h"
#include "media/MciConstants.h"
#include "runtime/LocaleFormats.h"
#include "runtime/Platform.h"
#include "ui/ControlPeer.h"
#include "ui/OpenDialog.h"

namespace dz {

// Every window of the form, recording the areas it is asked to repaint.
using RepaintLog = std::map<std::string, std::vector<TRect>>;  // by control name

class AlarmPeer final : public ControlPeer {
 public:
  AlarmPeer(TWinControl& control, RepaintLog& log) : control_(control), log_(log) {}
  void Changed(PeerChange) override {}
  void Invalidate(const TRect& area) override { log_[control_.Name()].push_back(area); }
  void SetFocus() override {}

 private:
  TWinControl& control_;
  RepaintLog& log_;
};

class AlarmPeers final : public PeerFactory {
 public:
  std::unique_ptr<ControlPeer> CreatePeer(TWinControl& control) override {
    return std::make_unique<AlarmPeer>(control, invalidated);
  }
  RepaintLog invalidated;
};

// The song dialog: answers each run with the next scripted choice; none
// left is a cancel.
class ScriptedFileDialogs final : public FileDialogs {
 public:
  bool ExecuteOpen(OpenFileRequest& request) override {
    shownWith.push_back(request.fileName);
    if (choices.empty()) return false;
    const std::string choice = choices.front();
    choices.erase(choices.begin());
    if (choice.empty()) return false;
    request.fileName = choice;
    return true;
  }
  std::vector<std::string> choices;  // "" is a cancel
  std::vector<std::string> shownWith;
};

inline constexpr std::int64_t kSongMs = 180000;  // the song lasts three minutes

class AlarmFixture : public ::testing::Test {
 protected:
  AlarmFixture() : files(folder.Folder()) {
    mci.trackStatus[{mci::kStatusLength, 1}] = kSongMs;
    mci.status[mci::kStatusLength] = kSongMs;
    mci.errorTexts[275] = "Cannot find the specified file.";
    ScreenOff = false;
    SnoozeOnKey = false;
    SnoozeRepeatMark.clear();
    savedLocale = FormatSettings();
  }
  ~AlarmFixture() override {
    form.reset();
    scope.reset();
    FormatSettings() = savedLocale;
  }

  // Further ports a group of tests fakes as well.
  virtual void AddPorts(Platform&) {}

  // Builds the window at the given local time on 7 December 2026 (a
  // Monday), shows it and gives it the focus, so the settings are read.
  void Start(int hour, int minute, int second = 0, int millisecond = 0, bool activate = true) {
    clock = std::make_unique<VirtualClock>(scheduler, 2026, 12, 7, hour, minute, second, millisecond);
    Platform platform;
    platform.clock = clock.get();
    platform.timers = &scheduler;
    platform.dialogs = &dialogs;
    platform.files = &files;
    platform.shell = &shell;
    platform.mci = &mci;
    platform.peers = &peers;
    platform.fileDialogs = &fileDialogs;
    AddPorts(platform);
    scope = std::make_unique<ScopedPlatform>(platform);
    form = std::make_unique<TForm1>();
    form->Show();
    if (activate) form->HandleActivate();
  }

  // The sound file in the program's folder, and the settings naming it.
  std::string Song(const std::string& name = "song.mp3") {
    folder.Put(name, "ID3");
    return folder.File(name);
  }
  void Settings(const std::string& bytes) { folder.Put(kSettingsFileName, bytes); }
  void SettingsWithSong(const std::string& hour, const std::string& minute,
                        const std::string& repeat = "2", const std::string& snooze = "5") {
    Settings(Song() + "\r\n" + hour + "\r\n" + minute + "\r\n" + repeat + "\r\n" + snooze + "\r\n");
  }

  // --- the user's input ----------------------------------------------------

  static void Click(TControl& control) {
    if (auto* button = dynamic_cast<TButton*>(&control)) {
      button->HandleClick();
      return;
    }
    const int x = control.Width() / 2, y = control.Height() / 2;
    if (control.IsWindowed()) {
      auto& windowed = static_cast<TWinControl&>(control);
      windowed.HandleMouseDown(mbLeft, ssLeft, x, y);
      windowed.HandleMouseUp(mbLeft, 0, x, y);
    } else {
      TWinControl& parent = *control.Parent();
      parent.HandleMouseDown(mbLeft, ssLeft, control.Left() + x, control.Top() + y);
      parent.HandleMouseUp(mbLeft, 0, control.Left() + x, control.Top() + y);
    }
  }
  static void Tick(TCheckBox& box) { box.HandleChecked(!box.Checked()); }
  static void Type(TWinControl& control, const std::string& text) { control.HandleTextEdited(text); }
  // A character key typed in the window.
  char Key(char key = 'a') {
    form->HandleKeyPress(key);
    return key;
  }
  // The mouse moving over a control (windowless: over its place in the parent).
  static void MoveOver(TControl& control) {
    const int x = control.Width() / 2, y = control.Height() / 2;
    if (control.IsWindowed()) {
      static_cast<TWinControl&>(control).HandleMouseMove(0, x, y);
    } else {
      control.Parent()->HandleMouseMove(0, control.Left() + x, control.Top() + y);
    }
  }
  // The player's Stop button, pressed from the keyboard.
  void PressPlayerStop() {
    std::uint16_t right = vkRight, space = vkSpace;
    form->MediaPlayer1->HandleKeyDown(right, 0);
    form->MediaPlayer1->HandleKeyDown(space, 0);
  }
  // The player's Play button, pressed from the keyboard.
  void PressPlayerPlay() {
    std::uint16_t left = vkLeft, space = vkSpace;
    form->MediaPlayer1->HandleKeyDown(left, 0);
    form->MediaPlayer1->HandleKeyDown(space, 0);
  }
  // The window's close box.
  void CloseBox() { form->HandleCloseRequest(); }

  // --- time ----------------------------------------------------------------

  // Time passes with the thread busy a second at a time: every timer ticks
  // at most once a second, the slower ones at their own times.
  void Pass(std::int64_t ms) {
    while (ms > 0) {
      const std::int64_t step = std::min<std::int64_t>(ms, 1000);
      scheduler.Advance(static_cast<std::uint64_t>(step));
      ms -= step;
    }
  }
  void PassMinutes(std::int64_t minutes) { Pass(minutes * 60000); }
  // Until the clock reads hh:mm:ss (today, or tomorrow if that has passed).
  void PassUntil(int hour, int minute, int second = 0) {
    const LocalTime now = clock->Now();
    const std::int64_t nowMs = ((now.hour * 60 + now.minute) * 60 + now.second) * 1000LL + now.millisecond;
    std::int64_t target = ((hour * 60 + minute) * 60 + second) * 1000LL;
    if (target <= nowMs) target += kMsPerDay;
    Pass(target - nowMs);
  }

  // --- what the user sees and hears ----------------------------------------

  int Plays() const { return mci.Count(mci::kPlay); }
  int Stops() const { return mci.Count(mci::kStop); }
  // Plays that did not start at the song's beginning. A play is taken to
  // run to the song's end, where a later play without a rewind is silent;
  // an open or a seek to the start puts the song back at its beginning.
  int PlaysNotFromTheStart() const {
    int count = 0;
    bool atStart = true;
    for (const MciRequest& r : mci.requests) {
      if (r.command == mci::kOpen || (r.command == mci::kSeek && (r.flags & mci::kSeekToStart))) {
        atStart = true;
      } else if (r.command == mci::kPlay) {
        if (!atStart) ++count;
        atStart = false;
      }
    }
    return count;
  }
  std::vector<std::string> Errors() const { return dialogs.ErrorTexts(); }
  std::vector<std::string> Notices() const { return dialogs.NoticeTexts(); }
  int PowerOffs() const {
    return static_cast<int>(std::count(shell.displayPower.begin(), shell.displayPower.end(), 2L));
  }
  int PowerOns() const {
    return static_cast<int>(std::count(shell.displayPower.begin(), shell.displayPower.end(), -1L));
  }

  TempFolder folder{"dz-alarm"};
  VirtualScheduler scheduler;
  std::unique_ptr<VirtualClock> clock;
  FakeDialogs dialogs;
  HostFileSystem files;
  FakeShell shell;
  FakeMci mci;
  AlarmPeers peers;
  ScriptedFileDialogs fileDialogs;
  LocaleFormats savedLocale;
  std::unique_ptr<ScopedPlatform> scope;
  std::unique_ptr<TForm1> form;
};

}  // namespace dz
