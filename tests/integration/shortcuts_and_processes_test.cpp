// The shortcuts read back through Wine's shell link object, the shell folders
// they go to, and outside programs started and ended through the real
// process functions and taskkill.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/installer_config.h"
#include "base/unique_handle.h"
#include "install/process_runner.h"
#include "install/shell_folders.h"
#include "install/shortcut_maker.h"
#include "support/install_fixture.h"
#include "support/prefix_state.h"
#include "support/process.h"
#include "support/standin_log.h"
#include "support/test_env.h"
#include "ui_driver.h"

namespace kavadesk {
namespace {

std::string StandIn(const wchar_t* name) {
  const auto bytes = test::ReadWholeFile(test::BuildPath(std::wstring(L"tests\\") + name));
  EXPECT_TRUE(bytes.has_value()) << "missing stand-in";
  return bytes.value_or("");
}

class ShortcutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test::PrepareInstallerState());
    ASSERT_TRUE(test::ResetInstallation());
  }
  void TearDown() override {
    SetShellFoldersUnknownForTesting(false);
    SetShortcutPersistInterfaceForTesting(nullptr);
  }
};

TEST_F(ShortcutTest, FoldersAndPaths) {
  const std::wstring desktop = DesktopFolder();
  ASSERT_FALSE(desktop.empty());
  EXPECT_EQ(desktop.back(), L'\\');
  EXPECT_TRUE(test::PathExists(desktop));
  const std::wstring programs = CommonProgramsFolder();
  ASSERT_FALSE(programs.empty());
  EXPECT_EQ(programs.back(), L'\\');
  EXPECT_NE(programs.find(L"ProgramData"), std::wstring::npos) << programs;

  EXPECT_EQ(DesktopShortcut(), desktop + L"Kavadesk.lnk");
  EXPECT_EQ(StartMenuShortcut(), programs + L"Kavadesk.lnk");
  EXPECT_EQ(DesktopShortcutPath(L"Tarvex SSD Kavadesk"), desktop + L"Tarvex SSD Kavadesk.lnk");

  SetShellFoldersUnknownForTesting(true);
  EXPECT_EQ(DesktopFolder(), L"");
  EXPECT_EQ(CommonProgramsFolder(), L"");
  EXPECT_EQ(DesktopShortcut(), L"");
  EXPECT_EQ(DesktopShortcutPath(L"Tarvex SSD Kavadesk"), L"");
}

TEST_F(ShortcutTest, PointAtTheApplicationOrItsAlternateName) {
  struct Row {
    const char* name;
    const wchar_t* present;  // the executable put into the install folder, if any
    const wchar_t* target;
  };
  const Row rows[] = {
      {"application", L"Kavadesk.exe", L"Kavadesk.exe"},
      {"alternate only", L"TarvexSSDKavadesk.exe", L"TarvexSSDKavadesk.exe"},
      {"neither", nullptr, L"TarvexSSDKavadesk.exe"},
  };
  const std::string app = StandIn(L"standin_app.exe");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_TRUE(test::ResetInstallation());
    ASSERT_TRUE(test::WriteWholeFile(test::kInstallFolder + L"Data\\readme.txt", "x"));
    if (row.present) {
      ASSERT_TRUE(test::WriteWholeFile(test::kInstallFolder + row.present, app));
    }
    // A stale file under the shortcut's name is replaced.
    ASSERT_TRUE(test::WriteWholeFile(DesktopShortcut(), "stale"));
    CreateShortcuts();
    for (const std::wstring& link : {DesktopShortcut(), StartMenuShortcut()}) {
      const test::ShortcutDetails details = test::ReadShortcut(link);
      EXPECT_EQ(details.Target, test::kInstallFolder + row.target) << link;
      EXPECT_EQ(details.WorkingFolder, test::kInstallFolder) << link;
      EXPECT_EQ(details.IconPath, test::kInstallFolder + row.target) << link;
      EXPECT_EQ(details.IconIndex, 0) << link;
    }
    EXPECT_EQ(ApplicationTarget(), test::kInstallFolder + row.target);
  }
}

