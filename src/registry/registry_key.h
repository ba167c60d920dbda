// Thin typed access to registry keys and values, each key owned by a
// UniqueHKey. Every call works on one key the caller opened; nothing is kept.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "base/unique_handle.h"

namespace kavadesk {

// The most UTF-16 units, terminating null included, that a string read takes.
constexpr DWORD kStringValueBufferUnits = 512;

// The path with every run of backslashes made one and none at either end, so
// that pieces joined by plain concatenation name the key they mean.
std::wstring NormalizedKeyPath(const std::wstring& path);

// Opens root\path with the given access into key; returns ERROR_SUCCESS or the
// registry's error code (ERROR_FILE_NOT_FOUND when the key is missing), and
// leaves key empty on failure.
LONG OpenRegistryKey(HKEY root, const std::wstring& path, REGSAM access, UniqueHKey& key);

// Creates root\path and any missing parents (non-volatile, default security),
// or opens it when it exists; returns ERROR_SUCCESS or the registry's error code.
LONG CreateRegistryKey(HKEY root, const std::wstring& path, REGSAM access, UniqueHKey& key);

// The text of a REG_SZ or REG_EXPAND_SZ value (unexpanded) up to its first
// null; nothing when the value is missing, of another type, not ended by a
// null, or longer than kStringValueBufferUnits units with its null.
std::optional<std::wstring> QueryStringValue(HKEY key, const wchar_t* name);

// The number of a REG_DWORD value of exactly four bytes; nothing when the
// value is missing, of another type or of another size.
std::optional<DWORD> QueryDwordValue(HKEY key, const wchar_t* name);

// Set the value as REG_SZ (the text and its terminating null), REG_DWORD or
// REG_QWORD; each returns ERROR_SUCCESS or the registry's error code.
LONG SetStringValue(HKEY key, const wchar_t* name, const std::wstring& text);
LONG SetDwordValue(HKEY key, const wchar_t* name, DWORD value);
LONG SetQwordValue(HKEY key, const wchar_t* name, std::uint64_t value);

// Deletes one value of the key; returns ERROR_SUCCESS, ERROR_FILE_NOT_FOUND
// when it is missing, or another registry error code.
LONG DeleteRegistryValue(HKEY key, const wchar_t* name);

// Deletes the subkey and everything below it; an empty name is refused with
// ERROR_INVALID_PARAMETER, since it would empty the key itself. Returns
// ERROR_SUCCESS or the registry's error code.
LONG DeleteRegistrySubtree(HKEY key, const std::wstring& subkey);

}  // namespace kavadesk
