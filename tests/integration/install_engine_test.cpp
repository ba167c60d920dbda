// Whole installations by the engine against the fixture server and the test
// package: the real WinINet, cmd, 7za.exe, shell links and registry, with
// stand-ins for the runtime and driver packages that record their runs.
#include "install/install_engine.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "app/installer_config.h"
#include "i18n/translation_catalog.h"
#include "install/shell_folders.h"
#include "registry/registry_store.h"
#include "support/error_box_capture.h"
#include "support/install_fixture.h"
#include "support/prefix_state.h"
#include "support/process.h"
#include "support/standin_log.h"
#include "support/test_env.h"

namespace kavadesk {
namespace {

using test::StateLines;

const wchar_t kChildCase[] = L"KAVADESK_ENGINE_CHILD";
const wchar_t kChildBoxes[] = L"KAVADESK_ENGINE_BOXES";
constexpr unsigned long kRunReturned = 42;

// In a child process of this program: one installation, as the window's
// worker runs it, with the boxes written to a file. The process ends with 0
// when the engine ends it, with kRunReturned when Run returns.
TEST(InstallEngineChild, DISABLED_RunsOneInstallation) {
  if (test::EnvironmentValue(kChildCase).empty()) GTEST_SKIP();
  ASSERT_TRUE(test::PrepareInstallerState());
  const std::wstring boxFile = test::EnvironmentValue(kChildBoxes);
  SetErrorBoxSinkForTesting([boxFile](const std::wstring& title, const std::wstring& body) {
    std::ofstream out(std::filesystem::path(boxFile), std::ios::binary | std::ios::app);
    out << std::filesystem::path(title + L"|" + body).u8string() << "\n";
  });
  std::thread worker([] { InstallEngine(VersionString(test::kPackageVersion)).Run(); });
  worker.join();
  ::ExitProcess(kRunReturned);
}

struct ChildOutcome {
  bool Finished = false;
  unsigned long ExitCode = 0;
  std::string Boxes;
};

ChildOutcome RunInstallationInChild() {
  const std::wstring boxFile = test::RunDir() + L"child-boxes.txt";
  ::DeleteFileW(boxFile.c_str());
  ::SetEnvironmentVariableW(kChildCase, L"1");
  ::SetEnvironmentVariableW(kChildBoxes, boxFile.c_str());
  wchar_t self[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  const test::ProcessResult result = test::RunProcess(
      L"\"" + std::wstring(self) +
          L"\" --gtest_also_run_disabled_tests --gtest_filter=InstallEngineChild.DISABLED_RunsOneInstallation",
      L"", 180000);
  ::SetEnvironmentVariableW(kChildCase, nullptr);
  return {result.Finished, result.ExitCode, test::ReadWholeFile(boxFile).value_or("")};
}

std::vector<std::wstring> ImagesAndCommands(const std::vector<test::StandInRun>& runs) {
  std::vector<std::wstring> lines;
  for (const test::StandInRun& run : runs) lines.push_back(run.Image + L" | " + run.CommandLine);
  return lines;
}

std::wstring Quoted(const std::wstring& program) { return L"\"" + test::kInstallFolder + program + L"\""; }

const std::wstring kRuntimeRun = L"VC_redist.x86.exe | " + Quoted(L"VC_redist.x86.exe") + L" /quiet /norestart";
const std::wstring kFirstDriverRun =
    L"velka_hal_setup.exe | " + Quoted(L"velka_hal_setup.exe") + L" /install /quiet /norestart";
const std::wstring kSecondDriverRun =
    L"drosk_hal_setup.exe | " + Quoted(L"drosk_hal_setup.exe") + L" /install /quiet /norestart";
const std::wstring kThirdPackageRun =
    L"quintar_hal_setup.exe | " + Quoted(L"quintar_hal_setup.exe") + L" /uninstall /quiet /norestart";

class InstallEngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test::PrepareInstallerState());
    ASSERT_TRUE(test::ServePackage(L"Kavadesk.zip", L"Kavadesk.zip"));
  }
  void TearDown() override { SetInstallStepHookForTesting(nullptr); }
};

