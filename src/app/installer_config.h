// The process-wide configuration: names, folders, file names and server
// locations of both brands. Built once at start-up, read-only afterwards.
#pragma once

#include <string>

namespace kavadesk {

// The names and places of one brand's edition of the application.
struct BrandProfile {
  std::wstring InstallerTitle;
  std::wstring ServerFolderUrl;
  std::wstring VendorFolder;
  std::wstring InstallFolder;
  std::wstring ReleaseNotesFile;
  std::wstring CompanyName;
  std::wstring FullProductName;
  std::wstring ShortProductName;
  std::wstring ApplicationExecutable;
  std::wstring AlternateApplicationExecutable;
  std::wstring PackageFile;
  std::wstring AlternatePackageFile;
};

// Tarvex is the brand that is installed, shown and launched; Obrint is carried
// only so that its edition is recognised and removed.
struct InstallerConfig {
  std::wstring ProductName;
  std::wstring ExecutablePath;
  std::wstring ExecutableFileName;
  std::wstring ProductFolderName;
  std::wstring UpdateManifestFile;
  std::wstring ApplicationFolderName;
  int LogoResourceId = 0;
  int LogoWidth = 0;
  int LogoHeight = 0;
  int LogoLeft = 0;
  int LogoTop = 0;
  BrandProfile Tarvex;
  BrandProfile Obrint;
};

// Composes the configuration from its three inputs. An empty program-files
// folder (the shell could not name it) leaves the vendor and install folders
// empty rather than a path without its root.
InstallerConfig ComposeInstallerConfig(const std::wstring& baseUrl,
                                       const std::wstring& programFilesX86,
                                       const std::wstring& executablePath);

// Fills the process-wide configuration from the base URL, the system's
// Program Files (x86) folder and the running executable's path. Called once by
// the entry before anything reads the configuration.
void BuildInstallerConfig(std::wstring baseUrl);

// The process-wide configuration (empty until BuildInstallerConfig ran).
const InstallerConfig& Config();

// The part of a path after its last backslash; all of it when there is none.
std::wstring FileNameOfPath(const std::wstring& path);

// Accessors of the shared values and of the Tarvex profile; each returns a copy.
std::wstring ProductName();
std::wstring InstallerTitle();
std::wstring ServerFolderUrl();
std::wstring VendorFolder();
std::wstring InstallFolder();
std::wstring ReleaseNotesFile();
std::wstring CompanyName();
std::wstring FullProductName();
std::wstring ApplicationExecutable();
std::wstring AlternateApplicationExecutable();
std::wstring PackageFile();
std::wstring AlternatePackageFile();
std::wstring ProductFolderName();
std::wstring UpdateManifestFile();
std::wstring ApplicationFolderName();
std::wstring ExecutablePath();
std::wstring ExecutableFileName();
int LogoResourceId();
int LogoWidth();
int LogoHeight();
int LogoLeft();
int LogoTop();

// The Obrint values that recognising and removing its edition needs.
std::wstring ObrintCompanyName();
std::wstring ObrintFullProductName();
std::wstring ObrintShortProductName();
std::wstring ObrintAlternateApplicationExecutable();

// ProductName + ".lnk".
std::wstring ShortcutFileName();

// The system folder without a trailing backslash, asked of the shell on each
// call; empty when the shell cannot tell it.
std::wstring SystemFolderPath();

// Download cancellation: set by the install worker's cancel, cleared when a
// download starts, polled by the download loop.
void RequestDownloadCancel();
void ClearDownloadCancel();
bool DownloadCancelRequested();

}  // namespace kavadesk
