#pragma once
// Command numbers, flag words and item codes of the Media Control Interface,
// with the platform's values. Defined once, here; the Win32 layer includes
// the platform's own header too, so these names avoid its macro spellings.
#include <cstdint>

namespace dz::mci {

// Commands.
inline constexpr std::uint32_t kOpen = 0x0803;
inline constexpr std::uint32_t kClose = 0x0804;
inline constexpr std::uint32_t kPlay = 0x0806;
inline constexpr std::uint32_t kSeek = 0x0807;
inline constexpr std::uint32_t kStop = 0x0808;
inline constexpr std::uint32_t kPause = 0x0809;
inline constexpr std::uint32_t kGetDevCaps = 0x080B;
inline constexpr std::uint32_t kSet = 0x080D;
inline constexpr std::uint32_t kStep = 0x080E;
inline constexpr std::uint32_t kRecord = 0x080F;
inline constexpr std::uint32_t kStatus = 0x0814;
inline constexpr std::uint32_t kWindow = 0x0841;
inline constexpr std::uint32_t kWhere = 0x0843;
inline constexpr std::uint32_t kResume = 0x0855;

// Flags common to every command.
inline constexpr std::uint32_t kNotify = 0x0001;
inline constexpr std::uint32_t kWait = 0x0002;
inline constexpr std::uint32_t kFrom = 0x0004;
inline constexpr std::uint32_t kTo = 0x0008;
inline constexpr std::uint32_t kTrack = 0x0010;

// MCI_OPEN.
inline constexpr std::uint32_t kOpenShareable = 0x0100;
inline constexpr std::uint32_t kOpenElement = 0x0200;
inline constexpr std::uint32_t kOpenType = 0x2000;

// MCI_SEEK.
inline constexpr std::uint32_t kSeekToStart = 0x0100;
inline constexpr std::uint32_t kSeekToEnd = 0x0200;

// MCI_STATUS and MCI_GETDEVCAPS: the item flag (same value for both).
inline constexpr std::uint32_t kStatusItem = 0x0100;
inline constexpr std::uint32_t kGetDevCapsItem = 0x0100;

// MCI_SET.
inline constexpr std::uint32_t kSetDoorOpen = 0x0100;
inline constexpr std::uint32_t kSetTimeFormat = 0x0400;

// MCI_STEP (the video devices' flags).
inline constexpr std::uint32_t kStepReverse = 0x10000;
inline constexpr std::uint32_t kStepFrames = 0x20000;

// MCI_WINDOW and MCI_WHERE (the video devices' flags).
inline constexpr std::uint32_t kWindowHandle = 0x10000;
inline constexpr std::uint32_t kWhereSource = 0x20000;
inline constexpr std::uint32_t kWhereDestination = 0x40000;

// Status items.
inline constexpr std::uint32_t kStatusLength = 0x0001;
inline constexpr std::uint32_t kStatusPosition = 0x0002;
inline constexpr std::uint32_t kStatusNumberOfTracks = 0x0003;
inline constexpr std::uint32_t kStatusMode = 0x0004;
inline constexpr std::uint32_t kStatusTimeFormat = 0x0006;

// Capability items.
inline constexpr std::uint32_t kGetDevCapsCanRecord = 0x0001;
inline constexpr std::uint32_t kGetDevCapsHasVideo = 0x0003;
inline constexpr std::uint32_t kGetDevCapsDeviceType = 0x0004;
inline constexpr std::uint32_t kGetDevCapsCanEject = 0x0007;
inline constexpr std::uint32_t kGetDevCapsCanPlay = 0x0008;

// Device types answered by the device-type capability.
inline constexpr std::uint32_t kDevTypeVcr = 513;
inline constexpr std::uint32_t kDevTypeOverlay = 515;
inline constexpr std::uint32_t kDevTypeAnimation = 519;
inline constexpr std::uint32_t kDevTypeDigitalVideo = 520;

// Modes answered by the mode status item: not ready is the first of seven.
inline constexpr std::uint32_t kModeNotReady = 524;
inline constexpr std::uint32_t kModeOpen = 530;

// Time formats.
inline constexpr std::uint32_t kFormatMilliseconds = 0;
inline constexpr std::uint32_t kFormatTmsf = 10;

// Notify codes carried by MM_MCINOTIFY, and that message's number.
inline constexpr std::uint32_t kNotifySuccessful = 0x0001;
inline constexpr std::uint32_t kNotifySuperseded = 0x0002;
inline constexpr std::uint32_t kNotifyAborted = 0x0004;
inline constexpr std::uint32_t kNotifyFailure = 0x0008;
inline constexpr std::uint32_t kMmMciNotify = 0x03B9;

}  // namespace dz::mci
