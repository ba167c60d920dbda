// Owner of one COM interface pointer: released once, when the owner goes.
#pragma once

#include <unknwn.h>

#include <utility>

namespace kavadesk {

template <typename Interface>
class ComPtr {
 public:
  ComPtr() noexcept = default;
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      Reset();
      pointer_ = std::exchange(other.pointer_, nullptr);
    }
    return *this;
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() { Reset(); }

  Interface* Get() const noexcept { return pointer_; }
  Interface* operator->() const noexcept { return pointer_; }
  explicit operator bool() const noexcept { return pointer_ != nullptr; }

  void Reset() noexcept {
    if (pointer_) std::exchange(pointer_, nullptr)->Release();
  }

  // For creation and QueryInterface calls, which hand the pointer out as void**.
  void** ReceiveVoid() noexcept {
    Reset();
    return reinterpret_cast<void**>(&pointer_);
  }

 private:
  Interface* pointer_ = nullptr;
};

}  // namespace kavadesk