TEST_F(InstallEngineTest, CompleteInstallation) {
  // Unquoted, "C:\Program Files (x86)\..." would start these first.
  const auto recorder = test::ReadWholeFile(test::BuildPath(L"tests\\standin_recorder.exe"));
  ASSERT_TRUE(recorder.has_value());
  ASSERT_TRUE(test::WriteWholeFile(L"C:\\Program.exe", *recorder));
  ASSERT_TRUE(test::WriteWholeFile(L"C:\\Program Files.exe", *recorder));

  InstallEngine engine{VersionString(test::kPackageVersion)};
  EXPECT_EQ(engine.Progress(), 0);
  const test::ErrorBoxCapture boxes;
  EXPECT_EQ(test::RunEngineOnWorker(engine), std::vector<int>({10, 15, 20, 30, 40, 50, 60, 70, 80, 100}));
  EXPECT_EQ(engine.Progress(), 100);
  EXPECT_TRUE(boxes.Boxes().empty());

  const std::vector<test::StandInRun> runs = test::ReadStandInRuns(test::StandInLog());
  EXPECT_EQ(ImagesAndCommands(runs), std::vector<std::wstring>({kRuntimeRun, kFirstDriverRun, kSecondDriverRun}));
  for (std::size_t i = 0; i < runs.size(); ++i) {
    EXPECT_EQ(runs[i].Folder + L"\\", test::kInstallFolder);
    if (i > 0) {
      EXPECT_LE(runs[i - 1].Time, runs[i].Time);
    }
  }

  // Unpacked with its folder; neither the package nor the batch file is left.
  const StateLines files = test::FolderTree(test::kInstallFolder);
  for (const wchar_t* name : {L"Kavadesk.exe", L"VC_redist.x86.exe", L"Data\\readme.txt", L"7za.exe"}) {
    EXPECT_TRUE(test::PathExists(test::kInstallFolder + name)) << name;
  }
  EXPECT_FALSE(test::PathExists(test::kInstallFolder + L"Kavadesk.zip"));
  EXPECT_FALSE(test::PathExists(test::kInstallFolder + L"unzip.bat"));
  EXPECT_TRUE(test::PathExists(DesktopShortcut()));
  EXPECT_TRUE(test::PathExists(StartMenuShortcut()));

  const std::wstring installer = test::kInstallFolder + ExecutableFileName();
  EXPECT_EQ(test::RegistryTree(HKEY_LOCAL_MACHINE, test::kTarvexEntry, KEY_WOW64_32KEY),
            StateLines({L"\\", L"\\DisplayVersion = sz:2.4.0", L"\\DisplayName = sz:Kavadesk",
                        L"\\DisplayIcon = sz:" + test::kInstallFolder + L"Kavadesk.exe",
                        L"\\InstallSource = sz:" + installer, L"\\Publisher = sz:Tarvex Corporation",
                        L"\\UninstallString = sz:\"" + installer + L"\" -uninstall"}));
  EXPECT_EQ(test::RegistryTree(HKEY_LOCAL_MACHINE, test::kTarvexProduct, KEY_WOW64_32KEY),
            StateLines({L"\\", L"\\IsInstalled = dword:3", L"\\InstallPath = sz:" + test::kInstallFolder,
                        L"\\CurrentVersion = sz:2.4.0", L"\\IsCachePolicy = sz:0"}));
}

TEST_F(InstallEngineTest, TrickledDownloadCancelledFromTheWindowThread) {
  test::WriteFixtureRules(R"({"/txKavadesk/application/2.4.0/Kavadesk.zip":
                              {"trickle": {"chunk": 4096, "interval": 0.05}}})");
  InstallEngine engine{VersionString(test::kPackageVersion)};
  std::thread worker([&engine] { engine.Run(); });
  // Cancel once part of the package has arrived.
  const std::wstring package = test::kInstallFolder + L"Kavadesk.zip";
  for (int i = 0; i < 2000; ++i) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (::GetFileAttributesExW(package.c_str(), GetFileExInfoStandard, &data) && data.nFileSizeLow >= 16384) break;
    ::Sleep(10);
  }
  engine.Cancel();
  worker.join();

  EXPECT_EQ(engine.Progress(), 15);
  const auto partial = test::ReadWholeFile(package);
  const auto whole = test::ReadWholeFile(test::BuildPath(L"test-package\\Kavadesk.zip"));
  ASSERT_TRUE(partial.has_value() && whole.has_value());
  EXPECT_GT(partial->size(), 0u);
  EXPECT_LT(partial->size(), whole->size());
  EXPECT_EQ(whole->compare(0, partial->size(), *partial), 0);
  EXPECT_FALSE(test::PathExists(test::kInstallFolder + L"Kavadesk.exe"));
  EXPECT_EQ(RegistryStore().GetInstallState(CompanyName()), 1);
}

