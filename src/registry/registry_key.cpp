#include "registry/registry_key.h"

#include <array>
#include <cwchar>

namespace kavadesk {

std::wstring NormalizedKeyPath(const std::wstring& path) {
  std::wstring result;
  result.reserve(path.size());
  for (const wchar_t c : path) {
    if (c == L'\\' && (result.empty() || result.back() == L'\\')) continue;
    result += c;
  }
  if (!result.empty() && result.back() == L'\\') result.pop_back();
  return result;
}

LONG OpenRegistryKey(HKEY root, const std::wstring& path, REGSAM access, UniqueHKey& key) {
  return ::RegOpenKeyExW(root, path.c_str(), 0, access, key.Receive());
}

LONG CreateRegistryKey(HKEY root, const std::wstring& path, REGSAM access, UniqueHKey& key) {
  return ::RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, key.Receive(),
                           nullptr);
}

std::optional<std::wstring> QueryStringValue(HKEY key, const wchar_t* name) {
  std::array<wchar_t, kStringValueBufferUnits> buffer{};
  DWORD type = REG_NONE;
  DWORD size = sizeof(buffer);
  if (::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS)
    return std::nullopt;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
  // The size is the stored one; a value that does not end in a whole null
  // unit is not a text, whatever lies in the buffer beyond it.
  if (size < sizeof(wchar_t) || size % sizeof(wchar_t) != 0 || size > sizeof(buffer)) return std::nullopt;
  const std::size_t units = size / sizeof(wchar_t);
  if (buffer[units - 1] != L'\0') return std::nullopt;
  return std::wstring(buffer.data(), std::wcslen(buffer.data()));
}

std::optional<DWORD> QueryDwordValue(HKEY key, const wchar_t* name) {
  DWORD value = 0;
  DWORD type = REG_NONE;
  DWORD size = sizeof(value);
  if (::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS)
    return std::nullopt;
  if (type != REG_DWORD || size != sizeof(value)) return std::nullopt;
  return value;
}

LONG SetStringValue(HKEY key, const wchar_t* name, const std::wstring& text) {
  const DWORD size = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
  return ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), size);
}

LONG SetDwordValue(HKEY key, const wchar_t* name, DWORD value) {
  return ::RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
}

LONG SetQwordValue(HKEY key, const wchar_t* name, std::uint64_t value) {
  return ::RegSetValueExW(key, name, 0, REG_QWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
}

LONG DeleteRegistryValue(HKEY key, const wchar_t* name) { return ::RegDeleteValueW(key, name); }

LONG DeleteRegistrySubtree(HKEY key, const std::wstring& subkey) {
  if (subkey.empty()) return ERROR_INVALID_PARAMETER;
  return ::RegDeleteTreeW(key, subkey.c_str());
}

}  // namespace kavadesk
