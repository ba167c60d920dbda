#include "app/installer_config.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "net/server_layout.h"

namespace kavadesk {
namespace {

const wchar_t kBase[] = L"http://127.0.0.1:9/Base/";
const wchar_t kProgramFiles[] = L"D:\\Apps (x86)";

TEST(InstallerConfigTest, ComposesBothProfiles) {
  const InstallerConfig c = ComposeInstallerConfig(kBase, kProgramFiles, L"C:\\x\\Setup.exe");
  EXPECT_EQ(c.ProductName, L"Kavadesk");
  EXPECT_EQ(c.ExecutablePath, L"C:\\x\\Setup.exe");
  EXPECT_EQ(c.ExecutableFileName, L"Setup.exe");
  EXPECT_EQ(c.ProductFolderName, L"SSD Kavadesk\\");
  EXPECT_EQ(c.UpdateManifestFile, L"merel_updater.xml");
  EXPECT_EQ(c.ApplicationFolderName, L"application/");
  EXPECT_EQ(c.LogoResourceId, 3001);
  EXPECT_EQ(c.LogoWidth, 146);
  EXPECT_EQ(c.LogoHeight, 22);
  EXPECT_EQ(c.LogoLeft, 15);
  EXPECT_EQ(c.LogoTop, 270);

  struct Expected {
    const BrandProfile& profile;
    const wchar_t* title;
    const wchar_t* server;
    const wchar_t* vendor;
    const wchar_t* install;
    const wchar_t* notes;
    const wchar_t* company;
    const wchar_t* full;
    const wchar_t* shortName;
    const wchar_t* exe;
    const wchar_t* alternateExe;
    const wchar_t* package;
    const wchar_t* alternatePackage;
  };
  const Expected rows[] = {
      {c.Tarvex, L"Kavadesk Installer", L"http://127.0.0.1:9/Base/txKavadesk/", L"D:\\Apps (x86)\\Tarvex\\",
       L"D:\\Apps (x86)\\Tarvex\\SSD Kavadesk\\", L"TarvexKavadeskReleaseNotes.pdf", L"Tarvex",
       L"Tarvex SSD Kavadesk", L"Kavadesk", L"Kavadesk.exe", L"TarvexSSDKavadesk.exe", L"Kavadesk.zip",
       L"TarvexKavadesk.zip"},
      {c.Obrint, L"Obrint Kavadesk Installer", L"http://127.0.0.1:9/Base/Kavadesk/", L"D:\\Apps (x86)\\Obrint\\",
       L"D:\\Apps (x86)\\Obrint\\SSD Kavadesk\\", L"ObrintKavadeskReleaseNotes.pdf", L"Obrint",
       L"Obrint SSD Kavadesk", L"Obrint SSD Kavadesk", L"ObrintKavadesk.exe", L"ObrintSSDKavadesk.exe",
       L"ObrintKavadesk.zip", L""},
  };
  for (const Expected& e : rows) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(e.company)));
    EXPECT_EQ(e.profile.InstallerTitle, e.title);
    EXPECT_EQ(e.profile.ServerFolderUrl, e.server);
    EXPECT_EQ(e.profile.VendorFolder, e.vendor);
    EXPECT_EQ(e.profile.InstallFolder, e.install);
    EXPECT_EQ(e.profile.ReleaseNotesFile, e.notes);
    EXPECT_EQ(e.profile.CompanyName, e.company);
    EXPECT_EQ(e.profile.FullProductName, e.full);
    EXPECT_EQ(e.profile.ShortProductName, e.shortName);
    EXPECT_EQ(e.profile.ApplicationExecutable, e.exe);
    EXPECT_EQ(e.profile.AlternateApplicationExecutable, e.alternateExe);
    EXPECT_EQ(e.profile.PackageFile, e.package);
    EXPECT_EQ(e.profile.AlternatePackageFile, e.alternatePackage);
  }
}

