// The installation on Windows 7, which has no driver steps: the bar goes from
// 85 straight to 100 and only the runtime installer runs.
#include "install/install_engine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/installer_config.h"
#include "registry/registry_store.h"
#include "support/install_fixture.h"
#include "support/standin_log.h"

namespace kavadesk {
namespace {

TEST(InstallEngineWindows7Test, RunsWithoutTheDriverSteps) {
  ASSERT_FALSE(IsWindows10OrLater());
  ASSERT_TRUE(test::PrepareInstallerState());
  ASSERT_TRUE(test::ServePackage(L"Kavadesk.zip", L"Kavadesk.zip"));
  ASSERT_TRUE(test::RegisterThirdPackageComponent());

  InstallEngine engine{VersionString(test::kPackageVersion)};
  EXPECT_EQ(test::RunEngineOnWorker(engine), std::vector<int>({25, 35, 40, 55, 70, 85, 100}));
  EXPECT_EQ(engine.Progress(), 100);
  EXPECT_EQ(RegistryStore().GetInstallState(CompanyName()), 3);
  const std::vector<test::StandInRun> runs = test::ReadStandInRuns(test::StandInLog());
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].Image, L"VC_redist.x86.exe");
  EXPECT_EQ(runs[0].CommandLine, L"\"" + test::kInstallFolder + L"VC_redist.x86.exe\" /quiet /norestart");
}

}  // namespace
}  // namespace kavadesk
