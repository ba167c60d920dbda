#include "install/archive_unpacker.h"

#include <windows.h>

#include <filesystem>
#include <fstream>

#include "app/installer_config.h"
#include "install/process_runner.h"

namespace kavadesk {
namespace {

const wchar_t kBatchFile[] = L"unzip.bat";

}  // namespace

bool WriteUnzipBatch(const std::wstring& folder, const std::wstring& archiveName) {
  const std::wstring text = L"7za x -y " + archiveName + L"\n" + L"del /f " + archiveName;
  std::string bytes;
  bytes.reserve(text.size());
  for (const wchar_t unit : text) bytes.push_back(static_cast<char>(unit & 0xFF));
  // Text mode turns the "\n" into CR LF.
  std::ofstream out(std::filesystem::path(folder + kBatchFile), std::ios::out | std::ios::trunc);
  if (!out) return false;
  out << bytes;
  out.close();
  return static_cast<bool>(out);
}

void UnpackArchiveIn(const std::wstring& folder, const std::wstring& archiveName) {
  WriteUnzipBatch(folder, archiveName);
  // The interpreter is named by its full path, so that a cmd.exe in the
  // install folder or beside the installer is never the one that runs.
  const std::wstring systemFolder = SystemFolderPath();
  if (!systemFolder.empty()) {
    const std::wstring interpreter = systemFolder + L"\\cmd.exe";
    RunAndWait(L"\"" + interpreter + L"\" /C " + kBatchFile, folder);
  }
  ::DeleteFileW((folder + kBatchFile).c_str());
}

void UnpackArchive(const std::wstring& archiveName) { UnpackArchiveIn(InstallFolder(), archiveName); }

}  // namespace kavadesk
