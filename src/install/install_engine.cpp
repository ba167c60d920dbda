#include "install/install_engine.h"

#include <windows.h>

#include <string>
#include <utility>

#include "app/installer_config.h"
#include "app/process_exit.h"
#include "app/resource_ids.h"
#include "base/file_exists.h"
#include "i18n/error_box.h"
#include "i18n/translation_catalog.h"
#include "install/archive_unpacker.h"
#include "install/process_runner.h"
#include "install/resource_extractor.h"
#include "install/shortcut_maker.h"
#include "net/downloader.h"

namespace kavadesk {
namespace {

// Where the bar stands as each step begins; earlier Windows has no driver steps.
struct ProgressSteps {
  int ArchiveTool;
  int Download;
  int Unpacking;
  int Shortcuts;
  int Registration;
  int Runtime;
};
constexpr ProgressSteps kWindows10Steps = {10, 15, 20, 30, 40, 50};
constexpr ProgressSteps kEarlierSteps = {25, 35, 40, 55, 70, 85};
constexpr int kFirstDriverStep = 60;
constexpr int kSecondDriverStep = 70;
constexpr int kThirdPackageStep = 80;
constexpr int kComplete = 100;

// The registration of the component whose older driver package is removed.
const wchar_t kThirdPackageKey[] =
    L"CLSID\\{109DC3E4-B9FF-4AF3-9008-AB13705D4E5F}\\Instance\\{E9BBD754-6CF4-492E-BA89-782177A2771B}"
    L"\\Instance\\{D37DAC4A-CEDC-453D-8659-6AD9451C9AA8}";

// The install folder lies below "Program Files (x86)": unquoted, the system
// would try "C:\Program.exe" and "C:\Program Files.exe" first.
std::wstring PackageCommand(const std::wstring& program, const wchar_t* switches) {
  return L"\"" + InstallFolder() + program + L"\" " + switches;
}

bool ThirdPackageRegistered() {
  // The key text is copied into a buffer of 1024 units first.
  wchar_t keyText[1024] = {};
  ::lstrcpynW(keyText, kThirdPackageKey, 1024);
  HKEY opened = nullptr;
  if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, keyText, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  const UniqueHKey key(opened);
  return true;
}

void RemoveThirdPackageIfRegistered() {
  try {
    if (ThirdPackageRegistered()) {
      RunAndWait(PackageCommand(L"quintar_hal_setup.exe", L"/uninstall /quiet /norestart"));
    }
  } catch (...) {
    // The removal of an older package never stops the installation.
  }
}

}  // namespace

bool IsWindows10OrLater() {
  OSVERSIONINFOEXW wanted = {};
  wanted.dwOSVersionInfoSize = sizeof(wanted);
  wanted.dwMajorVersion = 10;
  wanted.dwMinorVersion = 0;
  wanted.wServicePackMajor = 0;
  ULONGLONG condition = 0;
  condition = ::VerSetConditionMask(condition, VER_MAJORVERSION, VER_GREATER_EQUAL);
  condition = ::VerSetConditionMask(condition, VER_MINORVERSION, VER_GREATER_EQUAL);
  condition = ::VerSetConditionMask(condition, VER_SERVICEPACKMAJOR, VER_GREATER_EQUAL);
  return ::VerifyVersionInfoW(&wanted, VER_MAJORVERSION | VER_MINORVERSION | VER_SERVICEPACKMAJOR, condition) !=
         FALSE;
}

namespace {

InstallStepHook& StepHook() {
  static InstallStepHook hook;
  return hook;
}

}  // namespace

void SetInstallStepHookForTesting(InstallStepHook hook) { StepHook() = std::move(hook); }

InstallEngine::InstallEngine(VersionString version) : version_(std::move(version)) {}

void InstallEngine::BeginStep(int position) {
  progress_.store(position);
  if (StepHook()) StepHook()(*this, position);
}

int InstallEngine::Progress() const { return progress_.load(); }

void InstallEngine::Cancel() {
  cancelRequested_.store(true);
  RequestDownloadCancel();
}

void InstallEngine::Run() {
  const bool windows10 = IsWindows10OrLater();
  const ProgressSteps& steps = windows10 ? kWindows10Steps : kEarlierSteps;
  const std::wstring folder = InstallFolder();
  const auto cancelled = [this] { return cancelRequested_.load(); };

  if (!CreateFolderTree(folder)) {
    ShowErrorBox(Catalog().GetText(L"error_creating_folder") + L" " + folder);
    EndProcess();
  }

  BeginStep(steps.ArchiveTool);
  ::SetCurrentDirectoryW(folder.c_str());
  registry_.SetInstallState(1);
  WriteResourceToFile(KAVADESK_ARCHIVE_TOOL_ID, KAVADESK_ARCHIVE_TOOL_TYPE, L"7za.exe");
  if (cancelled()) return;

  BeginStep(steps.Download);
  registry_.SetInstallPath(folder);
  const std::wstring serverFolder = ApplicationFolderName() + version_.Get() + L"/";
  std::wstring packageName = PackageFile();
  if (!ServerFileExists(serverFolder, packageName) && ServerFileExists(serverFolder, AlternatePackageFile())) {
    packageName = AlternatePackageFile();
  }
  if (!DownloadToInstallFolder(serverFolder, packageName)) EndProcess();
  if (cancelled()) return;

  BeginStep(steps.Unpacking);
  UnpackArchive(FileExists(folder + PackageFile()) ? PackageFile() : AlternatePackageFile());
  // A damaged package or a failed extraction must not be reported as an
  // installation: the state stays 1 and the next start offers to repair it.
  if (!FileExists(folder + ApplicationExecutable()) && !FileExists(folder + AlternateApplicationExecutable())) {
    ShowErrorBox(Catalog().FormatText(L"text_missing_file", {ApplicationExecutable()}));
    EndProcess();
  }

  BeginStep(steps.Shortcuts);
  CreateShortcuts();
  if (cancelled()) return;

  BeginStep(steps.Registration);
  registry_.WriteUninstallEntry(version_);
  if (cancelled()) return;

  BeginStep(steps.Runtime);
  RunAndWait(PackageCommand(L"VC_redist.x86.exe", L"/quiet /norestart"));
  if (cancelled()) return;

  if (windows10) {
    BeginStep(kFirstDriverStep);
    RunAndWait(PackageCommand(L"velka_hal_setup.exe", L"/install /quiet /norestart"));
    BeginStep(kSecondDriverStep);
    RunAndWait(PackageCommand(L"drosk_hal_setup.exe", L"/install /quiet /norestart"));
    BeginStep(kThirdPackageStep);
    if (!registry_.IsKT4400Detected()) RemoveThirdPackageIfRegistered();
  }

  BeginStep(kComplete);
  registry_.SetInstallState(3);
}

}  // namespace kavadesk
