#include "app/startup.h"

#include "app/admin_check.h"
#include "app/command_line.h"
#include "app/installer_config.h"
#include "app/language_choice.h"
#include "app/process_state.h"
#include "app/relaunch.h"
#include "app/single_instance.h"
#include "i18n/translation_catalog.h"
#include "net/server_layout.h"
#include "net/server_version.h"
#include "registry/registry_store.h"

namespace kavadesk {

void RestrictLibrarySearchPath() {
  ::SetDllDirectoryW(L"");
  // Looked up rather than imported: Windows 7 without its loader update lacks
  // the function, and an import would stop the installer from starting there.
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
  if (setDefault) setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

bool PrepareInstaller(const wchar_t* commandLine) {
  RestrictLibrarySearchPath();
  SavedCommandLine = commandLine ? commandLine : L"";

  const CommandLineOptions options = ParseCommandLine(SavedCommandLine);
  UninstallMode = options.UninstallMode;
  const std::wstring baseUrl = options.BaseUrl.empty() ? DefaultBaseUrl() : options.BaseUrl;
  BuildInstallerConfig(baseUrl);

  // The languages come before the relaunch so that its messages have texts;
  // this process may not be elevated yet, so nothing is stored.
  const std::wstring userLocale = UserLocaleName();
  Catalog().LoadLanguageFiles();
  Catalog().SetLanguage(PreliminaryLanguage(userLocale));

  RelaunchElevated(SavedCommandLine);

  bool alreadyRunning = false;
  UniqueHandle instanceMutex = CreateSingleInstanceMutex(ExecutableFileName(), alreadyRunning);
  if (alreadyRunning) return false;
  // Held for the life of the process: it is what a second start finds.
  instanceMutex.Release();

  if (!ChooseStartupLanguage(userLocale)) return false;
  if (!CheckAdminRights()) return false;

  ServerVersion.Set(CheckServerVersion());
  InstalledVersion = RegistryStore().GetInstalledVersion();

  return true;
}

}  // namespace kavadesk
