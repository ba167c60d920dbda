#include "install/run_hidden.h"

#include <windows.h>

#include <vector>

#include "base/unique_handle.h"

namespace kavadesk {

bool RunHiddenAndWait(const std::wstring& applicationPath, const std::wstring& commandLine,
                      const std::wstring& workingFolder) {
  // CreateProcessW may write into the command line, so it gets a copy.
  std::vector<wchar_t> writableLine(commandLine.begin(), commandLine.end());
  writableLine.push_back(L'\0');
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  if (!::CreateProcessW(applicationPath.c_str(), writableLine.data(), nullptr, nullptr, FALSE,
                        CREATE_NO_WINDOW, nullptr, workingFolder.empty() ? nullptr : workingFolder.c_str(),
                        &startup, &info)) {
    return false;
  }
  const UniqueHandle process(info.hProcess);
  const UniqueHandle thread(info.hThread);
  ::WaitForSingleObject(process.Get(), INFINITE);
  return true;
}

}  // namespace kavadesk