// Where a cancel request that arrives as a step begins takes effect.
struct CancelRow {
  int cancelAt;
  int stopsAt;  // the last position reached; 100 when the cancel has no effect
  bool unpacked;
  bool shortcuts;
  bool registered;
  std::vector<std::wstring> runs;
};

class InstallEngineCancelTest : public InstallEngineTest, public ::testing::WithParamInterface<CancelRow> {};

TEST_P(InstallEngineCancelTest, TakesEffectAtTheNextCheck) {
  const CancelRow& row = GetParam();
  InstallEngine engine{VersionString(test::kPackageVersion)};
  test::RunEngineOnWorker(engine, row.cancelAt);

  EXPECT_EQ(engine.Progress(), row.stopsAt);
  const RegistryStore registry;
  EXPECT_EQ(registry.GetInstallState(CompanyName()), row.stopsAt == 100 ? 3 : 1);
  EXPECT_TRUE(test::PathExists(test::kInstallFolder + L"7za.exe"));
  EXPECT_EQ(registry.GetInstallPath(), row.cancelAt > 10 ? test::kInstallFolder : L"");
  EXPECT_EQ(test::PathExists(test::kInstallFolder + L"Kavadesk.exe"), row.unpacked);
  EXPECT_EQ(test::PathExists(DesktopShortcut()), row.shortcuts);
  EXPECT_EQ(test::PathExists(StartMenuShortcut()), row.shortcuts);
  EXPECT_EQ(registry.GetInstalledVersion().Get(), row.registered ? L"2.4.0" : L"");
  EXPECT_EQ(ImagesAndCommands(test::ReadStandInRuns(test::StandInLog())), row.runs);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, InstallEngineCancelTest,
    ::testing::Values(CancelRow{10, 10, false, false, false, {}},
                      // A cancel before the download is cleared by its start:
                      // the package arrives whole and the check after it stops.
                      CancelRow{15, 15, false, false, false, {}},
                      // No check between unpacking and the shortcuts.
                      CancelRow{20, 30, true, true, false, {}}, CancelRow{30, 30, true, true, false, {}},
                      CancelRow{40, 40, true, true, true, {}},
                      // The runtime installer runs to its end first.
                      CancelRow{50, 50, true, true, true, {kRuntimeRun}},
                      // No checks after the driver steps.
                      CancelRow{60, 100, true, true, true, {kRuntimeRun, kFirstDriverRun, kSecondDriverRun}},
                      CancelRow{80, 100, true, true, true, {kRuntimeRun, kFirstDriverRun, kSecondDriverRun}}));

// The older driver package is removed only when its component is registered
// and the newer drive model has not been recorded.
struct ThirdPackageRow {
  const char* name;
  bool flagSet;
  bool keyPresent;
  bool removed;
};

class InstallEngineThirdPackageTest : public InstallEngineTest,
                                      public ::testing::WithParamInterface<ThirdPackageRow> {};

TEST_P(InstallEngineThirdPackageTest, RemovedOnlyWhenRegisteredAndNotDetected) {
  const ThirdPackageRow& row = GetParam();
  if (row.flagSet) RegistryStore().WriteDword(L"SOFTWARE\\Tarvex\\Permanent", L"KT4400Detected", 1);
  if (row.keyPresent) {
    ASSERT_TRUE(test::RegisterThirdPackageComponent());
  }
  InstallEngine engine{VersionString(test::kPackageVersion)};
  test::RunEngineOnWorker(engine);
  std::vector<std::wstring> expected = {kRuntimeRun, kFirstDriverRun, kSecondDriverRun};
  if (row.removed) expected.push_back(kThirdPackageRun);
  EXPECT_EQ(ImagesAndCommands(test::ReadStandInRuns(test::StandInLog())), expected);
  EXPECT_EQ(engine.Progress(), 100);
}

