// Install and removal cycles of the engines in one prefix: after every
// removal the machine equals its state after the first one, and no program
// of the installation is left running. The test command runs a short form
// (KAVADESK_SOAK_CYCLES, 3 by default); bench/soak.sh runs twenty.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <string>

#include "install/install_engine.h"
#include "install/shell_folders.h"
#include "install/uninstall_engine.h"
#include "support/install_fixture.h"
#include "support/prefix_state.h"
#include "support/test_env.h"

namespace kavadesk {
namespace {

test::StateLines MachineState() {
  test::StateLines state;
  const auto add = [&state](const std::wstring& prefix, const test::StateLines& lines) {
    for (const std::wstring& line : lines) state.insert(prefix + line);
  };
  add(L"files:", test::FolderTree(L"C:\\Program Files (x86)"));
  add(L"desktop:", test::FolderTree(DesktopFolder()));
  add(L"programs:", test::FolderTree(CommonProgramsFolder()));
  add(L"HKLM\\SOFTWARE", test::RegistryTree(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tarvex", KEY_WOW64_32KEY));
  add(L"HKLM\\Uninstall",
      test::RegistryTree(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall",
                         KEY_WOW64_32KEY));
  return state;
}

// The programs of the package that are still running.
std::wstring PackageProgramsRunning() {
  std::wstring running;
  UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof(entry);
  for (BOOL more = ::Process32FirstW(snapshot.Get(), &entry); more; more = ::Process32NextW(snapshot.Get(), &entry)) {
    for (const wchar_t* name : {L"Kavadesk.exe", L"VC_redist.x86.exe", L"velka_hal_setup.exe",
                                L"drosk_hal_setup.exe", L"quintar_hal_setup.exe", L"7za.exe", L"taskkill.exe"}) {
      if (::lstrcmpiW(entry.szExeFile, name) == 0) running += std::wstring(name) + L" ";
    }
  }
  return running;
}

TEST(EngineSoakTest, InstallAndRemovalCycles) {
  const std::wstring cyclesText = test::EnvironmentValue(L"KAVADESK_SOAK_CYCLES");
  const int cycles = cyclesText.empty() ? 3 : std::stoi(cyclesText);
  ASSERT_TRUE(test::PrepareInstallerState());
  ASSERT_TRUE(test::ServePackage(L"Kavadesk.zip", L"Kavadesk.zip"));
  test::StateLines afterFirstRemoval;
  for (int cycle = 0; cycle < cycles; ++cycle) {
    SCOPED_TRACE(cycle);
    InstallEngine install{VersionString(test::kPackageVersion)};
    test::RunEngineOnWorker(install);
    ASSERT_EQ(install.Progress(), 100);
    // The application runs when the removal comes, as after a launch.
    const test::StartedProcess app = test::StartProgram(test::kInstallFolder + L"Kavadesk.exe");
    ASSERT_TRUE(app.Process);
    UninstallEngine removal;
    removal.Run();
    ASSERT_EQ(removal.Progress(), 100);
    EXPECT_EQ(::WaitForSingleObject(app.Process.Get(), 10000), WAIT_OBJECT_0);
    EXPECT_EQ(PackageProgramsRunning(), L"");
    if (cycle == 0) {
      afterFirstRemoval = MachineState();
    } else {
      ASSERT_EQ(MachineState(), afterFirstRemoval);
    }
  }
}

}  // namespace
}  // namespace kavadesk
