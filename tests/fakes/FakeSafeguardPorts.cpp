#include "fakes/FakeSafeguardPorts.h"

#include <utility>

#include "runtime/Dispatch.h"

namespace dz {

void FakeExecutionState::SetSystemRequired(bool required) {
  systemRequired = required;
  requests.push_back(required);
}

bool FakeWakeTimer::WakeAt(const LocalTime& when) {
  if (refuse) {
    setFor.reset();
    return false;
  }
  setFor = when;
  ++sets;
  return true;
}

void FakeWakeTimer::Cancel() { setFor.reset(); }

void FakePowerEvents::SetHandler(std::function<void(PowerChange)> handler) {
  handler_ = std::move(handler);
}

void FakePowerEvents::Raise(PowerChange change) {
  if (handler_) Dispatch([&] { handler_(change); });
}

bool FakeFallbackSound::PlayLooped(std::shared_ptr<const std::vector<std::uint8_t>> wav) {
  if (refuse) return false;
  playing = std::move(wav);
  ++starts;
  return true;
}

void FakeFallbackSound::Stop() { playing.reset(); }

bool FakeAudioEndpoint::UnmuteDefaultOutput() {
  muted = false;
  ++unmutes;
  return true;
}

}  // namespace dz
