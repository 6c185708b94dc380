#pragma once
// The wake-up sound played from memory beside MCI, and the mute switch of
// the default sound output.
#include <cstdint>
#include <memory>
#include <vector>

#include "alarm/SafeguardPorts.h"

namespace dz::win32 {

// PlaySoundA from memory, asynchronous and looping. The bytes are held
// until the sound has been stopped: the system reads them while it plays.
class Win32FallbackSound final : public FallbackSound {
 public:
  ~Win32FallbackSound() override;
  bool PlayLooped(std::shared_ptr<const std::vector<std::uint8_t>> wav) override;
  void Stop() override;

 private:
  std::shared_ptr<const std::vector<std::uint8_t>> playing_;
};

// The default render endpoint's IAudioEndpointVolume. COM is initialised
// for each request on the calling thread (the message loop's); every
// failure is an answer of false.
class Win32AudioEndpoint final : public AudioEndpoint {
 public:
  bool DefaultOutputMuted() override;
  bool UnmuteDefaultOutput() override;
};

}  // namespace dz::win32
