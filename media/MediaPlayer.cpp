#include "media/MediaPlayer.h"

#include "media/Mci.h"
#include "runtime/Platform.h"

namespace dz {

namespace {

MciPort& Mci() { return Require(CurrentPlatform().mci, "MCI"); }

const char* const kNoDevice = "No MCI device open";

// An answer field as the signed 32-bit value the queries give.
std::int32_t AsInt32(std::uint64_t value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

// Parts of a track-minute-second-frame position.
std::uint32_t TmsfTrack(std::uint32_t p) { return p & 0xFF; }
std::uint32_t TmsfMinute(std::uint32_t p) { return (p >> 8) & 0xFF; }
std::uint32_t TmsfSecond(std::uint32_t p) { return (p >> 16) & 0xFF; }

}  // namespace

const char* DeviceTypeText(TMPDeviceTypes type) {
  switch (type) {
    case dtAutoSelect: return "";
    case dtAVIVideo: return "AVIVideo";
    case dtCDAudio: return "CDAudio";
    case dtDAT: return "DAT";
    case dtDigitalVideo: return "DigitalVideo";
    case dtMMMovie: return "MMMovie";
    case dtOther: return "Other";
    case dtOverlay: return "Overlay";
    case dtScanner: return "Scanner";
    case dtSequencer: return "Sequencer";
    case dtVCR: return "VCR";
    case dtVideodisc: return "Videodisc";
    case dtWaveAudio: return "WaveAudio";
  }
  return "";
}

TMediaPlayer::TMediaPlayer(TComponent* owner) : TCustomControl(owner) {
  LoadFaces();
  SetTabStop(true);
  // The size it is made with stays; the cells share it.
  loading_ = true;
  SetBounds(0, 0, 240, 30);
  cellWidth_ = (Width() - 1) / VisibleCount() + 1;
  loading_ = false;
}

// The window has gone already, with the notices still queued for it, when
// the device's owner closes it.
TMediaPlayer::~TMediaPlayer() = default;

// --- published properties --------------------------------------------------

void TMediaPlayer::SetDisplay(TWinControl* display) {
  if (display && isOpen_ && videoCapable_) {
    MciParams params;
    params.window = display->Peer() ? display->Peer()->NativeHandle() : 0;
    if (SendRecorded(mci::kWindow, mci::kWait | mci::kWindowHandle, params) != 0) display = nullptr;
  }
  if (display_ && display_ != display) display_->RemoveFreeNotification(this);
  display_ = display;
  if (display_) display_->FreeNotification(this);
}

void TMediaPlayer::ComponentFreed(TComponent* component) noexcept {
  if (component == display_) DisplayRemoved();
  TCustomControl::ComponentFreed(component);
}

void TMediaPlayer::DisplayRemoved() noexcept {
  // Heard before the display's window goes.
  display_ = nullptr;
  if (!isOpen_ || !videoCapable_) return;
  try {
    MciParams params;  // a null window: back to the device's own window
    SendRecorded(mci::kWindow, mci::kWait | mci::kWindowHandle, params);
  } catch (...) {
    // Part of destroying the display, which never raises.
  }
}

// --- request framing -------------------------------------------------------

void TMediaPlayer::RequireOpen() const {
  if (!isOpen_) throw EMCIDeviceError(kNoDevice);
}

std::uint32_t TMediaPlayer::WaitingFlags() {
  std::uint32_t flags = 0;
  if (!(waitOnce_ && !*waitOnce_)) flags |= mci::kWait;
  if (notifyOnce_ && *notifyOnce_) flags |= mci::kNotify;
  DisarmWaitAndNotify();
  return flags;
}

std::uint32_t TMediaPlayer::NotifyingFlags() const {
  std::uint32_t flags = 0;
  if (!(notifyOnce_ && !*notifyOnce_)) flags |= mci::kNotify;
  if (waitOnce_ && *waitOnce_) flags |= mci::kWait;
  return flags;
}

void TMediaPlayer::DisarmWaitAndNotify() {
  waitOnce_.reset();
  notifyOnce_.reset();
}

std::uintptr_t TMediaPlayer::Callback() { return Peer() ? Peer()->NativeHandle() : 0; }

std::uint32_t TMediaPlayer::SendRecorded(std::uint32_t command, std::uint32_t flags,
                                         MciParams& params) {
  lastError_ = Mci().Send(device_.Get(), command, flags, params);
  return lastError_;
}

std::uint32_t TMediaPlayer::Query(std::uint32_t item, bool record) {
  MciParams params;
  params.item = item;
  const std::uint32_t flags = mci::kWait | mci::kStatusItem;
  std::uint32_t code = record ? SendRecorded(mci::kStatus, flags, params)
                              : Mci().Send(device_.Get(), mci::kStatus, flags, params);
  return code == 0 ? static_cast<std::uint32_t>(params.returned) : 0;
}

bool TMediaPlayer::Capability(std::uint32_t item) {
  MciParams params;
  params.item = item;
  if (Mci().Send(device_.Get(), mci::kGetDevCaps, mci::kWait | mci::kGetDevCapsItem, params) != 0)
    return false;
  return (params.returned & 0xFF) != 0;
}

// --- open and close --------------------------------------------------------

void TMediaPlayer::Open() {
  if (isOpen_) Close();  // a failed close is not reported

  MciParams params;
  params.deviceType = DeviceTypeText(deviceType_);
  params.elementName = fileName_;
  params.callback = Callback();
  std::uint32_t flags = WaitingFlags();
  flags |= deviceType_ == dtAutoSelect ? mci::kOpenElement : mci::kOpenType;
  if (shareable_) flags |= mci::kOpenShareable;

  lastError_ = Mci().Send(0, mci::kOpen, flags, params);
  if (lastError_ != 0) throw EMCIDeviceError(ErrorText());

  isOpen_ = true;
  device_ = MciDevice(static_cast<std::uint16_t>(params.deviceId));

  stepFrames_ = Length() / 10;

  playCapable_ = Capability(mci::kGetDevCapsCanPlay);
  recordCapable_ = Capability(mci::kGetDevCapsCanRecord);
  ejectCapable_ = Capability(mci::kGetDevCapsCanEject);
  videoCapable_ = Capability(mci::kGetDevCapsHasVideo);
  {
    MciParams caps;
    caps.item = mci::kGetDevCapsDeviceType;
    std::uint32_t type = 0;
    if (Mci().Send(device_.Get(), mci::kGetDevCaps, mci::kWait | mci::kGetDevCapsItem, caps) == 0)
      type = static_cast<std::uint32_t>(caps.returned);
    stepCapable_ = type == mci::kDevTypeVcr || type == mci::kDevTypeOverlay ||
                   type == mci::kDevTypeAnimation || type == mci::kDevTypeDigitalVideo;
  }
  ReadVideoRect(mci::kWhereSource);

  if (videoCapable_) {
    SetDisplay(display_);
    ReadVideoRect(mci::kWhereDestination);
  }

  if (deviceType_ == dtCDAudio || deviceType_ == dtVideodisc) {
    MciParams set;
    set.timeFormat = mci::kFormatTmsf;
    set.callback = Callback();
    SendRecorded(mci::kSet, mci::kNotify | mci::kSetTimeFormat, set);
  }

  liveButtons_ = {btNext, btPrev};
  if (stepCapable_) {
    liveButtons_.Include(btStep);
    liveButtons_.Include(btBack);
  }
  if (playCapable_) liveButtons_.Include(btPlay);
  if (recordCapable_) liveButtons_.Include(btRecord);
  if (ejectCapable_) liveButtons_.Include(btEject);

  if (Mode() == mpPlaying) UpdateLiveButtons(btPlay);
  ApplyLiveButtons();
}

void TMediaPlayer::ReadVideoRect(std::uint32_t whereFlag) {
  MciParams params;
  SendRecorded(mci::kWhere, whereFlag, params);
  videoWidth_ = params.rect.right - params.rect.left;
  videoHeight_ = params.rect.bottom - params.rect.top;
}

void TMediaPlayer::Close() {
  if (device_.Get() == 0) return;
  MciParams params;
  params.callback = Callback();
  if (SendRecorded(mci::kClose, WaitingFlags(), params) != 0) return;
  isOpen_ = false;
  device_.Closed();
  liveButtons_ = {};
  ApplyLiveButtons();
}

// --- playing ---------------------------------------------------------------

void TMediaPlayer::PlayOrRecord(std::uint32_t command) {
  MciParams params;
  std::uint32_t flags = NotifyingFlags();
  DisarmWaitAndNotify();
  if (startOnce_) {
    flags |= mci::kFrom;
    params.from = *startOnce_;
    startOnce_.reset();
  }
  if (endOnce_) {
    flags |= mci::kTo;
    params.to = *endOnce_;
    endOnce_.reset();
  }
  params.callback = Callback();
  SendRecorded(command, flags, params);
}

bool TMediaPlayer::AtEnd() {
  const std::int32_t position = Position();  // asked first, then the length
  return position == Length();
}

void TMediaPlayer::Play() {
  RequireOpen();
  if (autoRewind_ && !startOnce_ && !endOnce_ && AtEnd()) Rewind();
  PlayOrRecord(mci::kPlay);
}

void TMediaPlayer::Record() {
  RequireOpen();
  PlayOrRecord(mci::kRecord);
}

void TMediaPlayer::Stop() {
  RequireOpen();
  MciParams params;
  params.callback = Callback();
  SendRecorded(mci::kStop, WaitingFlags(), params);
}

void TMediaPlayer::Pause() {
  RequireOpen();
  const TMPModes mode = Mode();
  if (mode == mpPlaying) {
    MciParams params;
    params.callback = Callback();
    SendRecorded(mci::kPause, WaitingFlags(), params);
  } else if (mode == mpPaused) {
    Resume();
  }
}

void TMediaPlayer::Resume() {
  RequireOpen();
  MciParams params;
  params.callback = Callback();
  if (SendRecorded(mci::kResume, NotifyingFlags(), params) == 0) {
    DisarmWaitAndNotify();
  } else {
    Play();  // a device that cannot resume plays from where it stands
  }
}

void TMediaPlayer::Rewind() {
  RequireOpen();
  MciParams params;
  Mci().Send(device_.Get(), mci::kSeek, mci::kWait | mci::kSeekToStart, params);
}

void TMediaPlayer::SeekToTrack(bool forward) {
  RequireOpen();
  if (TimeFormat() == mci::kFormatTmsf) {
    const std::uint32_t position = static_cast<std::uint32_t>(Position());
    const std::int32_t current = static_cast<std::int32_t>(TmsfTrack(position));
    std::uint32_t target = 0;
    if (forward) {
      target = static_cast<std::uint32_t>(
          TrackStart(current >= TrackCount() ? current : current + 1));
    } else {
      target = static_cast<std::uint32_t>(TrackStart(current));
      const bool withinFirstSecond = TmsfMinute(position) == TmsfMinute(target) &&
                                     TmsfSecond(position) == TmsfSecond(target);
      if (withinFirstSecond && current != 1)
        target = static_cast<std::uint32_t>(TrackStart(current - 1));
    }
    if (Mode() == mpPlaying) {
      startOnce_ = target;
      Play();
      pressedButton_ = btPlay;
      return;
    }
    MciParams params;
    params.to = target;
    params.callback = Callback();
    SendRecorded(mci::kSeek, WaitingFlags() | mci::kTo, params);
    return;
  }
  MciParams params;
  params.callback = Callback();
  SendRecorded(mci::kSeek, WaitingFlags() | (forward ? mci::kSeekToEnd : mci::kSeekToStart),
               params);
}

void TMediaPlayer::Next() { SeekToTrack(true); }

void TMediaPlayer::Previous() { SeekToTrack(false); }

void TMediaPlayer::StepBy(bool reverse) {
  RequireOpen();
  if (!videoCapable_) return;
  if (!reverse && autoRewind_ && AtEnd()) Rewind();
  MciParams params;
  params.frames = static_cast<std::uint32_t>(stepFrames_);
  params.callback = Callback();
  std::uint32_t flags = WaitingFlags() | mci::kStepFrames;
  if (reverse) flags |= mci::kStepReverse;
  SendRecorded(mci::kStep, flags, params);
}

void TMediaPlayer::Step() { StepBy(false); }

void TMediaPlayer::Back() { StepBy(true); }

void TMediaPlayer::Eject() {
  RequireOpen();
  if (!ejectCapable_) return;
  MciParams params;
  params.callback = Callback();
  SendRecorded(mci::kSet, WaitingFlags() | mci::kSetDoorOpen, params);
}

// --- status ----------------------------------------------------------------

std::int32_t TMediaPlayer::Length() {
  RequireOpen();
  return AsInt32(Query(mci::kStatusLength, true));
}

std::int32_t TMediaPlayer::Position() { return AsInt32(Query(mci::kStatusPosition, true)); }

TMPModes TMediaPlayer::Mode() {
  const std::uint32_t mode = Query(mci::kStatusMode, true);
  // A refused query or an answer outside the seven modes reads as not ready.
  if (mode < mci::kModeNotReady || mode > mci::kModeOpen) return mpNotReady;
  return static_cast<TMPModes>(mode - mci::kModeNotReady);
}

std::int32_t TMediaPlayer::TrackCount() {
  RequireOpen();
  return AsInt32(Query(mci::kStatusNumberOfTracks, true));
}

std::uint32_t TMediaPlayer::TimeFormat() {
  RequireOpen();
  return Query(mci::kStatusTimeFormat, true);
}

std::int32_t TMediaPlayer::TrackLength(std::int32_t track) {
  RequireOpen();
  MciParams params;
  params.item = mci::kStatusLength;
  params.track = static_cast<std::uint32_t>(track);
  if (Mci().Send(device_.Get(), mci::kStatus, mci::kWait | mci::kTrack | mci::kStatusItem,
                 params) != 0)
    return 0;
  return AsInt32(params.returned);
}

std::int32_t TMediaPlayer::TrackStart(std::int32_t track) {
  MciParams params;
  params.item = mci::kStatusPosition;
  params.track = static_cast<std::uint32_t>(track);
  if (Mci().Send(device_.Get(), mci::kStatus, mci::kWait | mci::kTrack | mci::kStatusItem,
                 params) != 0)
    return 0;
  return AsInt32(params.returned);
}

std::string TMediaPlayer::ErrorText() const {
  std::string text;
  if (Mci().ErrorString(lastError_, text)) return text;
  return "Unknown error code";
}

// --- live buttons and notifications ------------------------------------------

void TMediaPlayer::AllowPlayAndRecord() {
  if (playCapable_) liveButtons_.Include(btPlay);
  if (recordCapable_) liveButtons_.Include(btRecord);
}

void TMediaPlayer::UpdateLiveButtons(TMPBtnType kind) {
  switch (kind) {
    case btPlay:
    case btRecord:
      liveButtons_.Exclude(btPlay);
      liveButtons_.Exclude(btRecord);
      liveButtons_.Include(btPause);
      liveButtons_.Include(btStop);
      break;
    case btPause:
      AllowPlayAndRecord();
      break;
    case btStop:
    case btNext:
    case btPrev:
    case btStep:
    case btBack:
    case btEject:
      AllowPlayAndRecord();
      liveButtons_.Exclude(btPause);
      liveButtons_.Exclude(btStop);
      break;
  }
}

void TMediaPlayer::ApplyLiveButtons() {
  liveFlags_ = liveButtons_;
  Invalidate();
}

void TMediaPlayer::Notify(std::uint32_t code) {
  if (autoEnable_ && Mode() == mpStopped) {
    AllowPlayAndRecord();
    liveButtons_.Exclude(btPause);
    liveButtons_.Exclude(btStop);
    ApplyLiveButtons();
  }
  switch (code) {
    case mci::kNotifySuccessful: notifyResult_ = NotifySuccessful; break;
    case mci::kNotifySuperseded: notifyResult_ = NotifySuperseded; break;
    case mci::kNotifyAborted: notifyResult_ = NotifyAborted; break;
    case mci::kNotifyFailure: notifyResult_ = NotifyFailure; break;
    default: break;
  }
  if (OnNotify) OnNotify(this);
}

}  // namespace dz
