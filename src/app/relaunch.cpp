#include "app/relaunch.h"

#include <windows.h>
#include <shellapi.h>

#include <filesystem>
#include <system_error>

#include "app/installer_config.h"
#include "app/process_exit.h"
#include "base/ascii.h"
#include "i18n/error_box.h"
#include "i18n/translation_catalog.h"

namespace kavadesk {

std::optional<std::wstring> UniqueTemporaryName() {
  wchar_t folder[MAX_PATH + 1];
  const DWORD length = ::GetTempPathW(MAX_PATH + 1, folder);
  if (length == 0 || length > MAX_PATH) return std::nullopt;
  // The C runtime's temporary names point at the drive's root here, so the
  // name is made in the temporary folder itself.
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const unsigned seed = ::GetCurrentProcessId() * 2654435761u ^ ::GetTickCount() ^ (++counter * 40503u);
    wchar_t name[16];
    ::wsprintfW(name, L"kvs%08x", seed);
    const std::wstring candidate = std::wstring(folder, length) + name;
    if (::GetFileAttributesW(candidate.c_str()) == INVALID_FILE_ATTRIBUTES &&
        ::GetLastError() == ERROR_FILE_NOT_FOUND) {
      return candidate;
    }
  }
  return std::nullopt;
}

RelaunchOutcome RelaunchFromTemporaryFolder(const std::wstring& uniqueName, const std::wstring& arguments) {
  const std::wstring copyFolder = AsciiLower(uniqueName);
  const std::wstring temporaryFolder = copyFolder.substr(0, copyFolder.rfind(L'\\'));
  // A plain prefix test: a sibling such as Temp2 beside Temp counts as inside.
  if (!temporaryFolder.empty() && AsciiLower(ExecutablePath()).rfind(temporaryFolder, 0) == 0) {
    return RelaunchOutcome::GoOn;
  }

  try {
    std::error_code error;
    if (!std::filesystem::create_directories(copyFolder, error)) {
      ShowErrorBox(Catalog().GetText(L"error_creating_folder") + ErrorCodeSuffix(error.value()));
      return RelaunchOutcome::Failed;
    }
  } catch (const std::exception&) {
    ShowErrorBox(Catalog().GetText(L"error_creating_folder"));
    return RelaunchOutcome::Failed;
  }

  const std::wstring copyPath = copyFolder + L"\\" + ExecutableFileName();
  std::error_code error;
  if (!std::filesystem::copy_file(ExecutablePath(), copyPath, std::filesystem::copy_options::none, error)) {
    ShowErrorBox(Catalog().GetText(L"copy_error") + CopyErrorCodeSuffix(error.value()));
    return RelaunchOutcome::Failed;
  }

  // Declining the elevation prompt ends the installer silently: the result
  // is not examined.
  ::ShellExecuteW(nullptr, L"runas", copyPath.c_str(), arguments.c_str(), nullptr, SW_SHOWNORMAL);
  return RelaunchOutcome::Started;
}

void RelaunchElevated(const std::wstring& arguments) {
  const std::optional<std::wstring> uniqueName = UniqueTemporaryName();
  if (!uniqueName) {
    ShowErrorBox(Catalog().GetText(L"temp_name_error"));
    EndProcess();
  }
  if (RelaunchFromTemporaryFolder(*uniqueName, arguments) != RelaunchOutcome::GoOn) EndProcess();
}

}  // namespace kavadesk
