#pragma once
// TMediaPlayer: the media player control, a windowed, self-painted control
// of the form. It owns at most one open MCI device, opened on one file,
// drives it with the requests below and paints a bar of button cells.
//
// Its native window is its peer, which is also the window MCI posts its
// completion notices to. The peer plugs in as the control's MediaPlayerHost:
// it calls SetHost(this) when made and SetHost(nullptr) when it goes, gives
// its window handle from CallbackWindow(), repaints on ApplyLiveButtons, and
// calls Notify(code) through the dispatcher when MM_MCINOTIFY arrives.
// A request made while the control has no window (before the form is shown,
// or without a peer factory) goes without a callback window: it never fails
// for the want of one.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>

#include "runtime/Exceptions.h"
#include "ui/Controls.h"

namespace dz {

class MciPort;
struct MciParams;

// A failed open, or an operation without an open device.
class EMCIDeviceError : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const noexcept override { return "EMCIDeviceError"; }
};

// The button kinds, in bar order.
enum TMPBtnType : std::uint8_t {
  btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject
};
inline constexpr int kButtonKindCount = 9;

// A set of button kinds in 16 bits: bit n stands for the kind of ordinal n.
class TButtonSet {
 public:
  constexpr TButtonSet() = default;
  constexpr TButtonSet(std::initializer_list<TMPBtnType> kinds) {
    for (TMPBtnType kind : kinds) Include(kind);
  }
  static constexpr TButtonSet FromBits(std::uint16_t bits) {
    TButtonSet set;
    set.bits_ = static_cast<std::uint16_t>(bits & kAllBits);
    return set;
  }
  static constexpr TButtonSet All() { return FromBits(kAllBits); }

  constexpr bool Contains(TMPBtnType kind) const { return (bits_ >> kind) & 1u; }
  constexpr void Include(TMPBtnType kind) { bits_ = static_cast<std::uint16_t>(bits_ | (1u << kind)); }
  constexpr void Exclude(TMPBtnType kind) { bits_ = static_cast<std::uint16_t>(bits_ & ~(1u << kind)); }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr std::uint16_t Bits() const { return bits_; }
  friend constexpr bool operator==(TButtonSet a, TButtonSet b) { return a.bits_ == b.bits_; }

 private:
  static constexpr std::uint16_t kAllBits = 0x01FF;
  std::uint16_t bits_ = 0;
};

enum TMPDeviceTypes : std::uint8_t {
  dtAutoSelect, dtAVIVideo, dtCDAudio, dtDAT, dtDigitalVideo, dtMMMovie, dtOther,
  dtOverlay, dtScanner, dtSequencer, dtVCR, dtVideodisc, dtWaveAudio
};

// The MCI device-type text that Open passes for a forced type ("" for
// dtAutoSelect).
const char* DeviceTypeText(TMPDeviceTypes type);

// The outcome carried by the last MM_MCINOTIFY.
enum TMPNotifyValues : std::uint8_t {
  NotifySuccessful, NotifySuperseded, NotifyAborted, NotifyFailure
};

// The device's mode, as Mode answers it.
enum TMPModes : std::uint8_t {
  mpNotReady, mpStopped, mpPlaying, mpRecording, mpSeeking, mpPaused, mpOpen
};

using EMPNotify = std::function<void(TObject* Sender, TMPBtnType Button, bool& DoDefault)>;
using EMPPostNotify = std::function<void(TObject* Sender, TMPBtnType Button)>;

// What the control needs of its native window (its peer).
class MediaPlayerHost {
 public:
  virtual ~MediaPlayerHost() = default;
  // The control's own window handle: the callback of every request that
  // may notify.
  virtual std::uintptr_t CallbackWindow() = 0;
  // Copy the live set into the bar's per-kind live flags and repaint.
  virtual void ApplyLiveButtons(TButtonSet live) = 0;
  // A shown, enabled or coloured set or AutoEnable changed.
  virtual void ButtonSetsChanged() {}
};

class TMediaPlayer : public TCustomControl {
 public:
  // 240 x 30, a tab stop; closed.
  explicit TMediaPlayer(TComponent* owner);
  // Closes an open device, waiting; never raises.
  ~TMediaPlayer() override;
  const char* ClassName() const override { return "TMediaPlayer"; }

  void SetHost(MediaPlayerHost* host) { host_ = host; }

  // Published properties.
  const std::string& FileName() const { return fileName_; }
  void SetFileName(const std::string& name) { fileName_ = name; }
  TMPDeviceTypes DeviceType() const { return deviceType_; }
  void SetDeviceType(TMPDeviceTypes type) { deviceType_ = type; }
  bool Shareable() const { return shareable_; }
  void SetShareable(bool value) { shareable_ = value; }
  bool AutoOpen() const { return autoOpen_; }
  void SetAutoOpen(bool value) { autoOpen_ = value; }
  bool AutoRewind() const { return autoRewind_; }
  void SetAutoRewind(bool value) { autoRewind_ = value; }
  bool AutoEnable() const { return autoEnable_; }
  void SetAutoEnable(bool value);
  TButtonSet VisibleButtons() const { return visibleButtons_; }
  void SetVisibleButtons(TButtonSet set);
  TButtonSet EnabledButtons() const { return enabledButtons_; }
  void SetEnabledButtons(TButtonSet set);
  TButtonSet ColoredButtons() const { return coloredButtons_; }
  void SetColoredButtons(TButtonSet set);
  // The windowed control in which a video device shows its picture (none:
  // the device's own window). The player hears of its destruction: the
  // picture goes back to the device's own window and Display becomes none.
  TWinControl* Display() const { return display_; }
  void SetDisplay(TWinControl* display);