TEST_F(ShortcutTest, NothingMadeWithoutFoldersOrPersistInterface) {
  const test::StateLines desktopBefore = test::FolderTree(DesktopFolder());
  const test::StateLines programsBefore = test::FolderTree(CommonProgramsFolder());
  SetShellFoldersUnknownForTesting(true);
  CreateShortcuts();
  SetShellFoldersUnknownForTesting(false);
  // A link object that does not give IPersistFile.
  static const IID kNotOffered = {0x6b1f6d2e, 0x55a0, 0x4c4e, {0x9a, 0x1c, 0x3e, 0x07, 0x52, 0x11, 0x8d, 0x42}};
  SetShortcutPersistInterfaceForTesting(&kNotOffered);
  CreateShortcuts();
  EXPECT_EQ(test::FolderTree(DesktopFolder()), desktopBefore);
  EXPECT_EQ(test::FolderTree(CommonProgramsFolder()), programsBefore);
}

TEST(ProcessRunnerTest, WaitsForTheProgramInTheCurrentFolder) {
  ASSERT_TRUE(test::PrepareInstallerState());
  const std::wstring folder = test::RunDir() + L"with blanks\\";
  ASSERT_TRUE(test::WriteWholeFile(folder + L"setup.exe", StandIn(L"standin_recorder.exe")));
  ASSERT_TRUE(::SetCurrentDirectoryW(folder.c_str()));
  EXPECT_TRUE(RunAndWait(L"\"" + folder + L"setup.exe\" /quiet /norestart"));
  // Ended before RunAndWait returned: its record is already there.
  const auto runs = test::ReadStandInRuns(test::StandInLog());
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].CommandLine, L"\"" + folder + L"setup.exe\" /quiet /norestart");
  EXPECT_FALSE(RunAndWait(L"\"" + folder + L"missing.exe\" /quiet"));
}

TEST(ProcessRunnerTest, TaskkillEndsEveryCopyAndIsStartedByItsFullPath) {
  ASSERT_TRUE(test::PrepareInstallerState());
  const std::wstring folder = test::RunDir() + L"app\\";
  ASSERT_TRUE(test::WriteWholeFile(folder + L"Kavadesk.exe", StandIn(L"standin_app.exe")));
  // A taskkill.exe in the current folder must never be the one that runs.
  ASSERT_TRUE(test::WriteWholeFile(folder + L"taskkill.exe", StandIn(L"standin_recorder.exe")));
  ASSERT_TRUE(::SetCurrentDirectoryW(folder.c_str()));
  const test::StartedProcess first = test::StartProgram(folder + L"Kavadesk.exe");
  const test::StartedProcess second = test::StartProgram(folder + L"Kavadesk.exe");
  ASSERT_TRUE(first.Process && second.Process);
  EXPECT_EQ(::WaitForSingleObject(first.Process.Get(), 500), static_cast<DWORD>(WAIT_TIMEOUT));

  KillProcessByImageName(L"Kavadesk.exe");
  EXPECT_EQ(::WaitForSingleObject(first.Process.Get(), 10000), WAIT_OBJECT_0);
  EXPECT_EQ(::WaitForSingleObject(second.Process.Get(), 10000), WAIT_OBJECT_0);
  EXPECT_TRUE(test::ProcessIdsByImageName(L"Kavadesk.exe").empty());

  // Nothing of that name runs: taskkill fails quietly.
  KillProcessByImageName(L"Kavadesk.exe");
  for (const test::StandInRun& run : test::ReadStandInRuns(test::StandInLog())) {
    EXPECT_NE(run.Image, L"taskkill.exe") << run.CommandLine;
  }
}

}  // namespace
}  // namespace kavadesk
