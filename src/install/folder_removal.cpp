#include "install/folder_removal.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "base/known_folder.h"
#include "base/unique_handle.h"

namespace kavadesk {
namespace {

constexpr DWORD kPauseBeforeRemovalMs = 2000;

bool SamePath(const std::wstring& a, const std::wstring& b) {
  return !a.empty() && !b.empty() &&
         ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
             CSTR_EQUAL;
}

// A drive's root keeps its backslash: "C:" alone names the current folder.
std::wstring WithoutTrailingBackslashes(std::wstring path) {
  const auto isDriveRoot = [&path] { return path.size() == 3 && path[1] == L':'; };
  while (path.size() > 1 && (path.back() == L'\\' || path.back() == L'/') && !isDriveRoot()) path.pop_back();
  return path;
}

// Full, long and without trailing separators, so that "C:\WINDOWS\.\",
// "c:\progra~2" and "C:\Program Files (x86)" compare alike.
std::wstring Canonical(const std::wstring& path) {
  if (path.empty()) return path;
  std::vector<wchar_t> full(32768);
  const DWORD fullLength = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  std::wstring result = fullLength > 0 && fullLength < full.size() ? std::wstring(full.data(), fullLength) : path;
  std::vector<wchar_t> longName(32768);
  const DWORD longLength = ::GetLongPathNameW(result.c_str(), longName.data(), static_cast<DWORD>(longName.size()));
  if (longLength > 0 && longLength < longName.size()) result.assign(longName.data(), longLength);
  return WithoutTrailingBackslashes(result);
}

// A 32-bit process is not told the 64-bit program-files folder by the shell.
std::wstring NativeProgramFilesFolder() {
  HKEY opened = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0,
                      KEY_QUERY_VALUE | KEY_WOW64_64KEY, &opened) != ERROR_SUCCESS) {
    return std::wstring();
  }
  const UniqueHKey key(opened);
  wchar_t buffer[MAX_PATH + 1] = {};
  DWORD type = 0;
  DWORD size = MAX_PATH * sizeof(wchar_t);
  if (::RegQueryValueExW(key.Get(), L"ProgramFilesDir", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
          ERROR_SUCCESS ||
      type != REG_SZ) {
    return std::wstring();
  }
  return buffer;
}

std::wstring TemporaryFolder() {
  wchar_t buffer[MAX_PATH + 1] = {};
  const DWORD length = ::GetTempPathW(MAX_PATH + 1, buffer);
  return length > 0 && length <= MAX_PATH ? std::wstring(buffer, length) : std::wstring();
}

bool IsDriveRoot(const std::wstring& canonical) {
  wchar_t volume[MAX_PATH] = {};
  if (!::GetVolumePathNameW(canonical.c_str(), volume, MAX_PATH)) {
    return canonical.size() <= 3 && canonical.size() >= 2 && canonical[1] == L':';
  }
  return SamePath(WithoutTrailingBackslashes(volume), canonical);
}

std::wstring ParentOf(const std::wstring& canonical) {
  const size_t slash = canonical.find_last_of(L'\\');
  return slash == std::wstring::npos ? std::wstring() : canonical.substr(0, slash);
}

bool IsDirectory(const WIN32_FIND_DATAW& entry) { return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

bool IsDotEntry(const wchar_t* name) {
  return (name[0] == L'.' && name[1] == L'\0') || (name[0] == L'.' && name[1] == L'.' && name[2] == L'\0');
}

bool MakeWritable(const std::wstring& path, DWORD attributes) {
  if ((attributes & FILE_ATTRIBUTE_READONLY) == 0) return true;
  return ::SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY) != FALSE;
}

// Depth first; false at the first entry that stays.
bool RemoveTree(const std::wstring& path, DWORD attributes) {
  MakeWritable(path, attributes);
  const bool reparsePoint = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return ::DeleteFileW(path.c_str()) != FALSE;
  if (!reparsePoint) {
    WIN32_FIND_DATAW entry = {};
    UniqueFind search(::FindFirstFileW((path + L"\\*").c_str(), &entry));
    if (search) {
      do {
        if (IsDotEntry(entry.cFileName)) continue;
        if (!RemoveTree(path + L"\\" + entry.cFileName, entry.dwFileAttributes)) return false;
      } while (::FindNextFileW(search.Get(), &entry));
    }
  }
  return ::RemoveDirectoryW(path.c_str()) != FALSE;
}

bool IsInside(const std::wstring& path, const std::wstring& folder) {
  if (SamePath(path, folder)) return true;
  const std::wstring prefix = folder.back() == L'\\' ? folder : folder + L"\\";
  return path.size() > prefix.size() && SamePath(path.substr(0, prefix.size()), prefix);
}

void LeaveFolder(const std::wstring& folder) {
  std::vector<wchar_t> current(32768);
  const DWORD length = ::GetCurrentDirectoryW(static_cast<DWORD>(current.size()), current.data());
  if (length == 0 || length >= current.size()) return;
  if (!IsInside(WithoutTrailingBackslashes(std::wstring(current.data(), length)), folder)) return;
  const std::wstring parent = ParentOf(folder);
  ::SetCurrentDirectoryW((parent.size() == 2 ? parent + L"\\" : parent).c_str());
}

bool IsProtectedCanonical(const std::wstring& candidate) {
  if (candidate.empty() || IsDriveRoot(candidate)) return true;
  const std::wstring usersFolder = Canonical(KnownFolderPath(FOLDERID_UserProfiles));
  if (SamePath(ParentOf(candidate), usersFolder)) return true;
  const std::wstring protectedFolders[] = {
      KnownFolderPath(FOLDERID_Windows),        KnownFolderPath(FOLDERID_System),
      KnownFolderPath(FOLDERID_SystemX86),      KnownFolderPath(FOLDERID_ProgramFiles),
      KnownFolderPath(FOLDERID_ProgramFilesX86), NativeProgramFilesFolder(),
      KnownFolderPath(FOLDERID_ProgramData),    usersFolder,
      KnownFolderPath(FOLDERID_Profile),        TemporaryFolder(),
  };
  for (const std::wstring& folder : protectedFolders) {
    if (SamePath(candidate, Canonical(folder))) return true;
  }
  return false;
}

}  // namespace

bool IsProtectedFolder(const std::wstring& path) { return IsProtectedCanonical(Canonical(path)); }

void RemoveFolder(const std::wstring& path) {
  if (path.empty()) return;
  // The path that is checked is the one removed: "C:" alone, say, names the
  // drive's current folder, not its root.
  const std::wstring folder = Canonical(path);
  const DWORD attributes = ::GetFileAttributesW(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  // A damaged or planted record must never take a system or user folder.
  if (IsProtectedCanonical(folder)) return;
  // The installation makes its folder the current one, and a current folder
  // cannot be removed: the process steps out to the parent first.
  LeaveFolder(folder);
  ::Sleep(kPauseBeforeRemovalMs);
  RemoveTree(folder, attributes);
}

void DeleteFilesIn(const std::wstring& folder) {
  WIN32_FIND_DATAW entry = {};
  UniqueFind search(::FindFirstFileW((folder + L"*").c_str(), &entry));
  if (!search) return;
  do {
    if (!IsDirectory(entry)) ::DeleteFileW((folder + entry.cFileName).c_str());
  } while (::FindNextFileW(search.Get(), &entry));
}

}  // namespace kavadesk
