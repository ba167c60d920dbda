#include "net/wininet_api.h"

#include "app/system_library.h"

namespace kavadesk {
namespace {

// What a call through a missing entry leaves for GetLastError.
template <typename Result>
Result Missing(Result failure) {
  ::SetLastError(ERROR_PROC_NOT_FOUND);
  return failure;
}

}  // namespace

WinInetApi::WinInetApi(HMODULE wininet)
    : internetGetConnectedState_(
          SystemLibraryEntry<decltype(internetGetConnectedState_)>(wininet, "InternetGetConnectedState")),
      internetOpenW_(SystemLibraryEntry<decltype(internetOpenW_)>(wininet, "InternetOpenW")),
      internetOpenUrlW_(SystemLibraryEntry<decltype(internetOpenUrlW_)>(wininet, "InternetOpenUrlW")),
      httpQueryInfoW_(SystemLibraryEntry<decltype(httpQueryInfoW_)>(wininet, "HttpQueryInfoW")),
      internetReadFile_(SystemLibraryEntry<decltype(internetReadFile_)>(wininet, "InternetReadFile")),
      internetCloseHandle_(SystemLibraryEntry<decltype(internetCloseHandle_)>(wininet, "InternetCloseHandle")) {}

bool WinInetApi::IsComplete() const {
  return internetGetConnectedState_ && internetOpenW_ && internetOpenUrlW_ && httpQueryInfoW_ &&
         internetReadFile_ && internetCloseHandle_;
}

BOOL WinInetApi::InternetGetConnectedState(LPDWORD flags, DWORD reserved) const {
  return internetGetConnectedState_ ? internetGetConnectedState_(flags, reserved) : Missing<BOOL>(FALSE);
}

HINTERNET WinInetApi::InternetOpenW(LPCWSTR agent, DWORD accessType, LPCWSTR proxy, LPCWSTR proxyBypass,
                                    DWORD flags) const {
  return internetOpenW_ ? internetOpenW_(agent, accessType, proxy, proxyBypass, flags)
                        : Missing<HINTERNET>(nullptr);
}

HINTERNET WinInetApi::InternetOpenUrlW(HINTERNET internet, LPCWSTR url, LPCWSTR headers, DWORD headersLength,
                                       DWORD flags, DWORD_PTR context) const {
  return internetOpenUrlW_ ? internetOpenUrlW_(internet, url, headers, headersLength, flags, context)
                           : Missing<HINTERNET>(nullptr);
}

BOOL WinInetApi::HttpQueryInfoW(HINTERNET request, DWORD infoLevel, LPVOID buffer, LPDWORD bufferLength,
                                LPDWORD index) const {
  return httpQueryInfoW_ ? httpQueryInfoW_(request, infoLevel, buffer, bufferLength, index)
                         : Missing<BOOL>(FALSE);
}

BOOL WinInetApi::InternetReadFile(HINTERNET file, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead) const {
  return internetReadFile_ ? internetReadFile_(file, buffer, bytesToRead, bytesRead) : Missing<BOOL>(FALSE);
}

BOOL WinInetApi::InternetCloseHandle(HINTERNET handle) const {
  return internetCloseHandle_ ? internetCloseHandle_(handle) : Missing<BOOL>(FALSE);
}

const WinInetApi& WinInet() {
  static const WinInetApi api(WinInetModule());
  return api;
}

}  // namespace kavadesk
