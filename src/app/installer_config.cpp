#include "app/installer_config.h"

#include <windows.h>
#include <shlobj.h>

#include <atomic>

#include "base/known_folder.h"

namespace kavadesk {
namespace {

InstallerConfig g_config;
std::atomic<bool> g_downloadCancelRequested{false};

// Folders below Program Files (x86); empty when that folder is unknown.
std::wstring BelowProgramFiles(const std::wstring& programFilesX86, const std::wstring& rest) {
  return programFilesX86.empty() ? std::wstring() : programFilesX86 + rest;
}

std::wstring ModulePath() {
  wchar_t buffer[MAX_PATH] = {};
  // A longer path is cut to the buffer, as the system truncates it.
  const DWORD length = ::GetModuleFileNameW(nullptr, buffer, MAX_PATH);
  return std::wstring(buffer, length < MAX_PATH ? length : MAX_PATH - 1);
}

}  // namespace

std::wstring FileNameOfPath(const std::wstring& path) {
  const auto slash = path.rfind(L'\\');
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

InstallerConfig ComposeInstallerConfig(const std::wstring& baseUrl,
                                       const std::wstring& programFilesX86,
                                       const std::wstring& executablePath) {
  InstallerConfig c;
  c.ExecutablePath = executablePath;
  c.ExecutableFileName = FileNameOfPath(executablePath);

  BrandProfile& t = c.Tarvex;
  t.ServerFolderUrl = baseUrl + L"txKavadesk/";
  c.ProductFolderName = L"SSD Kavadesk\\";
  c.ProductName = L"Kavadesk";
  t.InstallerTitle = L"Kavadesk Installer";
  t.VendorFolder = BelowProgramFiles(programFilesX86, L"\\Tarvex\\");
  t.InstallFolder = t.VendorFolder.empty() ? std::wstring() : t.VendorFolder + c.ProductFolderName;
  t.ReleaseNotesFile = L"TarvexKavadeskReleaseNotes.pdf";
  t.CompanyName = L"Tarvex";
  t.FullProductName = L"Tarvex SSD Kavadesk";
  t.ShortProductName = L"Kavadesk";
  t.ApplicationExecutable = L"Kavadesk.exe";
  t.AlternateApplicationExecutable = L"TarvexSSDKavadesk.exe";
  t.PackageFile = L"Kavadesk.zip";
  t.AlternatePackageFile = L"TarvexKavadesk.zip";

  c.UpdateManifestFile = L"merel_updater.xml";
  c.ApplicationFolderName = L"application/";
  c.LogoResourceId = 3001;
  c.LogoWidth = 146;
  c.LogoHeight = 22;
  c.LogoLeft = 15;
  c.LogoTop = 270;

  BrandProfile& o = c.Obrint;
  o.InstallerTitle = L"Obrint Kavadesk Installer";
  o.ServerFolderUrl = baseUrl + L"Kavadesk/";
  o.VendorFolder = BelowProgramFiles(programFilesX86, L"\\Obrint\\");
  o.InstallFolder = o.VendorFolder.empty() ? std::wstring() : o.VendorFolder + c.ProductFolderName;
  o.ReleaseNotesFile = L"ObrintKavadeskReleaseNotes.pdf";
  o.CompanyName = L"Obrint";
  o.FullProductName = L"Obrint SSD Kavadesk";
  o.ShortProductName = L"Obrint SSD Kavadesk";
  o.ApplicationExecutable = L"ObrintKavadesk.exe";
  o.AlternateApplicationExecutable = L"ObrintSSDKavadesk.exe";
  o.PackageFile = L"ObrintKavadesk.zip";
  return c;
}

void BuildInstallerConfig(std::wstring baseUrl) {
  g_config = ComposeInstallerConfig(baseUrl, KnownFolderPath(FOLDERID_ProgramFilesX86), ModulePath());
}

const InstallerConfig& Config() { return g_config; }

std::wstring ProductName() { return g_config.ProductName; }
std::wstring InstallerTitle() { return g_config.Tarvex.InstallerTitle; }
std::wstring ServerFolderUrl() { return g_config.Tarvex.ServerFolderUrl; }
std::wstring VendorFolder() { return g_config.Tarvex.VendorFolder; }
std::wstring InstallFolder() { return g_config.Tarvex.InstallFolder; }
std::wstring ReleaseNotesFile() { return g_config.Tarvex.ReleaseNotesFile; }
std::wstring CompanyName() { return g_config.Tarvex.CompanyName; }
std::wstring FullProductName() { return g_config.Tarvex.FullProductName; }
std::wstring ApplicationExecutable() { return g_config.Tarvex.ApplicationExecutable; }
std::wstring AlternateApplicationExecutable() { return g_config.Tarvex.AlternateApplicationExecutable; }
std::wstring PackageFile() { return g_config.Tarvex.PackageFile; }
std::wstring AlternatePackageFile() { return g_config.Tarvex.AlternatePackageFile; }
std::wstring ProductFolderName() { return g_config.ProductFolderName; }
std::wstring UpdateManifestFile() { return g_config.UpdateManifestFile; }
std::wstring ApplicationFolderName() { return g_config.ApplicationFolderName; }
std::wstring ExecutablePath() { return g_config.ExecutablePath; }
std::wstring ExecutableFileName() { return g_config.ExecutableFileName; }
int LogoResourceId() { return g_config.LogoResourceId; }
int LogoWidth() { return g_config.LogoWidth; }
int LogoHeight() { return g_config.LogoHeight; }
int LogoLeft() { return g_config.LogoLeft; }
int LogoTop() { return g_config.LogoTop; }

std::wstring ObrintCompanyName() { return g_config.Obrint.CompanyName; }
std::wstring ObrintFullProductName() { return g_config.Obrint.FullProductName; }
std::wstring ObrintShortProductName() { return g_config.Obrint.ShortProductName; }
std::wstring ObrintAlternateApplicationExecutable() { return g_config.Obrint.AlternateApplicationExecutable; }

std::wstring ShortcutFileName() { return g_config.ProductName + L".lnk"; }

std::wstring SystemFolderPath() { return KnownFolderPath(FOLDERID_System); }

void RequestDownloadCancel() { g_downloadCancelRequested.store(true); }
void ClearDownloadCancel() { g_downloadCancelRequested.store(false); }
bool DownloadCancelRequested() { return g_downloadCancelRequested.load(); }

}  // namespace kavadesk
