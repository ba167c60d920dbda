#include "standin_record.h"

#include <windows.h>

#include <string>

#include "base/unique_handle.h"

namespace kavadesk::test {
namespace {

// Several stand-ins may start at once; a writer that opened the log without
// sharing it (an editor, a virus scanner) is waited for this long.
constexpr int kOpenAttempts = 100;
constexpr DWORD kOpenRetryMs = 20;

std::wstring OwnExecutablePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return L"";
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

// The file name as the folder lists it, whatever case the starter used.
std::wstring ImageNameOnDisk(const std::wstring& executablePath) {
  WIN32_FIND_DATAW found = {};
  const UniqueFind search(::FindFirstFileW(executablePath.c_str(), &found));
  if (search) return found.cFileName;
  return executablePath.substr(executablePath.find_last_of(L"\\/") + 1);
}

std::wstring CurrentFolder() {
  const DWORD needed = ::GetCurrentDirectoryW(0, nullptr);
  if (needed == 0) return L"";
  std::wstring folder(needed, L'\0');
  const DWORD length = ::GetCurrentDirectoryW(needed, folder.data());
  folder.resize(length < needed ? length : 0);
  return folder;
}

std::wstring LogPath(const std::wstring& executablePath) {
  const wchar_t kVariable[] = L"KAVADESK_STANDIN_LOG";
  const DWORD needed = ::GetEnvironmentVariableW(kVariable, nullptr, 0);
  if (needed > 1) {
    std::wstring path(needed, L'\0');
    const DWORD length = ::GetEnvironmentVariableW(kVariable, path.data(), needed);
    if (length > 0 && length < needed) {
      path.resize(length);
      return path;
    }
  }
  return executablePath.substr(0, executablePath.find_last_of(L"\\/") + 1) + L"standin-runs.log";
}

std::string ToUtf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
  if (size <= 0) return {};
  std::string bytes(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr,
                        nullptr);
  return bytes;
}

UniqueFile OpenForAppending(const std::wstring& path) {
  for (int attempt = 0;; ++attempt) {
    UniqueFile file(::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file || attempt + 1 == kOpenAttempts) return file;
    const DWORD error = ::GetLastError();
    if (error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION) return file;
    ::Sleep(kOpenRetryMs);
  }
}

}  // namespace

bool AppendStandInRecord() {
  const std::wstring executablePath = OwnExecutablePath();
  FILETIME now = {};
  ::GetSystemTimeAsFileTime(&now);
  const unsigned long long time = (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;

  const std::wstring line = ImageNameOnDisk(executablePath) + L"\t" + ::GetCommandLineW() + L"\t" +
                            std::to_wstring(time) + L"\t" + CurrentFolder() + L"\n";
  const std::string bytes = ToUtf8(line);

  const UniqueFile log = OpenForAppending(LogPath(executablePath));
  if (!log) return false;
  // One write per line: appends of whole writes do not interleave.
  DWORD written = 0;
  return ::WriteFile(log.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

}  // namespace kavadesk::test
