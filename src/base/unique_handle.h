// One owning wrapper for every kind of Windows handle: a template over a traits
// class that knows the handle's invalid value and how to close it.
#pragma once

#include <windows.h>

#include <utility>

namespace kavadesk {

template <typename Traits>
class UniqueAny {
 public:
  using Handle = typename Traits::Handle;

  UniqueAny() noexcept : handle_(Traits::Invalid()) {}
  explicit UniqueAny(Handle handle) noexcept : handle_(handle) {}
  UniqueAny(UniqueAny&& other) noexcept : handle_(other.Release()) {}
  UniqueAny& operator=(UniqueAny&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  UniqueAny(const UniqueAny&) = delete;
  UniqueAny& operator=(const UniqueAny&) = delete;
  ~UniqueAny() { Reset(); }

  Handle Get() const noexcept { return handle_; }
  bool IsValid() const noexcept { return handle_ != Traits::Invalid(); }
  explicit operator bool() const noexcept { return IsValid(); }

  // Gives up ownership without closing.
  Handle Release() noexcept { return std::exchange(handle_, Traits::Invalid()); }

  // Closes the current handle and takes the new one. The caller's
  // GetLastError survives, so a failed call can be wrapped and then reported.
  void Reset(Handle handle = Traits::Invalid()) noexcept {
    if (handle_ != Traits::Invalid()) {
      const DWORD lastError = ::GetLastError();
      Traits::Close(handle_);
      ::SetLastError(lastError);
    }
    handle_ = handle;
  }

  // For APIs that return a handle through an out parameter.
  Handle* Receive() noexcept {
    Reset();
    return &handle_;
  }

 private:
  Handle handle_;
};

struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { ::CloseHandle(h); }
};

// File handles report failure as INVALID_HANDLE_VALUE, not null.
struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) noexcept { ::CloseHandle(h); }
};

// Directory searches are closed with FindClose, not CloseHandle.
struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) noexcept { ::FindClose(h); }
};

struct ModuleTraits {
  using Handle = HMODULE;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { ::FreeLibrary(h); }
};

struct RegKeyTraits {
  using Handle = HKEY;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { ::RegCloseKey(h); }
};

template <typename T>
struct LocalMemTraits {
  using Handle = T;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { ::LocalFree(reinterpret_cast<HLOCAL>(h)); }
};

using UniqueHandle = UniqueAny<KernelHandleTraits>;
using UniqueFile = UniqueAny<FileHandleTraits>;
using UniqueFind = UniqueAny<FindHandleTraits>;
using UniqueHModule = UniqueAny<ModuleTraits>;
using UniqueHKey = UniqueAny<RegKeyTraits>;
using UniqueArgv = UniqueAny<LocalMemTraits<LPWSTR*>>;

}  // namespace kavadesk
