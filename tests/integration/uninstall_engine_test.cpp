// Removals by the engine in the test's prefix: the gate, both brands' folders
// and records, the loose files of the company folders, the shortcuts of every
// generation, a running application ended first, and the folders that no
// record can make it take.
#include "install/uninstall_engine.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/installer_config.h"
#include "base/unique_handle.h"
#include "install/folder_removal.h"
#include "install/install_engine.h"
#include "install/shell_folders.h"
#include "registry/registry_store.h"
#include "support/install_fixture.h"
#include "support/prefix_state.h"
#include "support/process.h"
#include "support/test_env.h"

namespace kavadesk {
namespace {

using test::StateLines;

const std::wstring kObrintFolder = L"C:\\Program Files (x86)\\Obrint\\SSD Kavadesk\\";
const std::wstring kObrintProduct = L"SOFTWARE\\Obrint\\SSD Kavadesk";
const std::wstring kUninstall = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

std::string StandInApp() {
  return test::ReadWholeFile(test::BuildPath(L"tests\\standin_app.exe")).value_or("");
}

class UninstallEngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test::PrepareInstallerState());
    ASSERT_TRUE(test::ResetInstallation());
  }
};

TEST_F(UninstallEngineTest, GateStopsOnlyWhenBothBrandsRecordZeroOrBelow) {
  struct Row {
    const char* name;
    std::optional<DWORD> tarvex;
    std::optional<DWORD> obrint;
    bool runs;
  };
  const Row rows[] = {
      {"no records", std::nullopt, std::nullopt, true},
      {"both 0", 0, 0, false},
      {"both below 0", static_cast<DWORD>(-4), static_cast<DWORD>(-2), false},
      {"Tarvex 0, Obrint absent", 0, std::nullopt, true},
      {"Tarvex begun, Obrint 0", 1, 0, true},
      // 0xFFFFFFFF reads like a missing value, as "not installed".
      {"both 0xFFFFFFFF", 0xFFFFFFFFu, 0xFFFFFFFFu, true},
  };
  const RegistryStore registry;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_TRUE(test::ResetInstallation());
    registry.WriteUninstallEntry(VersionString(L"2.4.0"));
    if (row.tarvex) registry.WriteDword(test::kTarvexProduct, L"IsInstalled", *row.tarvex);
    if (row.obrint) registry.WriteDword(kObrintProduct, L"IsInstalled", *row.obrint);
    ASSERT_TRUE(test::WriteWholeFile(DesktopShortcut(), "link"));

    UninstallEngine engine;
    EXPECT_EQ(engine.Progress(), 0);
    engine.Run();
    EXPECT_EQ(engine.Progress(), row.runs ? 100 : 0);
    EXPECT_EQ(test::PathExists(DesktopShortcut()), !row.runs);
    EXPECT_EQ(registry.GetInstalledVersion().Get(), row.runs ? L"" : L"2.4.0");
  }
}

TEST_F(UninstallEngineTest, InstallThenRemovalLeavesTheMachineAsItWas) {
  // The user's language and start setting are kept on purpose.
  const RegistryStore registry;
  registry.SetCurrentCulture(L"de-DE");
  registry.SetStartMinimized(true);
  ASSERT_TRUE(test::ServePackage(L"Kavadesk.zip", L"Kavadesk.zip"));
  StateLines before = test::InstallationFootprint();

  InstallEngine install{VersionString(test::kPackageVersion)};
  test::RunEngineOnWorker(install);
  ASSERT_EQ(install.Progress(), 100);
  ASSERT_NE(test::InstallationFootprint(), before);
  test::StartedProcess app = test::StartProgram(test::kInstallFolder + L"Kavadesk.exe");
  ASSERT_TRUE(app.Process);
  ASSERT_EQ(::WaitForSingleObject(app.Process.Get(), 500), static_cast<DWORD>(WAIT_TIMEOUT));

  UninstallEngine removal;
  removal.Run();
  EXPECT_EQ(removal.Progress(), 100);
  // Ended by taskkill before its folder went.
  EXPECT_EQ(::WaitForSingleObject(app.Process.Get(), 0), WAIT_OBJECT_0);
  EXPECT_FALSE(test::PathExists(test::kInstallFolder));

  // Only the (now empty) company folder stays beside what was there before.
  before.insert(L"files:Tarvex\\");
  EXPECT_EQ(test::InstallationFootprint(), before);
  EXPECT_EQ(registry.GetCurrentCulture(), L"de-DE");
  EXPECT_TRUE(registry.GetStartMinimized());
}

