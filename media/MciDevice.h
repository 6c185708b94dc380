#pragma once
// An open MCI device: MCI_OPEN pairs with MCI_CLOSE. The owner closes the
// device it holds when it goes or is given another one, waiting and without
// a notice; a refused close is not reported, since destruction never raises.
// Move-only.
#include <cstdint>
#include <utility>

namespace dz {

class MciDevice {
 public:
  MciDevice() noexcept = default;
  explicit MciDevice(std::uint16_t id) noexcept : id_(id) {}
  ~MciDevice() { Reset(); }
  MciDevice(MciDevice&& other) noexcept : id_(std::exchange(other.id_, 0)) {}
  MciDevice& operator=(MciDevice&& other) noexcept {
    if (this != &other) {
      Reset();
      id_ = std::exchange(other.id_, 0);
    }
    return *this;
  }
  MciDevice(const MciDevice&) = delete;
  MciDevice& operator=(const MciDevice&) = delete;

  std::uint16_t Get() const noexcept { return id_; }
  // The device was closed by a request of the holder's own.
  void Closed() noexcept { id_ = 0; }
  void Reset() noexcept;

 private:
  std::uint16_t id_ = 0;
};

}  // namespace dz
