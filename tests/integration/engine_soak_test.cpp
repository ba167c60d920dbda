// Install and removal cycles of the engines in one prefix: after every
// removal the machine equals its state after the first one, and no program
// of the installation is left running. The test command runs a short form
// (KAVADESK_SOAK_CYCLES, 3 by default); bench/soak.sh runs twenty.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "install/install_engine.h"
#include "install/uninstall_engine.h"
#include "support/install_fixture.h"
#include "support/prefix_state.h"
#include "support/test_env.h"
#include "ui_driver.h"

namespace kavadesk {
namespace {

// The programs of the package that are still running.
std::wstring PackageProgramsRunning() {
  std::wstring running;
  for (const wchar_t* name : {L"Kavadesk.exe", L"VC_redist.x86.exe", L"velka_hal_setup.exe", L"drosk_hal_setup.exe",
                              L"quintar_hal_setup.exe", L"7za.exe", L"taskkill.exe"}) {
    if (!test::ProcessIdsByImageName(name).empty()) running += std::wstring(name) + L" ";
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
      afterFirstRemoval = test::InstallationFootprint();
    } else {
      ASSERT_EQ(test::InstallationFootprint(), afterFirstRemoval);
    }
  }
}

}  // namespace
}  // namespace kavadesk
