// The sound library is taken at run time; where it cannot be had, a song
// that is opened is reported with a text of our own, and the wake-up sound
// fails to start as any failed open does. Nothing calls into the void.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fakes/TempFolder.h"
#include "media/MediaPlayer.h"
#include "media/WakeupSound.h"
#include "platform/win32/SoundLibrary.h"
#include "platform/win32/Win32Mci.h"
#include "platform/win32/Win32SoundOutput.h"
#include "runtime/Platform.h"

namespace dz::win32 {
namespace {

// The error text of opening `song` through `mci`; empty when it opened.
std::string OpenError(MciPort& mci, const std::string& song, std::uint32_t& code) {
  Platform platform;
  platform.mci = &mci;
  ScopedPlatform scope(platform);
  TMediaPlayer player(nullptr);
  player.SetFileName(song);
  try {
    player.Open();
  } catch (const EMCIDeviceError& e) {
    code = player.LastError();
    return e.Message();
  }
  code = 0;
  return {};
}

TEST(SoundLibrary, WithoutItASongIsReportedWithOurTextWhereTheSystemsWouldOpen) {
  TempFolder folder;
  const std::vector<std::uint8_t> wav = WakeupSoundWav();
  folder.Put("song.wav", std::string(wav.begin(), wav.end()));
  std::uint32_t code = 0;
  Win32Mci system;
  EXPECT_EQ(OpenError(system, folder.File("song.wav"), code), "");

  const SoundLibrary missing("dz_no_such_sound.dll");
  Win32Mci without(missing);
  EXPECT_EQ(OpenError(without, folder.File("song.wav"), code), kNoSoundLibraryText);
  EXPECT_EQ(code, kNoSoundLibraryError);
  // Another code has no text of ours: the player's own fallback.
  std::string text;
  EXPECT_FALSE(without.ErrorString(275, text));
}

TEST(SoundLibrary, WithoutItTheWakeUpSoundFailsToStartAndStopsQuietly) {
  const SoundLibrary missing("dz_no_such_sound.dll");
  Win32FallbackSound sound(missing);
  EXPECT_FALSE(sound.PlayLooped(std::make_shared<const std::vector<std::uint8_t>>(WakeupSoundWav())));
  sound.Stop();
}

}  // namespace
}  // namespace dz::win32
