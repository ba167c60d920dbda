#include "support/process.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

#include "base/unique_handle.h"

namespace kavadesk::test {

ProcessResult RunProcess(const std::wstring& commandLine, const std::wstring& workingFolder,
                         unsigned long timeoutMs) {
  ProcessResult result;
  std::vector<wchar_t> mutableLine(commandLine.begin(), commandLine.end());
  mutableLine.push_back(L'\0');
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  if (!::CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &info)) {
    return result;
  }
  const UniqueHandle process(info.hProcess);
  const UniqueHandle thread(info.hThread);
  result.Started = true;
  if (::WaitForSingleObject(process.Get(), timeoutMs) != WAIT_OBJECT_0) {
    ::TerminateProcess(process.Get(), 1);
    ::WaitForSingleObject(process.Get(), 5000);
    return result;
  }
  DWORD code = 0;
  ::GetExitCodeProcess(process.Get(), &code);
  result.Finished = true;
  result.ExitCode = code;
  return result;
}

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  std::error_code error;
  const std::filesystem::path target(path);
  if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path(), error);
  std::ofstream out(target, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace kavadesk::test
