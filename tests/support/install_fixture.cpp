#include "support/install_fixture.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <filesystem>
#include <system_error>
#include <thread>

#include "app/installer_config.h"
#include "base/com_ptr.h"
#include "base/unique_handle.h"
#include "i18n/translation_catalog.h"
#include "install/shell_folders.h"
#include "support/prefix_state.h"
#include "support/process.h"
#include "support/shipped_languages.h"
#include "support/test_env.h"

namespace kavadesk::test {

const wchar_t kPackageVersion[] = L"2.4.0";
const std::wstring kInstallFolder = L"C:\\Program Files (x86)\\Tarvex\\SSD Kavadesk\\";
const std::wstring kTarvexProduct = L"SOFTWARE\\Tarvex\\SSD Kavadesk";
const std::wstring kTarvexEntry = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tarvex SSD Kavadesk";
const std::wstring kThirdPackageKey =
    L"CLSID\\{109DC3E4-B9FF-4AF3-9008-AB13705D4E5F}\\Instance\\{E9BBD754-6CF4-492E-BA89-782177A2771B}"
    L"\\Instance\\{D37DAC4A-CEDC-453D-8659-6AD9451C9AA8}";

namespace {

void DeleteKey32(const wchar_t* parent, const wchar_t* name) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, parent, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, &opened) != ERROR_SUCCESS) {
    return;
  }
  const UniqueHKey key(opened);
  ::RegDeleteTreeW(key.Get(), name);
  ::RegDeleteKeyExW(key.Get(), name, KEY_WOW64_32KEY, 0);
}

}  // namespace

std::set<std::wstring> InstallationFootprint() {
  std::set<std::wstring> state;
  const auto add = [&state](const std::wstring& prefix, const StateLines& lines) {
    for (const std::wstring& line : lines) state.insert(prefix + line);
  };
  add(L"files:", FolderTree(L"C:\\Program Files (x86)"));
  add(L"desktop:", FolderTree(DesktopFolder()));
  add(L"programs:", FolderTree(CommonProgramsFolder()));
  for (const wchar_t* key : {L"SOFTWARE\\Tarvex", L"SOFTWARE\\Obrint", L"SOFTWARE\\TX", L"SOFTWARE\\TX SSD Kavadesk",
                             L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall"}) {
    add(std::wstring(L"HKLM\\") + key, RegistryTree(HKEY_LOCAL_MACHINE, key, KEY_WOW64_32KEY));
  }
  add(L"HKCU\\RunOnce",
      RegistryTree(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", 0));
  return state;
}

bool RegisterThirdPackageComponent() {
  HKEY created = nullptr;
  if (::RegCreateKeyExW(HKEY_CLASSES_ROOT, kThirdPackageKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created,
                        nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const UniqueHKey key(created);
  return true;
}

StartedProcess StartProgram(const std::wstring& path) { return StartCommandLine(L"\"" + path + L"\""); }

StartedProcess StartCommandLine(std::wstring commandLine) {
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  StartedProcess started;
  if (::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    started.Process.Reset(info.hProcess);
    started.Thread.Reset(info.hThread);
  }
  return started;
}

bool PrepareInstallerState() {
  if (!LoadShippedLanguages(Catalog())) return false;
  Catalog().SetLanguage(L"en-US");
  BuildInstallerConfig(FixtureUrl());
  return ::SetEnvironmentVariableW(L"KAVADESK_STANDIN_LOG", StandInLog().c_str()) != FALSE;
}

std::wstring StandInLog() { return RunDir() + L"stand-in-runs.log"; }

std::wstring PackageFolderOnServer() {
  return FixtureRoot() + L"txKavadesk\\application\\" + kPackageVersion + L"\\";
}

bool ServePackage(const std::wstring& builtName, const std::wstring& servedName) {
  const auto bytes = ReadWholeFile(BuildPath(L"test-package\\" + builtName));
  return bytes && WriteWholeFile(PackageFolderOnServer() + servedName, *bytes);
}

bool ResetInstallation() {
  std::error_code error;
  std::filesystem::remove_all(std::filesystem::path(L"C:\\Program Files (x86)\\Tarvex"), error);
  std::filesystem::remove_all(std::filesystem::path(L"C:\\Program Files (x86)\\Obrint"), error);
  std::filesystem::remove_all(std::filesystem::path(PackageFolderOnServer()), error);
  DeleteKey32(L"SOFTWARE", L"Tarvex");
  DeleteKey32(L"SOFTWARE", L"Obrint");
  DeleteKey32(L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall", L"Tarvex SSD Kavadesk");
  DeleteKey32(L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall", L"Obrint SSD Kavadesk");
  ::DeleteFileW(DesktopShortcut().c_str());
  ::DeleteFileW(StartMenuShortcut().c_str());
  ::DeleteFileW(StandInLog().c_str());
  return ::GetFileAttributesW(L"C:\\Program Files (x86)\\Tarvex") == INVALID_FILE_ATTRIBUTES;
}

std::vector<int> RunEngineOnWorker(InstallEngine& engine, int cancelAt) {
  std::vector<int> positions;
  SetInstallStepHookForTesting([&positions, cancelAt](InstallEngine& running, int position) {
    positions.push_back(position);
    if (position == cancelAt) running.Cancel();
  });
  std::thread worker([&engine] { engine.Run(); });
  worker.join();
  SetInstallStepHookForTesting(nullptr);
  return positions;
}

ShortcutDetails ReadShortcut(const std::wstring& linkPath) {
  ShortcutDetails details;
  ::CoInitialize(nullptr);
  ComPtr<IShellLinkW> link;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.ReceiveVoid()))) {
    return details;
  }
  ComPtr<IPersistFile> persist;
  if (FAILED(link->QueryInterface(IID_IPersistFile, persist.ReceiveVoid())) ||
      FAILED(persist->Load(linkPath.c_str(), STGM_READ))) {
    return details;
  }
  wchar_t text[MAX_PATH] = {};
  if (SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH))) details.Target = text;
  text[0] = L'\0';
  if (SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH))) details.WorkingFolder = text;
  text[0] = L'\0';
  int index = -1;
  if (SUCCEEDED(link->GetIconLocation(text, MAX_PATH, &index))) {
    details.IconPath = text;
    details.IconIndex = index;
  }
  return details;
}

}  // namespace kavadesk::test
