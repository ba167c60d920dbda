#include "support/windows_version.h"

#include <windows.h>

#include "base/unique_handle.h"

namespace kavadesk::test {

bool SetReportedWindowsVersion(const std::wstring& wineName) {
  UniqueHKey key;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine", 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        key.Receive(), nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const DWORD bytes = static_cast<DWORD>((wineName.size() + 1) * sizeof(wchar_t));
  return ::RegSetValueExW(key.Get(), L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(wineName.c_str()),
                          bytes) == ERROR_SUCCESS;
}

}  // namespace kavadesk::test
