// The default wake-up sound the program ships beside itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "media/WakeupSound.h"

namespace dz {
namespace {

TEST(WakeupSound, TheCheckedInFileIsWhatTheSourceMakes) {
  std::ifstream in(std::string(DZ_RESOURCES_DIR) + "/wakeup.wav", std::ios::binary);
  const std::vector<std::uint8_t> checkedIn{std::istreambuf_iterator<char>(in),
                                            std::istreambuf_iterator<char>()};
  EXPECT_TRUE(checkedIn == WakeupSoundWav())
      << "resources/wakeup.wav is missing or out of date; rewrite it with\n"
         "  cmake --preset native && cmake --build --preset native --target resources";
}

// Heard in a quiet bedroom: every half second of the first four has sound in
// it well above a whisper, and no sample sits at full scale (a clipped sound
// crackles).
TEST(WakeupSound, IsClearlyAudibleThroughoutAndNeverClipped) {
  const std::vector<std::int16_t> samples = WakeupSoundSamples();
  ASSERT_GE(samples.size(), 4u * kWakeupSampleRate);
  ASSERT_LE(samples.size(), 8u * kWakeupSampleRate);
  const std::size_t window = kWakeupSampleRate / 2;
  for (std::size_t start = 0; start + window <= 4 * kWakeupSampleRate; start += window) {
    int loudest = 0;
    for (std::size_t i = start; i < start + window; ++i) loudest = std::max(loudest, std::abs(samples[i]));
    EXPECT_GT(loudest, 3000) << "quiet from " << start / double(kWakeupSampleRate) << " s";
  }
  for (std::int16_t s : samples) ASSERT_LT(std::abs(s), 32767);
  // It ends in silence, so the repeat does not click.
  EXPECT_LT(std::abs(samples.back()), 50);
}

}  // namespace
}  // namespace dz
