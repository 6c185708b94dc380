#include "fakes/FakeMci.h"

#include <algorithm>

namespace dz {

namespace {
constexpr std::uint32_t kDevTypeWaveformAudio = 522;
constexpr std::uint32_t kModeStopped = 525;
}  // namespace

FakeMci::FakeMci() {
  status[mci::kStatusLength] = 2000;
  status[mci::kStatusMode] = kModeStopped;
  trackStatus[{mci::kStatusLength, 1}] = 2000;
  caps[mci::kGetDevCapsCanPlay] = 1;
  caps[mci::kGetDevCapsDeviceType] = kDevTypeWaveformAudio;
}

std::uint32_t FakeMci::Send(std::uint16_t device, std::uint32_t command, std::uint32_t flags,
                            MciParams& params) {
  requests.push_back({device, command, flags, params});
  std::uint32_t code = 0;
  auto queued = nextCodes.find(command);
  if (queued != nextCodes.end() && !queued->second.empty()) {
    code = queued->second.front();
    queued->second.pop_front();
  } else if (auto fixed = codeFor.find(command); fixed != codeFor.end()) {
    code = fixed->second;
  }
  if (code != 0) return code;

  switch (command) {
    case mci::kOpen:
      params.deviceId = nextDeviceId++;
      openDevices.push_back(static_cast<std::uint16_t>(params.deviceId));
      break;
    case mci::kClose:
      openDevices.erase(std::remove(openDevices.begin(), openDevices.end(), device),
                        openDevices.end());
      break;
    case mci::kStatus:
      if (flags & mci::kTrack) {
        auto it = trackStatus.find({params.item, params.track});
        params.returned = it != trackStatus.end() ? it->second : 0;
      } else {
        auto it = status.find(params.item);
        params.returned = it != status.end() ? it->second : 0;
      }
      break;
    case mci::kGetDevCaps: {
      auto it = caps.find(params.item);
      params.returned = it != caps.end() ? it->second : 0;
      break;
    }
    case mci::kWhere:
      params.rect = (flags & mci::kWhereDestination) ? destinationRect : sourceRect;
      break;
    default:
      break;
  }
  return 0;
}

bool FakeMci::ErrorString(std::uint32_t code, std::string& text) {
  errorStringCalls.push_back(code);
  auto it = errorTexts.find(code);
  if (it == errorTexts.end()) return false;
  text = it->second;
  return true;
}

std::vector<std::uint32_t> FakeMci::Commands() const {
  std::vector<std::uint32_t> commands;
  for (const MciRequest& r : requests) commands.push_back(r.command);
  return commands;
}

int FakeMci::Count(std::uint32_t command) const {
  return static_cast<int>(std::count_if(requests.begin(), requests.end(),
                                        [command](const MciRequest& r) { return r.command == command; }));
}

}  // namespace dz
