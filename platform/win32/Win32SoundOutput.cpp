#include "platform/win32/Win32SoundOutput.h"

#include <windows.h>
#include <mmsystem.h>
// After windows.h.
#include <endpointvolume.h>
#include <mmdeviceapi.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <utility>

namespace dz::win32 {

namespace {

std::uint32_t Le(const std::vector<std::uint8_t>& b, std::size_t at, int bytes) {
  std::uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | b[at + static_cast<std::size_t>(i)];
  return value;
}

struct PcmSamples {
  WAVEFORMATEX format{};
  std::size_t offset = 0;
  std::size_t size = 0;  // whole sample frames
};

// The format and the samples of a RIFF WAVE file of PCM samples; nothing
// for anything else. Every size is checked against the bytes there are.
std::optional<PcmSamples> FindPcm(const std::vector<std::uint8_t>& b) {
  if (b.size() < 12 || std::memcmp(b.data(), "RIFF", 4) != 0 ||
      std::memcmp(b.data() + 8, "WAVE", 4) != 0) {
    return std::nullopt;
  }
  PcmSamples pcm;
  bool haveFormat = false;
  for (std::size_t at = 12; b.size() - at >= 8;) {
    const std::size_t size = Le(b, at + 4, 4);
    const std::size_t body = at + 8;
    const std::size_t there = std::min(size, b.size() - body);
    if (std::memcmp(b.data() + at, "fmt ", 4) == 0 && there >= 16) {
      if (Le(b, body, 2) != WAVE_FORMAT_PCM) return std::nullopt;
      pcm.format.wFormatTag = WAVE_FORMAT_PCM;
      pcm.format.nChannels = static_cast<WORD>(Le(b, body + 2, 2));
      pcm.format.nSamplesPerSec = Le(b, body + 4, 4);
      pcm.format.nAvgBytesPerSec = Le(b, body + 8, 4);
      pcm.format.nBlockAlign = static_cast<WORD>(Le(b, body + 12, 2));
      pcm.format.wBitsPerSample = static_cast<WORD>(Le(b, body + 14, 2));
      haveFormat = pcm.format.nBlockAlign != 0;
    } else if (std::memcmp(b.data() + at, "data", 4) == 0) {
      if (!haveFormat) return std::nullopt;
      pcm.offset = body;
      pcm.size = there - there % pcm.format.nBlockAlign;
      if (pcm.size == 0) return std::nullopt;
      return pcm;
    }
    if (size > b.size() - body) break;
    at = body + size + (size & 1);
    if (at > b.size()) break;
  }
  return std::nullopt;
}

}  // namespace

Win32FallbackSound::~Win32FallbackSound() { Stop(); }

bool Win32FallbackSound::PlayLooped(std::shared_ptr<const std::vector<std::uint8_t>> wav) {
  Stop();
  if (!wav) return false;
  const std::optional<PcmSamples> pcm = FindPcm(*wav);
  if (!pcm || pcm->size > MAXDWORD) return false;
  const SoundLibrary& sound = Library();
  if (!sound.Usable()) return false;
  HWAVEOUT opened = nullptr;
  if (sound.waveOutOpen(&opened, WAVE_MAPPER, &pcm->format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
    return false;
  }
  *stream_.Put(sound) = opened;
  header_ = WAVEHDR{};
  // The device reads the buffer only; the header wants a pointer it may write.
  header_.lpData = reinterpret_cast<LPSTR>(const_cast<std::uint8_t*>(wav->data() + pcm->offset));
  header_.dwBufferLength = static_cast<DWORD>(pcm->size);
  header_.dwFlags = WHDR_BEGINLOOP | WHDR_ENDLOOP;
  header_.dwLoops = MAXDWORD;  // at five seconds a pass, for centuries
  if (sound.waveOutPrepareHeader(stream_.Get(), &header_, sizeof header_) != MMSYSERR_NOERROR) {
    stream_.Reset();
    return false;
  }
  prepared_ = true;
  playing_ = std::move(wav);
  if (sound.waveOutWrite(stream_.Get(), &header_, sizeof header_) != MMSYSERR_NOERROR) {
    Stop();
    return false;
  }
  return true;
}

void Win32FallbackSound::Stop() {
  if (stream_) {
    // The reset returns the buffer; only then may it be unprepared and the
    // bytes go.
    const SoundLibrary& sound = Library();
    sound.waveOutReset(stream_.Get());
    if (prepared_) sound.waveOutUnprepareHeader(stream_.Get(), &header_, sizeof header_);
    stream_.Reset();
  }
  prepared_ = false;
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
