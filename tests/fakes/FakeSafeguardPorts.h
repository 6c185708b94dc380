#pragma once
// Test doubles of the alarm's safeguard ports: each records what it was
// asked and answers as the test says.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "alarm/SafeguardPorts.h"

namespace dz {

class FakeExecutionState final : public ExecutionState {
 public:
  void SetSystemRequired(bool required) override;

  bool systemRequired = false;
  std::vector<bool> requests;  // every request, in order
};

class FakeWakeTimer final : public WakeTimer {
 public:
  bool WakeAt(const LocalTime& when) override;
  void Cancel() override;

  // The time it would resume the system at, or nothing.
  std::optional<LocalTime> setFor;
  int sets = 0;
  // While set, the system refuses timers that resume it.
  bool refuse = false;
};

class FakePowerEvents final : public PowerEvents {
 public:
  void SetHandler(std::function<void(PowerChange)> handler) override;
  // Tells the handler, through the dispatcher, as the platform does.
  void Raise(PowerChange change);

  bool HasHandler() const { return static_cast<bool>(handler_); }

 private:
  std::function<void(PowerChange)> handler_;
};

class FakeFallbackSound final : public FallbackSound {
 public:
  bool PlayLooped(std::shared_ptr<const std::vector<std::uint8_t>> wav) override;
  void Stop() override;

  bool Playing() const { return static_cast<bool>(playing); }

  std::shared_ptr<const std::vector<std::uint8_t>> playing;
  int starts = 0;
  bool refuse = false;
};

class FakeAudioEndpoint final : public AudioEndpoint {
 public:
  bool DefaultOutputMuted() override { return muted; }
  bool UnmuteDefaultOutput() override;

  bool muted = false;
  int unmutes = 0;
};

}  // namespace dz
