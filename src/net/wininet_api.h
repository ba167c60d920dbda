// The WinINet functions that the downloader uses, taken from the system's
// wininet.dll (WinInetModule()); the program does not import WinINet. Every
// call checks its entry: a missing one is never called, and the call fails as
// the function itself would, with ERROR_PROC_NOT_FOUND as the last error.
#pragma once

#include <windows.h>
#include <wininet.h>

#include "base/unique_handle.h"

namespace kavadesk {

class WinInetApi {
 public:
  WinInetApi() = default;
  // Resolves the six entries from a loaded wininet module; a null module or a
  // missing export leaves that entry empty.
  explicit WinInetApi(HMODULE wininet);

  // True when all six entries were found.
  bool IsComplete() const;

  // FALSE when the entry is missing.
  BOOL InternetGetConnectedState(LPDWORD flags, DWORD reserved) const;
  // Null when the entry is missing.
  HINTERNET InternetOpenW(LPCWSTR agent, DWORD accessType, LPCWSTR proxy, LPCWSTR proxyBypass,
                          DWORD flags) const;
  // Null when the entry is missing.
  HINTERNET InternetOpenUrlW(HINTERNET internet, LPCWSTR url, LPCWSTR headers, DWORD headersLength,
                             DWORD flags, DWORD_PTR context) const;
  // FALSE when the entry is missing.
  BOOL HttpQueryInfoW(HINTERNET request, DWORD infoLevel, LPVOID buffer, LPDWORD bufferLength,
                      LPDWORD index) const;
  // FALSE when the entry is missing.
  BOOL InternetReadFile(HINTERNET file, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead) const;
  // FALSE when the entry is missing.
  BOOL InternetCloseHandle(HINTERNET handle) const;

 private:
  decltype(&::InternetGetConnectedState) internetGetConnectedState_ = nullptr;
  decltype(&::InternetOpenW) internetOpenW_ = nullptr;
  decltype(&::InternetOpenUrlW) internetOpenUrlW_ = nullptr;
  decltype(&::HttpQueryInfoW) httpQueryInfoW_ = nullptr;
  decltype(&::InternetReadFile) internetReadFile_ = nullptr;
  decltype(&::InternetCloseHandle) internetCloseHandle_ = nullptr;
};

// The process-wide table, resolved from WinInetModule() on first use.
const WinInetApi& WinInet();

struct InternetHandleTraits {
  using Handle = HINTERNET;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { WinInet().InternetCloseHandle(h); }
};

using UniqueHInternet = UniqueAny<InternetHandleTraits>;

}  // namespace kavadesk