INSTANTIATE_TEST_SUITE_P(Matrix, InstallEngineThirdPackageTest,
                         ::testing::Values(ThirdPackageRow{"neither", false, false, false},
                                           ThirdPackageRow{"key only", false, true, true},
                                           ThirdPackageRow{"flag only", true, false, false},
                                           ThirdPackageRow{"flag and key", true, true, false}));

TEST_F(InstallEngineTest, AlternatePackageWithTheAlternateApplication) {
  ASSERT_TRUE(::DeleteFileW((test::PackageFolderOnServer() + L"Kavadesk.zip").c_str()));
  ASSERT_TRUE(test::ServePackage(L"TarvexKavadesk.zip", L"TarvexKavadesk.zip"));
  InstallEngine engine{VersionString(test::kPackageVersion)};
  test::RunEngineOnWorker(engine);

  EXPECT_EQ(engine.Progress(), 100);
  EXPECT_TRUE(test::PathExists(test::kInstallFolder + L"TarvexSSDKavadesk.exe"));
  EXPECT_FALSE(test::PathExists(test::kInstallFolder + L"TarvexKavadesk.zip"));
  // Asked for under the first name, then fetched under the second.
  EXPECT_EQ(test::FixtureRequestLog(),
            "GET /txKavadesk/application/2.4.0/Kavadesk.zip\n"
            "GET /txKavadesk/application/2.4.0/TarvexKavadesk.zip\n"
            "GET /txKavadesk/application/2.4.0/TarvexKavadesk.zip\n");
  // The shortcuts fall back to the alternate name; the uninstall entry's icon
  // always names the application.
  EXPECT_EQ(test::ShortcutTarget(DesktopShortcut()), test::kInstallFolder + L"TarvexSSDKavadesk.exe");
  EXPECT_EQ(RegistryStore().GetDisplayIcon(), test::kInstallFolder + L"Kavadesk.exe");
}

// Failures that end the process: the box, exit code 0, and the state left 1
// (or never written) so that the next start offers to repair.
TEST_F(InstallEngineTest, FailuresEndTheProcessAfterTheirBox) {
  struct Row {
    const char* name;
    std::function<bool()> prepare;
    std::string boxes;
    int installState;
  };
  const auto removePackage = [] { return ::DeleteFileW((test::PackageFolderOnServer() + L"Kavadesk.zip").c_str()) != FALSE; };
  const Row rows[] = {
      {"package on the server under neither name", removePackage, "Error|Missing file: Kavadesk.zip\n", 1},
      {"damaged package",
       [] { return test::WriteWholeFile(test::PackageFolderOnServer() + L"Kavadesk.zip", "PK\3\4 not a zip"); },
       "Error|Missing file: Kavadesk.exe\n", 1},
      {"install folder not creatable",
       [] { return test::WriteWholeFile(L"C:\\Program Files (x86)\\Tarvex", "a file where the company folder goes"); },
       "Error|Failed to create folder. " + std::filesystem::path(test::kInstallFolder).u8string() + "\n", 5},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_TRUE(test::ResetInstallation());
    ASSERT_TRUE(test::ServePackage(L"Kavadesk.zip", L"Kavadesk.zip"));
    ASSERT_TRUE(row.prepare());
    const ChildOutcome outcome = RunInstallationInChild();
    EXPECT_TRUE(outcome.Finished);
    EXPECT_EQ(outcome.ExitCode, 0u);
    EXPECT_EQ(outcome.Boxes, row.boxes);
    EXPECT_EQ(RegistryStore().GetInstallState(CompanyName()), row.installState);
    EXPECT_FALSE(test::PathExists(DesktopShortcut()));
    EXPECT_FALSE(test::PathExists(StartMenuShortcut()));
    EXPECT_EQ(RegistryStore().GetInstalledVersion().Get(), L"");
    EXPECT_TRUE(test::ReadStandInRuns(test::StandInLog()).empty());
  }
  ::DeleteFileW(L"C:\\Program Files (x86)\\Tarvex");
}

}  // namespace
}  // namespace kavadesk
