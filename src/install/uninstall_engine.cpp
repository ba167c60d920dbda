#include "install/uninstall_engine.h"

#include <windows.h>

#include <string>

#include "app/installer_config.h"
#include "base/file_exists.h"
#include "install/folder_removal.h"
#include "install/process_runner.h"
#include "install/shell_folders.h"
#include "registry/registry_store.h"

namespace kavadesk {
namespace {

// An image name of an earlier product generation.
const wchar_t kLegacyExecutable[] = L"TXSSDKavadesk.exe";

// The company folder above the product folder of an install path: the loose
// files directly in it belong to the product too.
void DeleteCompanyFolderFiles(const std::wstring& installPath) {
  const size_t productFolder = installPath.find(ProductFolderName());
  if (productFolder == std::wstring::npos || productFolder == 0 || ProductFolderName().empty()) return;
  DeleteFilesIn(installPath.substr(0, productFolder));
}

void DeleteIfPresent(const std::wstring& path) {
  if (path.empty() || !PathExists(path)) return;
  ::DeleteFileW(path.c_str());
}

}  // namespace

void DeleteShortcuts() {
  DeleteIfPresent(DesktopShortcut());
  DeleteIfPresent(DesktopShortcutPath(FullProductName()));
  DeleteIfPresent(DesktopShortcutPath(ObrintShortProductName()));
  DeleteIfPresent(DesktopShortcutPath(ObrintFullProductName()));
  DeleteIfPresent(StartMenuShortcut());
}

int UninstallEngine::Progress() const { return progress_.load(); }

void UninstallEngine::Run() {
  const RegistryStore registry;
  // Only a stored state of 0 or below for both brands stops the removal; a
  // brand without records reads 5.
  if (registry.GetInstallState(CompanyName()) <= 0 && registry.GetInstallState(ObrintCompanyName()) <= 0) return;
  progress_.store(20);

  KillProcessByImageName(ApplicationExecutable());
  KillProcessByImageName(AlternateApplicationExecutable());
  KillProcessByImageName(ObrintAlternateApplicationExecutable());
  KillProcessByImageName(kLegacyExecutable);
  progress_.store(40);

  RemoveFolder(registry.GetInstallPath());
  RemoveFolder(registry.GetObrintInstallPath());
  DeleteCompanyFolderFiles(registry.GetInstallPath());
  DeleteCompanyFolderFiles(registry.GetObrintInstallPath());
  progress_.store(60);

  DeleteShortcuts();
  registry.RemoveInstallationRecords();
  progress_.store(100);
}

}  // namespace kavadesk
