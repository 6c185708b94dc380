#pragma once
// The program's own wake-up sound: a bright chime, a rising four-note figure
// played twice and a closing chord, a little under five seconds, made here
// from arithmetic alone so that every build makes the same bytes. The program
// ships it as wakeup.wav beside dozewell.exe (the tool target "resources"
// writes resources/wakeup.wav from this source; the build copies it).
#include <cstdint>
#include <vector>

namespace dz {

inline constexpr std::uint32_t kWakeupSampleRate = 22050;

// The sound as 16-bit mono samples at kWakeupSampleRate.
std::vector<std::int16_t> WakeupSoundSamples();

// The complete WAV file (RIFF, PCM, 16-bit mono) of the sound.
std::vector<std::uint8_t> WakeupSoundWav();

}  // namespace dz
