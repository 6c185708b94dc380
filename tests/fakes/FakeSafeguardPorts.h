#pragma once
// Test doubles of the alarm's safeguard ports: each holds what it was asked
// and answers as the test says.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "alarm/SafeguardPorts.h"
#include "runtime/Platform.h"
#include "runtime/Dispatch.h"

namespace dz {

struct FakeExecutionState final : ExecutionState {
  void SetSystemRequired(bool required) override { systemRequired = required; }
  bool systemRequired = false;
};

struct FakeWakeTimer final : WakeTimer {
  bool WakeAt(const LocalTime& when) override {
    setFor = refuse ? std::nullopt : std::optional<LocalTime>(when);
    ++sets;
    return !refuse;
  }
  void Cancel() override { setFor.reset(); }
  std::optional<LocalTime> setFor;  // when it would resume the system
  bool refuse = false;              // the system refuses timers that resume it
  int sets = 0;                     // WakeAt calls, refused ones included
};

struct FakePowerEvents final : PowerEvents {
  void SetHandler(std::function<void(PowerChange)> h) override { handler = std::move(h); }
  // Tells the handler through the dispatcher, as the platform does.
  void Raise(PowerChange change) {
    if (handler) Dispatch([&] { handler(change); });
  }
  std::function<void(PowerChange)> handler;
};

struct FakeDisplayWake final : DisplayWake {
  bool WakeDisplay() override {
    ++wakes;
    return true;
  }
  int wakes = 0;
};

struct FakeFallbackSound final : FallbackSound {
  bool PlayLooped(std::shared_ptr<const std::vector<std::uint8_t>> wav) override {
    playing = std::move(wav);
    ++starts;
    return true;
  }
  void Stop() override { playing.reset(); }
  bool Playing() const { return playing != nullptr; }
  std::shared_ptr<const std::vector<std::uint8_t>> playing;
  int starts = 0;
};

struct FakeAudioEndpoint final : AudioEndpoint {
  bool DefaultOutputMuted() override { return muted; }
  bool UnmuteDefaultOutput() override {
    muted = false;
    ++unmutes;
    return true;
  }
  bool muted = false;
  int unmutes = 0;
};

// Every safeguard port faked, for a fixture that takes it as its first base
// so that the ports outlive the window.
struct FakeSafeguards {
  void InstallIn(Platform& platform) {
    platform.executionState = &awake;
    platform.wakeTimer = &wakeTimer;
    platform.power = &power;
    platform.fallbackSound = &sound;
    platform.audioEndpoint = &endpoint;
    platform.displayWake = &display;
  }
  FakeExecutionState awake;
  FakeWakeTimer wakeTimer;
  FakePowerEvents power;
  FakeFallbackSound sound;
  FakeAudioEndpoint endpoint;
  FakeDisplayWake display;
};

}  // namespace dz
