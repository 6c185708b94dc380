// Thirty nights of a sleepy user's random actions through the real window,
// on virtual time, checking after every step what a bedside alarm promises:
// an armed alarm minute rings exactly once (a sleep over it included), a
// snooze that can end rings at its end, the system is kept awake exactly
// while something can still ring, the settings file holds what the user set
// (a start that cannot read it included), and no two boxes are open at
// once, time passing under a box as it does while one waits for its OK.
// DZ_SOAK_SEED repeats a run; a failure names its seed.
#include <array>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#include "alarm/AlarmTime.h"
#include "fakes/FakeSafeguardPorts.h"
#include "native/AlarmFixture.h"

namespace dz {
namespace {

constexpr std::int64_t kMinute = 60000;

class AlarmSoak : protected FakeSafeguards, public AlarmFixture {
 protected:
  ~AlarmSoak() override { form.reset(); }

  void AddPorts(Platform& platform) override { InstallIn(platform); }

  int Random(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }
  bool Chance(int percent) { return Random(1, 100) <= percent; }

  std::int64_t NowMs() { return MsSinceEpoch(clock->Now()); }
  std::int64_t Evidence() const { return Plays() + sound.starts; }

  // --- what is checked after every step --------------------------------------

  // Remembers the state of the last step and checks the promises against it.
  void Observe() {
    const std::int64_t now = NowMs();
    const bool checkRuns = form->Timer2->Running();
    // An alarm minute that began since the last step with the check armed
    // is owed one ring.
    if (const auto minute = AlarmMinuteOfDay(form->ComboBoxH->Text(), form->ComboBoxM->Text())) {
      const std::int64_t start = LastAlarmStart(now, *minute);
      if (lastCheckRuns_ && start > lastNow_ && start != owedFor_) {
        EXPECT_EQ(owed_, 0) << "an earlier alarm minute never rang, night " << night_;
        owed_ = 1;
        owedFor_ = start;
        owedBy_ = scheduler.Now() + 70000;
      }
    }
    if (lastCheckRuns_ && !form->Timer2->Enabled()) {  // only a ring stops the check
      EXPECT_EQ(owed_, 1) << "a ring no alarm minute asked for, night " << night_;
      owed_ = 0;
      ++rings_;
    }
    if (owed_ && scheduler.Now() > owedBy_) {
      ADD_FAILURE() << "an armed alarm minute did not ring, night " << night_;
      owed_ = 0;
    }
    // A snooze that can end rings at its end.
    if (snoozeDue_ && scheduler.Now() >= *snoozeDue_ + 2000) {
      EXPECT_TRUE(Evidence() > snoozeEvidence_ || sound.Playing())
          << "a snooze ended in silence, night " << night_;
      snoozeDue_.reset();
    }
    if (snoozeDue_ && scheduler.Now() < *snoozeDue_) snoozeEvidence_ = Evidence();
    // Kept awake while something can ring; released once nothing can (the
    // wake-up sound may be half a second on its way).
    const bool canRing = checkRuns || form->Timer4->Running() || form->TimerSnooze->Running() ||
                         sound.Playing();
    if (canRing) {
      EXPECT_TRUE(awake.systemRequired) << "night " << night_;
    } else if (!couldRing_) {
      EXPECT_FALSE(awake.systemRequired) << "night " << night_;
    }
    couldRing_ = canRing;
    EXPECT_LE(dialogs.mostOpenAtOnce, 1) << "night " << night_;
    lastNow_ = now;
    lastCheckRuns_ = checkRuns;
  }

  // Time passes in steps of `step` ms (the thread busy for each).
  void Wait(std::int64_t ms, std::int64_t step = 1000) {
    while (ms > 0) {
      const std::int64_t s = std::min(ms, step);
      scheduler.Advance(static_cast<std::uint64_t>(s));
      ms -= s;
      Observe();
    }
  }
  void WaitUntil(std::int64_t clockMs, std::int64_t step) {
    const std::int64_t now = NowMs();
    if (clockMs > now) Wait(clockMs - now, step);
  }

  // --- what the user does ---------------------------------------------------------

