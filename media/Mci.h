#pragma once
// MCI port: one request to the Media Control Interface, and the text of an
// MCI error code. MciParams holds every field the media player's requests
// use; the Win32 layer copies the fields a command needs into the platform's
// record for that command and copies the answers back.
#include <cstdint>
#include <string>

#include "media/MciConstants.h"

namespace dz {

struct MciRect {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

struct MciParams {
  // Window that receives MM_MCINOTIFY when the request notifies (0: none).
  std::uintptr_t callback = 0;

  // MCI_OPEN: the device type text, the file, and the identifier returned.
  std::string deviceType;
  std::string elementName;
  std::uint32_t deviceId = 0;

  // MCI_STATUS / MCI_GETDEVCAPS: the item asked for, the track of a track
  // item, and the answer.
  std::uint32_t item = 0;
  std::uint32_t track = 0;
  std::uint64_t returned = 0;

  // MCI_PLAY / MCI_RECORD / MCI_SEEK (with MCI_TO) positions.
  std::uint32_t from = 0;
  std::uint32_t to = 0;

  // MCI_STEP.
  std::uint32_t frames = 0;

  // MCI_SET.
  std::uint32_t timeFormat = 0;

  // MCI_WINDOW: the window that shows the picture (0: the device's own).
  std::uintptr_t window = 0;

  // MCI_WHERE: the rectangle answered.
  MciRect rect;
};

class MciPort {
 public:
  virtual ~MciPort() = default;
  // Sends one command; returns MCI's return code (0 is success).
  virtual std::uint32_t Send(std::uint16_t device, std::uint32_t command, std::uint32_t flags,
                             MciParams& params) = 0;
  // The platform's text for an MCI error code; false when it has none.
  virtual bool ErrorString(std::uint32_t code, std::string& text) = 0;
};

}  // namespace dz
