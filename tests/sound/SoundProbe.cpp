// The sound tests' helper program.
//   dz_sound_probe play FILE           plays FILE through the media player
//                                      control and waits for its end notice
//   dz_sound_probe tone FILE HZ MS [MAX]
//                                      checks that the 16-bit PCM WAV FILE
//                                      holds a tone of HZ for at least MS
//                                      (and, given MAX, for no longer)
//   dz_sound_probe bar FILE FOLDER     clicks Play and Stop on the bar with
//                                      FILE open (BarProbe.cpp)
//   dz_sound_probe web                 opens the program's web site
//   dz_sound_probe wakeup FILE         loops the wake-up sound for about 9 s
//                                      while the same process plays FILE with
//                                      PlaySound, beeps and shows an error box
#include <windows.h>
#include <mmsystem.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <numbers>
#include <string>
#include <vector>

#include "SoundSupport.h"
#include "media/MediaPlayer.h"
#include "media/WakeupSound.h"
#include "platform/win32/Win32Peers.h"
#include "platform/win32/Win32Runtime.h"
#include "platform/win32/Win32SoundOutput.h"
#include "runtime/Shell.h"

namespace {

int Play(const std::string& file) {
  dz::win32::InstallWin32Platform();
  dz::win32::AddWin32ControlPorts(dz::CurrentPlatform());
  dz::sound::PlayerForm form;
  dz::TMediaPlayer& player = form.Player();
  bool ended = false;
  player.OnNotify = [&](dz::TObject*) { ended = true; };
  try {
    player.SetFileName(file);
    player.Open();
    const std::int32_t length = player.TrackLength(1);
    player.SetAutoRewind(false);
    player.Play();
    if (!dz::sound::PumpUntil([&] { return ended; }, static_cast<DWORD>(length) + 10000)) {
      std::printf("no end notice within %d ms\n", length + 10000);
      return 1;
    }
    std::printf("played %d ms, notice %d\n", length, static_cast<int>(player.NotifyResult()));
    return player.NotifyResult() == dz::NotifySuccessful ? 0 : 1;
  } catch (const dz::Exception& e) {
    std::printf("failed: %s\n", e.what());
    return 1;
  }
}

// Closes the error box that the wake-up probe opens, from its own loop.
void CALLBACK CloseBox(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  if (HWND box = FindWindowA("#32770", "probe")) PostMessageA(box, WM_COMMAND, IDOK, 0);
}

int Wakeup(const std::string& interrupter) {
  dz::win32::Win32FallbackSound sound;
  if (!sound.PlayLooped(std::make_shared<const std::vector<std::uint8_t>>(dz::WakeupSoundWav()))) {
    std::printf("the wake-up sound does not play\n");
    return 1;
  }
  const auto wait = [](DWORD ms) { dz::sound::PumpUntil([] { return false; }, ms); };
  wait(1000);
  // Each of these ends a sound that PlaySound plays.
  if (!PlaySoundA(interrupter.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT)) {
    std::printf("PlaySound refused %s\n", interrupter.c_str());
    return 1;
  }
  wait(500);
  MessageBeep(MB_ICONHAND);
  wait(500);
  SetTimer(nullptr, 0, 1000, CloseBox);
  MessageBoxA(nullptr, "No MCI device open.", "probe", MB_OK | MB_ICONSTOP);
  wait(6000);
  sound.Stop();
  std::printf("looped the wake-up sound\n");
  return 0;
}

std::uint32_t Le(const std::vector<unsigned char>& b, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + static_cast<std::size_t>(i)];
  return v;
}

// Longest run of 20 ms windows in which the tone carries most of the power
// and the sound is not near silence. On a busy machine the sound server may
// drop a few buffers of a recording; a gap of up to 100 ms does not end a
// run, but its windows do not count toward it either.
int Tone(const std::string& file, double hz, int wantMs, int maxMs) {
  std::ifstream in(file, std::ios::binary);
  std::vector<unsigned char> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF") {
    std::printf("not a WAV file: %s\n", file.c_str());
    return 1;
  }
  unsigned channels = 0, rate = 0, bits = 0;
  std::size_t data = 0, dataSize = 0;
  for (std::size_t at = 12; at + 8 <= b.size();) {
    const std::string id(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at) + 4);
    std::size_t size = Le(b, at + 4, 4);
    if (id == "fmt " && at + 24 <= b.size()) {
      channels = Le(b, at + 10, 2);
      rate = Le(b, at + 12, 4);
      bits = Le(b, at + 22, 2);
    } else if (id == "data") {
      data = at + 8;
      // A recording cut short may carry a size that runs past the end, and
      // one still being written a size of 0: both hold what is there.
      dataSize = size == 0 || size > b.size() - data ? b.size() - data : size;
      break;
    }
    at += 8 + size + (size & 1);
  }
  if (!data || bits != 16 || channels == 0 || rate == 0) {
    std::printf("unexpected WAV format (%u channels, %u Hz, %u bits)\n", channels, rate, bits);
    return 1;
  }
  const std::size_t frames = dataSize / (2 * channels);
  const std::size_t window = rate / 50;
  const double coeff = 2 * std::cos(2 * std::numbers::pi * hz / rate);
  constexpr int kLongestGap = 5;  // windows
  int run = 0, best = 0, gap = 0, bridged = 0;
  for (std::size_t start = 0; start + window <= frames; start += window) {
    double s1 = 0, s2 = 0, energy = 0;
    for (std::size_t i = 0; i < window; ++i) {
      const std::size_t at = data + (start + i) * 2 * channels;  // first channel
      const double x = static_cast<std::int16_t>(Le(b, at, 2)) / 32768.0;
      const double s0 = x + coeff * s1 - s2;
      s2 = s1;
      s1 = s0;
      energy += x * x;
    }
    const double tone = (s1 * s1 + s2 * s2 - coeff * s1 * s2) * 2 / static_cast<double>(window);
    const bool present = energy / static_cast<double>(window) > 1e-4 && tone > 0.8 * energy;
    if (present) {
      if (gap > 0 && run > 0) ++bridged;
      run += 20;
      gap = 0;
    } else if (run > 0 && ++gap > kLongestGap) {
      run = 0;
      gap = 0;
    }
    if (run > best) best = run;
  }
  std::printf("longest %g Hz tone: %d ms of %zu ms recorded (%d short gaps bridged)\n", hz, best,
              frames * 1000 / rate, bridged);
  return best >= wantMs && best <= maxMs ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "play" && argc == 3) return Play(argv[2]);
  if (mode == "web") {
    dz::win32::InstallWin32Platform();
    dz::OpenWebSite();
    return 0;
  }
  if (mode == "tone" && (argc == 5 || argc == 6))
    return Tone(argv[2], std::atof(argv[3]), std::atoi(argv[4]), argc == 6 ? std::atoi(argv[5]) : INT_MAX);
  if (mode == "wakeup" && argc == 3) return Wakeup(argv[2]);
  if (mode == "bar" && argc == 4) return dz::sound::RunBarProbe(argv[2], argv[3]);
  std::printf("usage: dz_sound_probe play FILE | tone FILE HZ MS [MAX] | bar FILE FOLDER | web | wakeup FILE\n");
  return 2;
}