TEST(InstallerConfigTest, BaseUrlIsUsedAsWritten) {
  // No slash is added or removed, and case is kept.
  EXPECT_EQ(ComposeInstallerConfig(L"HTTP://X/a", kProgramFiles, L"a.exe").Tarvex.ServerFolderUrl,
            L"HTTP://X/atxKavadesk/");
}

TEST(InstallerConfigTest, UnknownProgramFilesLeavesFoldersEmpty) {
  const InstallerConfig c = ComposeInstallerConfig(kBase, L"", L"C:\\Setup.exe");
  for (const BrandProfile* p : {&c.Tarvex, &c.Obrint}) {
    EXPECT_EQ(p->VendorFolder, L"");
    EXPECT_EQ(p->InstallFolder, L"");
  }
  EXPECT_EQ(c.Tarvex.ServerFolderUrl, L"http://127.0.0.1:9/Base/txKavadesk/");
}

TEST(InstallerConfigTest, FileNameOfPath) {
  const std::pair<const wchar_t*, const wchar_t*> rows[] = {
      {L"C:\\x\\Setup.exe", L"Setup.exe"},
      {L"Setup.exe", L"Setup.exe"},
      {L"C:\\a b\\c\\Kavadesk Setup (2).EXE", L"Kavadesk Setup (2).EXE"},
      {L"C:\\dir\\", L""},
      {L"C:/forward/slash.exe", L"C:/forward/slash.exe"},
  };
  for (const auto& [path, name] : rows) EXPECT_EQ(FileNameOfPath(path), name);
}

// The process-wide configuration, built from the real shell folders and this
// test's own module path, in the 64-bit prefix the harness gives each test.
TEST(InstallerConfigTest, BuildsFromTheSystem) {
  BuildInstallerConfig(L"http://127.0.0.1:1/");
  wchar_t module[MAX_PATH];
  const DWORD length = ::GetModuleFileNameW(nullptr, module, MAX_PATH);
  EXPECT_EQ(ExecutablePath(), std::wstring(module, length));
  EXPECT_EQ(ExecutableFileName(), L"unit_tests.exe");
  EXPECT_EQ(InstallFolder(), L"C:\\Program Files (x86)\\Tarvex\\SSD Kavadesk\\");
  EXPECT_EQ(VendorFolder(), L"C:\\Program Files (x86)\\Tarvex\\");
  EXPECT_EQ(ServerFolderUrl(), L"http://127.0.0.1:1/txKavadesk/");
  EXPECT_EQ(ShortcutFileName(), L"Kavadesk.lnk");
  EXPECT_EQ(ObrintCompanyName(), L"Obrint");
  EXPECT_EQ(ObrintFullProductName(), L"Obrint SSD Kavadesk");
  EXPECT_EQ(ObrintShortProductName(), L"Obrint SSD Kavadesk");
  EXPECT_EQ(ObrintAlternateApplicationExecutable(), L"ObrintSSDKavadesk.exe");
  EXPECT_EQ(UpdateManifestPath(), L"config/merel_updater.xml");
  EXPECT_EQ(PackagePath(L"2.10.0", PackageFile()), L"application/2.10.0/Kavadesk.zip");
  EXPECT_EQ(ReleaseNotesUrl(), L"http://127.0.0.1:1/txKavadesk/TarvexKavadeskReleaseNotes.pdf");
  EXPECT_EQ(SystemFolderPath(), L"C:\\windows\\system32");
}

TEST(InstallerConfigTest, DownloadCancelFlag) {
  ClearDownloadCancel();
  EXPECT_FALSE(DownloadCancelRequested());
  RequestDownloadCancel();
  EXPECT_TRUE(DownloadCancelRequested());
  ClearDownloadCancel();
  EXPECT_FALSE(DownloadCancelRequested());
}

TEST(InstallerConfigTest, DefaultBaseUrlIsHttpsEndingInSlash) {
  const std::wstring url = DefaultBaseUrl();
  EXPECT_EQ(url.rfind(L"https://", 0), 0u);
  EXPECT_EQ(url.back(), L'/');
}

}  // namespace
}  // namespace kavadesk
