#pragma once
// A scripted MCI device: records every request with its flag word and the
// fields that matter, and answers from a script. By default it behaves like
// a stopped two-second sound file that can play and nothing else.
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "media/Mci.h"

namespace dz {

struct MciRequest {
  std::uint16_t device = 0;
  std::uint32_t command = 0;
  std::uint32_t flags = 0;
  MciParams params;  // as sent, before the answer is filled in
};

class FakeMci final : public MciPort {
 public:
  FakeMci();

  std::uint32_t Send(std::uint16_t device, std::uint32_t command, std::uint32_t flags,
                     MciParams& params) override;
  bool ErrorString(std::uint32_t code, std::string& text) override;

  // Every request so far, in order.
  std::vector<MciRequest> requests;
  // The commands of those requests, in order.
  std::vector<std::uint32_t> Commands() const;
  int Count(std::uint32_t command) const;
  void Clear() { requests.clear(); }

  // Return code per command (default 0); a queued code is used once first.
  std::map<std::uint32_t, std::uint32_t> codeFor;
  std::map<std::uint32_t, std::deque<std::uint32_t>> nextCodes;
  void FailNext(std::uint32_t command, std::uint32_t code) { nextCodes[command].push_back(code); }

  // Answers: status items without a track, status items per (item, track),
  // capability items, the rectangles of MCI_WHERE.
  std::map<std::uint32_t, std::uint64_t> status;
  std::map<std::pair<std::uint32_t, std::uint32_t>, std::uint64_t> trackStatus;
  std::map<std::uint32_t, std::uint64_t> caps;
  MciRect sourceRect;
  MciRect destinationRect;

  // Identifier given to the next successful open (then counted up).
  std::uint32_t nextDeviceId = 1;
  // Devices open now (opened and not yet closed successfully).
  std::vector<std::uint16_t> openDevices;

  // Texts of error codes; a code without one makes ErrorString fail.
  std::map<std::uint32_t, std::string> errorTexts;
  std::vector<std::uint32_t> errorStringCalls;

  void SetMode(std::uint32_t mciMode) { status[mci::kStatusMode] = mciMode; }
};

}  // namespace dz
