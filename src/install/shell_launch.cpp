#include "install/shell_launch.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "app/installer_config.h"
#include "install/shortcut_maker.h"

namespace kavadesk {

void LaunchApplication() {
  const std::wstring target = ApplicationTarget();
  ::ShellExecuteW(nullptr, L"runas", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void OpenReleaseNotes() {
  const std::wstring address = ServerFolderUrl() + ReleaseNotesFile();
  ::ShellExecuteW(::GetDesktopWindow(), L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace kavadesk