  // The bar's button event, fired before a button's default action; it
  // stands in for the plain click of other controls.
  EMPNotify OnClick;
  EMPPostNotify OnPostClick;
  TNotifyEvent OnNotify;

  // Runs once the control has been loaded from the stored layout.
  void Loaded();

  // Device operations.
  void Open();
  void Close();
  void Play();
  void Pause();
  void Resume();
  void Stop();
  void Next();
  void Previous();
  void Step();
  void Back();
  void Record();
  void Eject();
  void Rewind();

  // Status queries; a refused query answers 0 (Mode: mpNotReady).
  std::int32_t Length();
  std::int32_t Position();
  TMPModes Mode();
  std::int32_t TrackCount();
  std::uint32_t TimeFormat();
  std::int32_t TrackLength(std::int32_t track);
  std::int32_t TrackStart(std::int32_t track);

  // One-shot overrides for the next request that honours them.
  void SetWait(bool wait) { waitOnce_ = wait; }
  void SetNotify(bool notify) { notifyOnce_ = notify; }
  void SetStartPos(std::uint32_t position) { startOnce_ = position; }
  void SetEndPos(std::uint32_t position) { endOnce_ = position; }

  // The platform's text for LastError, or "Unknown error code".
  std::string ErrorText() const;

  // Internal state.
  bool IsOpen() const { return isOpen_; }
  std::uint16_t DeviceIdent() const { return deviceIdent_; }
  std::uint32_t LastError() const { return lastError_; }
  std::int32_t StepFrames() const { return stepFrames_; }
  bool PlayCapable() const { return playCapable_; }
  bool RecordCapable() const { return recordCapable_; }
  bool EjectCapable() const { return ejectCapable_; }
  bool VideoCapable() const { return videoCapable_; }
  bool StepCapable() const { return stepCapable_; }
  std::int32_t VideoWidth() const { return videoWidth_; }
  std::int32_t VideoHeight() const { return videoHeight_; }
  TMPNotifyValues NotifyResult() const { return notifyResult_; }
  TButtonSet LiveButtons() const { return liveButtons_; }
  // The kind being pressed on the bar, or last fired.
  TMPBtnType PressedButton() const { return pressedButton_; }
  void SetPressedButton(TMPBtnType kind) { pressedButton_ = kind; }

  // Live buttons after `kind` was acted on, and their copy to the bar.
  void UpdateLiveButtons(TMPBtnType kind);
  void ApplyLiveButtons();

  // The default action of a kind (btPlay: Play, btPause: Pause ...).
  void DoDefaultAction(TMPBtnType kind);
  // Fires PressedButton: OnClick, then, unless the handler cleared
  // DoDefault, the default action and OnPostClick. Failures propagate.
  void FireButton();

  // MM_MCINOTIFY arrived with this notify code.
  void Notify(std::uint32_t code);

  // The bar: one raised cell per shown kind, over the button face colour.
  void Paint(Canvas& canvas) override;

 protected:
  void ComponentFreed(TComponent* component) noexcept override;

 private:
  void DisplayRemoved() noexcept;
  void RequireOpen() const;
  std::uint32_t WaitingFlags();
  std::uint32_t NotifyingFlags() const;
  void DisarmWaitAndNotify();
  std::uintptr_t Callback();
  std::uint32_t SendRecorded(std::uint32_t command, std::uint32_t flags, MciParams& params);
  std::uint32_t Query(std::uint32_t item, bool record);
  bool Capability(std::uint32_t item);
  void ReadVideoRect(std::uint32_t whereFlag);
  bool AtEnd();
  void PlayOrRecord(std::uint32_t command);
  void SeekToTrack(bool forward);
  void StepBy(bool reverse);
  void AllowPlayAndRecord();

  MediaPlayerHost* host_ = nullptr;

  std::string fileName_;
  TMPDeviceTypes deviceType_ = dtAutoSelect;
  bool shareable_ = false;
  bool autoOpen_ = false;
  bool autoRewind_ = true;
  bool autoEnable_ = true;
  TButtonSet visibleButtons_ = TButtonSet::All();
  TButtonSet enabledButtons_ = TButtonSet::All();
  TButtonSet coloredButtons_ = TButtonSet::All();
  TWinControl* display_ = nullptr;

  bool isOpen_ = false;
  std::uint16_t deviceIdent_ = 0;
  std::uint32_t lastError_ = 0;
  std::optional<bool> waitOnce_;
  std::optional<bool> notifyOnce_;
  std::optional<std::uint32_t> startOnce_;
  std::optional<std::uint32_t> endOnce_;
  std::int32_t stepFrames_ = 0;
  bool playCapable_ = false;
  bool recordCapable_ = false;
  bool ejectCapable_ = false;
  bool videoCapable_ = false;
  bool stepCapable_ = false;
  std::int32_t videoWidth_ = 0;
  std::int32_t videoHeight_ = 0;
  TMPNotifyValues notifyResult_ = NotifySuccessful;
  TButtonSet liveButtons_;
  TMPBtnType pressedButton_ = btPlay;
};

}  // namespace dz