  // A key or the Snooze button; a snooze that starts is owed a ring.
  void Snooze() {
    const bool running = form->TimerSnooze->Running();
    const bool snoozes = Chance(50) || !SnoozeOnKey;
    snoozes ? Click(*form->btnSnooze) : (void)Key();
    if (snoozes && set_[3] != "0") {
      EXPECT_TRUE(form->TimerSnooze->Running()) << "a Snooze started no snooze, night " << night_;
    }
    if (!running && form->TimerSnooze->Running()) {
      snoozeDue_ = scheduler.Now() + form->TimerSnooze->Interval();
      snoozeEvidence_ = Evidence();
    }
    Observe();
  }
  void TypeSetting(TWinControl& control, const std::string& text) {
    Type(control, text);
    Observe();
  }
  // The system sleeps for `ms`, telling of it or not.
  void Sleep(std::int64_t ms, bool told) {
    if (told) power.Raise(PowerChange::Suspending);
    clock->offsetMs += ms;
    if (told) {
      power.Raise(PowerChange::Resumed);
      power.Raise(PowerChange::Resumed);
    }
    Observe();
  }
  using Texts = std::array<std::string, 5>;  // song, hour, minute, repeat, snooze

  Texts UsersTexts() const { return {song_, set_[0], set_[1], set_[2], set_[3]}; }
  Texts ShownTexts() const {
    return {form->MediaPlayer1->FileName(), form->ComboBoxH->Text(), form->ComboBoxM->Text(),
            form->EditRepeatMin->Text(), form->EditSnooze->Text()};
  }
  std::string SavedBytes() const {
    std::ifstream file(folder.File(kSettingsFileName), std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
  }
  static std::string Bytes(const Texts& texts) {
    std::string bytes;
    for (const std::string& text : texts) bytes += text + "\r\n";
    return bytes;
  }
  // What a close must leave in the file. After a start that could not read
  // it, the window showed defaults, not the user's values: only what the
  // user changed since goes in, over the file's lines.
  Texts OwedToFile() const {
    Texts owed = UsersTexts();
    if (shownAtReadFault_) {
      for (std::size_t i = 0; i < owed.size(); ++i) {
        if (owed[i] == (*shownAtReadFault_)[i]) owed[i] = inFile_[i];
      }
    }
    return owed;
  }

  // Exit, then start again with the file written at exit; now and then the
  // file is held by another program at the start, for a while or until the
  // close.
  void Restart() {
    const Texts owed = OwedToFile();
    CloseBox();
    if (!files.readRefused.empty() && owed != inFile_) {
      EXPECT_FALSE(form->Closed()) << "closed with the user's settings unsaved, night " << night_;
      EXPECT_EQ(SavedBytes(), Bytes(inFile_)) << "night " << night_;
      files.readRefused.clear();  // the other program lets go
      CloseBox();
    }
    ASSERT_TRUE(form->Closed()) << "night " << night_;
    EXPECT_EQ(SavedBytes(), Bytes(owed)) << "night " << night_;
    inFile_ = owed;
    files.readRefused.clear();
    const bool readFault = Chance(25);
    if (readFault) files.readRefused[folder.File(kSettingsFileName)] = Chance(50) ? 32 : 5;
    form.reset();
    ScreenOff = false;
    SnoozeOnKey = false;
    SnoozeRepeatMark.clear();
    snoozeDue_.reset();
    lastCheckRuns_ = false;
    couldRing_ = true;
    form = std::make_unique<TForm1>();
    form->Show();
    form->HandleActivate();
    if (readFault) {
      shownAtReadFault_ = ShownTexts();
      if (Chance(60)) files.readRefused.clear();
    } else {
      shownAtReadFault_.reset();
      EXPECT_EQ(ShownTexts(), inFile_) << "night " << night_;
    }
    const Texts shown = ShownTexts();
    song_ = shown[0];
    for (int i = 0; i < 4; ++i) set_[i] = shown[i + 1];
    Observe();
  }

  // Under a box the thread waits for its OK while the timers go on, for a
  // few seconds, a quarter of an hour, or through the night (a box left open
  // at bedtime); a box asked for meanwhile must wait.
  void LetTimePassUnderBoxes() {
    dialogs.whileOpen = [this](const FakeDialogs::Box&) {
      if (dialogs.openNow > 1) return;
      const int chance = Random(1, 100);
      if (chance <= 30) {
        Wait(Random(1, 90) * 10000, 10000);
      } else if (chance <= 40) {
        Wait(Random(60, 600) * kMinute, kMinute);
      }
    };
  }

  std::mt19937 rng;

  std::string song_;
  std::string set_[4] = {"06", "50", "2", "5"};  // hour, minute, repeat, snooze
  Texts inFile_;
  std::optional<Texts> shownAtReadFault_;
  int night_ = 0;
  int rings_ = 0;
  std::int64_t lastNow_ = 0;
  bool lastCheckRuns_ = false;
  bool couldRing_ = true;
  int owed_ = 0;
  std::int64_t owedFor_ = 0;
  std::uint64_t owedBy_ = 0;
  std::optional<std::uint64_t> snoozeDue_;
  std::int64_t snoozeEvidence_ = 0;
};

std::string TwoDigits(int value) { return (value < 10 ? "0" : "") + std::to_string(value); }

TEST_F(AlarmSoak, ThirtyNightsOfRandomUseKeepEveryPromise) {
  unsigned seed = std::random_device{}();
  if (const char* given = std::getenv("DZ_SOAK_SEED")) seed = static_cast<unsigned>(std::stoul(given));
  SCOPED_TRACE("DZ_SOAK_SEED=" + std::to_string(seed));
  rng.seed(seed);

  SettingsWithSong("06", "50");
  song_ = folder.File("song.mp3");
  inFile_ = UsersTexts();
  LetTimePassUnderBoxes();
  Start(4, 0);
  lastNow_ = NowMs();
  Observe();
  for (night_ = 0; night_ < 30; ++night_) {
    // The evening: maybe a fresh start, then tonight's alarm and settings.
    if (Chance(20)) Restart();
    mci.codeFor.erase(mci::kPlay);
    endpoint.muted = Chance(30);
    const int hour = Random(5, 8), minute = Random(0, 59);
    set_[0] = TwoDigits(hour);
    set_[1] = TwoDigits(minute);
    TypeSetting(*form->ComboBoxH, set_[0]);
    TypeSetting(*form->ComboBoxM, set_[1]);
    if (Chance(30)) TypeSetting(*form->EditRepeatMin, set_[2] = std::to_string(Random(0, 5)));
    if (Chance(30)) TypeSetting(*form->EditSnooze, set_[3] = std::to_string(Random(0, 9)));
    if (Chance(30)) Tick(*form->ChkRepeat);
    Wait(4000);  // typing ends
    if (Chance(85)) Click(*form->ButtonOff);
    Observe();
    if (Chance(20)) {  // the song will not play tonight
      Chance(50) ? form->MediaPlayer1->Close() : void(mci.codeFor[mci::kPlay] = 296);
    }
    const std::int64_t today = NowMs() - NowMs() % kMsPerDay;
    std::int64_t alarm = today + (hour * 60 + minute) * kMinute;
    if (alarm <= NowMs() + 5 * kMinute) alarm += kMsPerDay;

    // The night, with a sleep across the alarm minute or before it.
    const int sleep = Random(1, 100);
    if (sleep <= 25) {
      WaitUntil(alarm - Random(1, 60) * kMinute, kMinute);
      Sleep(Random(62, 120) * kMinute, sleep <= 18);
    } else if (sleep <= 35) {
      WaitUntil(alarm - 50 * kMinute, kMinute);
      Sleep(Random(10, 40) * kMinute, true);
    }
    WaitUntil(alarm - 10 * kMinute, kMinute);
    WaitUntil(alarm - kMinute, 10000);
    Wait(3 * kMinute);

    // The morning: random actions a minute or five apart.
    const std::int64_t morningEnd = NowMs() + 40 * kMinute;
    while (NowMs() < morningEnd) {
      switch (Random(0, 7)) {
        case 0:
        case 1: Snooze(); break;
        case 2: PressPlayerStop(); break;
        case 3: Tick(*form->ChkRepeat); break;
        case 4: Click(*form->ButtonOff); break;  // back to sleep, a snooze running or not
        case 5: form->HandleMouseMove(0, 1000, 650); break;
        case 6: endpoint.muted = true; break;
        default: break;
      }
      Observe();
      Wait(Random(10, 300) * 1000, 2000);
    }
    // The day, a busy thread checking in ten-minute steps.
    WaitUntil(NowMs() + Random(8, 14) * 60 * kMinute, 10 * kMinute);
    if (::testing::Test::HasFailure()) break;
  }
  EXPECT_GT(rings_, 15);
  Restart();
}

}  // namespace
}  // namespace dz
