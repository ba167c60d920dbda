#include "install/shell_folders.h"

#include <windows.h>
#include <shlobj.h>

#include <atomic>

#include "app/installer_config.h"

namespace kavadesk {
namespace {

std::atomic<bool> g_foldersUnknown{false};

// The shell fills the buffer only on success, so a failure gives "".
std::wstring WithBackslash(bool found, const wchar_t* buffer) {
  if (!found || g_foldersUnknown.load() || buffer[0] == L'\0') return std::wstring();
  return std::wstring(buffer) + L"\\";
}

std::wstring InFolder(const std::wstring& folder, const std::wstring& fileName) {
  return folder.empty() ? std::wstring() : folder + fileName;
}

}  // namespace

std::wstring DesktopFolder() {
  wchar_t buffer[MAX_PATH] = {};
  const bool found = ::SHGetSpecialFolderPathW(nullptr, buffer, CSIDL_DESKTOP, FALSE) != FALSE;
  return WithBackslash(found, buffer);
}

std::wstring CommonProgramsFolder() {
  wchar_t buffer[MAX_PATH] = {};
  const bool found = SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, 0, buffer));
  return WithBackslash(found, buffer);
}

std::wstring DesktopShortcutPath(const std::wstring& name) { return InFolder(DesktopFolder(), name + L".lnk"); }

std::wstring DesktopShortcut() { return InFolder(DesktopFolder(), ShortcutFileName()); }

std::wstring StartMenuShortcut() { return InFolder(CommonProgramsFolder(), ShortcutFileName()); }

void SetShellFoldersUnknownForTesting(bool unknown) { g_foldersUnknown.store(unknown); }

}  // namespace kavadesk
