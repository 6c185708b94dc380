#pragma once
// Runs a cleanup when the scope ends, whether it ends normally or by an
// exception. The cleanup must not throw: it may run while one is on its way.
#include <type_traits>
#include <utility>

namespace dz {

template <class Cleanup>
class ScopeExit {
 public:
  explicit ScopeExit(Cleanup cleanup) noexcept(std::is_nothrow_move_constructible_v<Cleanup>)
      : cleanup_(std::move(cleanup)) {}
  ~ScopeExit() { cleanup_(); }
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;

 private:
  Cleanup cleanup_;
};

}  // namespace dz
