#include "install/process_runner.h"

#include <windows.h>

#include <vector>

#include "app/installer_config.h"
#include "base/unique_handle.h"

namespace kavadesk {

bool RunAndWait(const std::wstring& commandLine, const std::wstring& workingFolder) {
  // CreateProcessW may write into the command line, so it gets a copy.
  std::vector<wchar_t> writableLine(commandLine.begin(), commandLine.end());
  writableLine.push_back(L'\0');
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  if (!::CreateProcessW(nullptr, writableLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &info)) {
    return false;
  }
  const UniqueHandle process(info.hProcess);
  const UniqueHandle thread(info.hThread);
  ::WaitForSingleObject(process.Get(), INFINITE);
  return true;
}

void KillProcessByImageName(const std::wstring& imageName) {
  // By its full path, so that a taskkill.exe in the install folder (the
  // current folder during an installation) or beside the installer never runs.
  const std::wstring systemFolder = SystemFolderPath();
  if (systemFolder.empty()) return;
  RunAndWait(L"\"" + systemFolder + L"\\taskkill.exe\" /f /im " + imageName);
}

}  // namespace kavadesk