TEST_F(UninstallEngineTest, BothBrandsAndEarlierGenerations) {
  const RegistryStore registry;
  const std::string app = StandInApp();
  ASSERT_FALSE(app.empty());
  // Tarvex: a running application in its folder, loose files in the company
  // folder beside other products' folders.
  ASSERT_TRUE(test::WriteWholeFile(test::kInstallFolder + L"Kavadesk.exe", app));
  ASSERT_TRUE(test::WriteWholeFile(test::kInstallFolder + L"Data\\settings.ini", "x"));
  ASSERT_TRUE(test::WriteWholeFile(L"C:\\Program Files (x86)\\Tarvex\\company.txt", "loose"));
  ASSERT_TRUE(test::WriteWholeFile(L"C:\\Program Files (x86)\\Tarvex\\Other Tool\\tool.exe", "other product"));
  registry.SetInstallState(3);
  registry.SetInstallPath(test::kInstallFolder);
  registry.WriteUninstallEntry(VersionString(L"2.4.0"));
  // Obrint: its own folder, loose file and records.
  ASSERT_TRUE(test::WriteWholeFile(kObrintFolder + L"ObrintSSDKavadesk.exe", app));
  ASSERT_TRUE(test::WriteWholeFile(L"C:\\Program Files (x86)\\Obrint\\readme.txt", "loose"));
  registry.WriteString(kObrintProduct, L"InstallPath", kObrintFolder);
  registry.WriteDword(kObrintProduct, L"IsInstalled", 3);
  registry.WriteString(kUninstall + L"\\Obrint SSD Kavadesk", L"DisplayVersion", L"1.0");
  // An earlier generation's records, which the removal leaves alone.
  registry.WriteString(L"SOFTWARE\\TX\\SSD Kavadesk", L"InstallPath", L"C:\\old\\");
  registry.WriteString(kUninstall + L"\\TX SSD Kavadesk", L"DisplayVersion", L"0.9");
  const StateLines legacyBefore = test::RegistryTree(HKEY_LOCAL_MACHINE, L"SOFTWARE\\TX", KEY_WOW64_32KEY);
  // Every shortcut name, and a file beside them that is not the product's.
  const std::wstring shortcuts[] = {DesktopShortcut(), DesktopShortcutPath(L"Tarvex SSD Kavadesk"),
                                    DesktopShortcutPath(L"Obrint SSD Kavadesk"), StartMenuShortcut()};
  for (const std::wstring& link : shortcuts) ASSERT_TRUE(test::WriteWholeFile(link, "link"));
  ASSERT_TRUE(test::WriteWholeFile(DesktopFolder() + L"Notes.lnk", "someone else's"));

  test::StartedProcess tarvexApp = test::StartProgram(test::kInstallFolder + L"Kavadesk.exe");
  test::StartedProcess obrintApp = test::StartProgram(kObrintFolder + L"ObrintSSDKavadesk.exe");
  ASSERT_TRUE(tarvexApp.Process && obrintApp.Process);

  UninstallEngine engine;
  engine.Run();
  EXPECT_EQ(engine.Progress(), 100);
  EXPECT_EQ(::WaitForSingleObject(tarvexApp.Process.Get(), 0), WAIT_OBJECT_0);
  EXPECT_EQ(::WaitForSingleObject(obrintApp.Process.Get(), 0), WAIT_OBJECT_0);

  EXPECT_EQ(test::FolderTree(L"C:\\Program Files (x86)\\Tarvex"), StateLines({L"Other Tool\\", L"Other Tool\\tool.exe (13 bytes)"}));
  EXPECT_EQ(test::FolderTree(L"C:\\Program Files (x86)\\Obrint"), StateLines());
  EXPECT_TRUE(test::PathExists(L"C:\\Program Files (x86)\\Obrint"));
  for (const std::wstring& link : shortcuts) EXPECT_FALSE(test::PathExists(link)) << link;
  EXPECT_TRUE(test::PathExists(DesktopFolder() + L"Notes.lnk"));

  EXPECT_EQ(test::RegistryTree(HKEY_LOCAL_MACHINE, test::kTarvexEntry, KEY_WOW64_32KEY), StateLines());
  EXPECT_EQ(test::RegistryTree(HKEY_LOCAL_MACHINE, kUninstall + L"\\Obrint SSD Kavadesk", KEY_WOW64_32KEY),
            StateLines());
  EXPECT_EQ(test::RegistryTree(HKEY_LOCAL_MACHINE, kObrintProduct, KEY_WOW64_32KEY), StateLines());
  EXPECT_EQ(test::RegistryTree(HKEY_LOCAL_MACHINE, L"SOFTWARE\\TX", KEY_WOW64_32KEY), legacyBefore);
  EXPECT_EQ(test::RegistryTree(HKEY_LOCAL_MACHINE, kUninstall + L"\\TX SSD Kavadesk", KEY_WOW64_32KEY),
            StateLines({L"\\", L"\\DisplayVersion = sz:0.9"}));
}

