#include "platform/win32/Win32SoundOutput.h"

#include <windows.h>
#include <mmsystem.h>
// After windows.h.
#include <endpointvolume.h>
#include <mmdeviceapi.h>

#include <utility>

#include "platform/win32/SystemHandles.h"

namespace dz::win32 {

Win32FallbackSound::~Win32FallbackSound() { Stop(); }

bool Win32FallbackSound::PlayLooped(std::shared_ptr<const std::vector<std::uint8_t>> wav) {
  Stop();
  if (!wav || wav->empty()) return false;
  // No default sound instead: a sound that cannot be played is a refusal.
  const BOOL playing = PlaySoundA(reinterpret_cast<LPCSTR>(wav->data()), nullptr,
                                  SND_MEMORY | SND_ASYNC | SND_LOOP | SND_NODEFAULT);
  if (!playing) return false;
  playing_ = std::move(wav);
  return true;
}

void Win32FallbackSound::Stop() {
  if (!playing_) return;
  // Returns once the sound has stopped; only then may the bytes go.
  PlaySoundA(nullptr, nullptr, 0);
  playing_.reset();
}

namespace {

// The default render endpoint's volume control, or nothing.
ComPtr<IAudioEndpointVolume> DefaultOutputVolume() {
  ComPtr<IMMDeviceEnumerator> enumerator;
  if (FAILED(CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL,
                              __uuidof(IMMDeviceEnumerator), enumerator.PutVoid()))) {
    return {};
  }
  ComPtr<IMMDevice> device;
  if (FAILED(enumerator->GetDefaultAudioEndpoint(eRender, eConsole, device.Put()))) return {};
  ComPtr<IAudioEndpointVolume> volume;
  if (FAILED(device->Activate(__uuidof(IAudioEndpointVolume), CLSCTX_ALL, nullptr,
                              volume.PutVoid()))) {
    return {};
  }
  return volume;
}

}  // namespace

bool Win32AudioEndpoint::DefaultOutputMuted() {
  ComApartment com;
  if (!com.Usable()) return false;
  ComPtr<IAudioEndpointVolume> volume = DefaultOutputVolume();
  BOOL muted = FALSE;
  return volume && SUCCEEDED(volume->GetMute(&muted)) && muted;
}

bool Win32AudioEndpoint::UnmuteDefaultOutput() {
  ComApartment com;
  if (!com.Usable()) return false;
  ComPtr<IAudioEndpointVolume> volume = DefaultOutputVolume();
  return volume && SUCCEEDED(volume->SetMute(FALSE, nullptr));
}

}  // namespace dz::win32
