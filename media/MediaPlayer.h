#pragma once
// TMediaPlayer: the media player control, a windowed, self-painted control
// of the form. It owns at most one open MCI device, opened on one file,
// drives it with the requests below, and shows a bar of push-button cells,
// one per shown button kind, that the user presses with the mouse or the
// keyboard to fire the kind's default action on the device.
//
// The bar's whole state (cells, faces, focus, press) is here; the control's
// peer is an ordinary self-painted window that paints through Paint, reports
// the mouse and keys, and is the window MCI posts its completion notices
// (MM_MCINOTIFY) to: they reach Notify through the dispatcher. Requests
// name the peer's window as their callback; a request made while the
// control has no window (before the form is shown, or without a peer
// factory) goes without one: it never fails for the want of one.
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>

#include "media/MciDevice.h"
#include "runtime/Exceptions.h"
#include "ui/Controls.h"
#include "ui/Picture.h"

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

// The three faces of a button kind (media/MediaPlayerFaces.h).
enum class FaceStyle : std::uint8_t { Enabled, Disabled, Coloured };
inline constexpr int kFaceStyleCount = 3;
inline constexpr int kFaceCount = kFaceStyleCount * kButtonKindCount;
// Faces are kept style by style, each in kind order.
constexpr std::size_t FaceIndex(FaceStyle style, TMPBtnType kind) {
  return static_cast<std::size_t>(style) * kButtonKindCount + kind;
}

class TMediaPlayer : public TCustomControl {
 public:
  // 240 x 30, a tab stop, closed; the 27 faces loaded.
  explicit TMediaPlayer(TComponent* owner);
  // Closes an open device, waiting; never raises. The faces go with it.
  ~TMediaPlayer() override;
  const char* ClassName() const override { return "TMediaPlayer"; }

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

  // The stored layout is being read into the control, from now until
  // Loaded: a resize leaves the cells alone, and the shown kinds share the
  // width as it is.
  void Loading();
  // Runs once the control has been loaded from the stored layout: the width
  // fits the shown cells, then AutoOpen.
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
  std::uint16_t DeviceIdent() const { return device_.Get(); }
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

  // The bar's state.
  // Width of one cell, both border columns included; neighbours share one.
  int CellWidth() const { return cellWidth_; }
  // The widest face plus 8, the tallest plus 4.
  int MinCellWidth() const { return minCellWidth_; }
  int MinCellHeight() const { return minCellHeight_; }
  // The shown kinds, counted as 1 when there are none.
  int VisibleCount() const;
  // The kind with the focus rectangle, which the Space key fires.
  TMPBtnType FocusIndex() const { return focusIndex_; }
  // A mouse press on an allowed cell is in progress.
  bool Tracking() const { return tracking_; }
  // The pressed cell is drawn sunken (the pointer is over it).
  bool ShownDown() const { return shownDown_; }
  TRect PressedRect() const { return pressedRect_; }
  // LiveButtons as the bar last took them (ApplyLiveButtons).
  TButtonSet LiveFlags() const { return liveFlags_; }
  const Picture& Face(FaceStyle style, TMPBtnType kind) const;

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

  // The bar: the outline, then a cell per shown kind with its face.
  void Paint(Canvas& canvas) override;
  // A left press on an allowed cell presses it; the release over it fires
  // it. Space fires the focused kind, Left and Right move the focus.
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void CancelMode() override;
  void KeyDown(std::uint16_t& key, TShiftState shift) override;

 protected:
  void ComponentFreed(TComponent* component) noexcept override;
  void Resized(int dx, int dy) override;
  // The bar fires its own events; there is no plain click.
  bool ClickOnRelease() const override { return false; }

 private:
  // The bar (MediaPlayerBar.cpp).
  void LoadFaces();
  bool Shown(TMPBtnType kind) const { return visibleButtons_.Contains(kind); }
  // Whether a mouse press may press the kind: live or enabled, as AutoEnable says.
  bool Allowed(TMPBtnType kind) const;
  void FitSizeToCells();
  void FitWidthToCells();
  void PaintCell(Canvas& canvas, TMPBtnType kind, int x);
  void StepFocus(int direction);
  void UpdateBarAfterFire();
  bool HasKeyboardFocus() const;

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
  MciDevice device_;
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

  // The bar. The shown, enabled and coloured flags of the kinds are the
  // three sets above; the live flags follow LiveButtons only when applied.
  std::array<Picture, kFaceCount> faces_;
  TButtonSet liveFlags_;
  int cellWidth_ = 0;
  int minCellWidth_ = 0;
  int minCellHeight_ = 0;
  TMPBtnType focusIndex_ = btPlay;
  bool tracking_ = false;
  bool shownDown_ = false;
  TRect pressedRect_;
  bool loading_ = false;
};

}  // namespace dz
