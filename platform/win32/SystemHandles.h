#pragma once
// Owners of kernel, COM and sound resources, one per way of obtaining them:
// a kernel object handle (a waitable timer, a process opened to ask about
// it) pairs with CloseHandle, CoInitializeEx with CoUninitialize, a COM
// interface with Release, a waveform output stream with waveOutReset and
// waveOutClose. All are move-only or fixed in place.
#include <windows.h>
#include <mmsystem.h>
#include <objbase.h>

#include <utility>

#include "platform/win32/SoundLibrary.h"

namespace dz::win32 {

// A handle of a kernel object (CreateWaitableTimer, OpenProcess ...) / CloseHandle.
class KernelHandle {
 public:
  KernelHandle() noexcept = default;
  explicit KernelHandle(HANDLE handle) noexcept : handle_(handle) {}
  ~KernelHandle() { Reset(); }
  KernelHandle(KernelHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  KernelHandle& operator=(KernelHandle&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  KernelHandle(const KernelHandle&) = delete;
  KernelHandle& operator=(const KernelHandle&) = delete;

  HANDLE Get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != nullptr; }
  void Reset() noexcept {
    if (handle_) CloseHandle(std::exchange(handle_, nullptr));
  }

 private:
  HANDLE handle_ = nullptr;
};

// COM on this thread for the owner's scope, single-threaded apartment. When
// the thread already runs COM in the other model, COM is usable all the
// same and is left as it was.
class ComApartment {
 public:
  ComApartment() noexcept {
    const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    owned_ = SUCCEEDED(result);  // S_OK and S_FALSE both want their CoUninitialize
    usable_ = owned_ || result == RPC_E_CHANGED_MODE;
  }
  ~ComApartment() {
    if (owned_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

  bool Usable() const noexcept { return usable_; }

 private:
  bool owned_ = false;
  bool usable_ = false;
};

// A COM interface pointer / Release.
template <class Interface>
class ComPtr {
 public:
  ComPtr() noexcept = default;
  ~ComPtr() { Reset(); }
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      Reset();
      p_ = std::exchange(other.p_, nullptr);
    }
    return *this;
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;

  Interface* operator->() const noexcept { return p_; }
  explicit operator bool() const noexcept { return p_ != nullptr; }
  // For the functions that hand out an interface; releases the one held.
  Interface** Put() noexcept {
    Reset();
    return &p_;
  }
  void** PutVoid() noexcept { return reinterpret_cast<void**>(Put()); }
  void Reset() noexcept {
    if (p_) std::exchange(p_, nullptr)->Release();
  }

 private:
  Interface* p_ = nullptr;
};

// A waveform output stream (waveOutOpen) / waveOutReset, waveOutClose of the
// sound library that opened it. The reset hands back every buffer written to
// it; the owner of a buffer unprepares it before the stream is closed.
class WaveOutHandle {
 public:
  WaveOutHandle() noexcept = default;
  ~WaveOutHandle() { Reset(); }
  WaveOutHandle(const WaveOutHandle&) = delete;
  WaveOutHandle& operator=(const WaveOutHandle&) = delete;

  HWAVEOUT Get() const noexcept { return stream_; }
  HWAVEOUT* Put(const SoundLibrary& openedBy) noexcept {
    Reset();
    library_ = &openedBy;
    return &stream_;
  }
  explicit operator bool() const noexcept { return stream_ != nullptr; }
  void Reset() noexcept {
    if (!stream_) return;
    library_->waveOutReset(stream_);
    library_->waveOutClose(std::exchange(stream_, nullptr));
  }

 private:
  const SoundLibrary* library_ = nullptr;
  HWAVEOUT stream_ = nullptr;
};

}  // namespace dz::win32