TEST_F(UninstallEngineTest, ProtectedFoldersAreNeverTaken) {
  wchar_t temp[MAX_PATH + 1] = {};
  ASSERT_GT(::GetTempPathW(MAX_PATH + 1, temp), 0u);
  const std::wstring profile = test::EnvironmentValue(L"USERPROFILE");
  ASSERT_FALSE(profile.empty());
  struct Row {
    std::wstring path;
    bool isProtected;
  };
  const Row rows[] = {
      {L"C:\\", true},
      {L"c:", true},
      {L"C:\\windows", true},
      {L"C:\\WINDOWS\\.\\", true},
      {L"C:\\windows\\system32\\", true},
      {L"C:\\windows\\syswow64", true},
      {L"C:\\Program Files", true},
      {L"C:\\Program Files (x86)\\", true},
      {L"C:\\ProgramData", true},
      {L"C:\\users", true},
      {L"C:\\users\\Public\\", true},
      {profile, true},
      {L"C:\\users\\someone-else", true},
      {temp, true},
      {L"C:\\Program Files (x86)\\Tarvex\\SSD Kavadesk\\", false},
      {L"C:\\Program Files (x86)\\Tarvex", false},
      {profile + L"\\Desktop\\Kavadesk", false},
      {std::wstring(temp) + L"kvs0001", false},
  };
  ::SetCurrentDirectoryW(L"C:\\Program Files (x86)");
  for (const Row& row : rows) EXPECT_EQ(IsProtectedFolder(row.path), row.isProtected) << row.path;

  // Named by both brands' records, such folders stay and the removal goes on.
  const std::wstring canary = std::wstring(temp) + L"canary.txt";
  ASSERT_TRUE(test::WriteWholeFile(canary, "stays"));
  ASSERT_TRUE(test::WriteWholeFile(L"C:\\Program Files (x86)\\canary.txt", "stays"));
  const RegistryStore registry;
  registry.SetInstallState(1);
  registry.SetInstallPath(temp);
  registry.WriteString(kObrintProduct, L"InstallPath", L"C:\\Program Files (x86)\\");
  ASSERT_TRUE(test::WriteWholeFile(DesktopShortcut(), "link"));
  UninstallEngine engine;
  engine.Run();
  EXPECT_EQ(engine.Progress(), 100);
  EXPECT_TRUE(test::PathExists(canary));
  EXPECT_TRUE(test::PathExists(L"C:\\Program Files (x86)\\canary.txt"));
  EXPECT_FALSE(test::PathExists(DesktopShortcut()));
}

TEST_F(UninstallEngineTest, RemovalOfReadOnlyTreesAndLinksInside) {
  ASSERT_TRUE(test::WriteWholeFile(test::kInstallFolder + L"Data\\locked.bin", "read-only"));
  ASSERT_TRUE(::SetFileAttributesW((test::kInstallFolder + L"Data\\locked.bin").c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(::SetFileAttributesW((test::kInstallFolder + L"Data").c_str(), FILE_ATTRIBUTE_READONLY));
  // A folder link inside the install folder is removed, never followed.
  const std::wstring outside = test::RunDir() + L"outside\\";
  ASSERT_TRUE(test::WriteWholeFile(outside + L"keep.txt", "outside"));
  const bool linked = ::CreateSymbolicLinkW((test::kInstallFolder + L"link").c_str(), outside.c_str(),
                                            SYMBOLIC_LINK_FLAG_DIRECTORY) != FALSE;
  const RegistryStore registry;
  registry.SetInstallState(3);
  registry.SetInstallPath(test::kInstallFolder);

  UninstallEngine engine;
  engine.Run();
  EXPECT_FALSE(test::PathExists(test::kInstallFolder));
  if (linked) {
    EXPECT_TRUE(test::PathExists(outside + L"keep.txt"));
  }
}

}  // namespace
}  // namespace kavadesk
