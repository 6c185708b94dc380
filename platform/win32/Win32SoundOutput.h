#pragma once
// The wake-up sound played from memory beside MCI, and the mute switch of
// the default sound output.
#include <windows.h>
#include <mmsystem.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "alarm/SafeguardPorts.h"
#include "platform/win32/SoundLibrary.h"
#include "platform/win32/SystemHandles.h"

namespace dz::win32 {

// The samples of a PCM WAV file on a waveform output stream of their own,
// looped by the device: PlaySound plays one sound per process, so the next
// PlaySound, a beep or a message box's alert would end a loop played
// through it. The bytes are held until the stream is closed: the device
// reads them while it plays.
class Win32FallbackSound final : public FallbackSound {
 public:
  // The system's winmm, loaded on the first play.
  Win32FallbackSound() noexcept = default;
  explicit Win32FallbackSound(const SoundLibrary& library) noexcept : library_(&library) {}
  ~Win32FallbackSound() override;
  Win32FallbackSound(const Win32FallbackSound&) = delete;
  Win32FallbackSound& operator=(const Win32FallbackSound&) = delete;
  bool PlayLooped(std::shared_ptr<const std::vector<std::uint8_t>> wav) override;
  void Stop() override;

 private:
  const SoundLibrary& Library() const noexcept { return library_ ? *library_ : SystemSoundLibrary(); }

  const SoundLibrary* library_ = nullptr;
  std::shared_ptr<const std::vector<std::uint8_t>> playing_;
  WaveOutHandle stream_;
  WAVEHDR header_{};
  bool prepared_ = false;
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
