// The built installer as a process: whatever its command line, it ends by
// itself with exit code 0.
#include <windows.h>

#include <gtest/gtest.h>

#include "support/process.h"
#include "support/test_env.h"

namespace kavadesk {
namespace {

TEST(InstallerProcessTest, EveryCommandLineEndsWithCodeZero) {
  const std::wstring exe = L"\"" + test::BuildPath(L"win32\\KavadeskSetup.exe") + L"\"";
  const wchar_t* rows[] = {L"", L" -uninstall", L" -TEST http://127.0.0.1:9/", L" -test", L" -test \"\"",
                           L" -test -uninstall", L" unknown -x"};
  for (const wchar_t* arguments : rows) {
    const test::ProcessResult run = test::RunProcess(exe + arguments);
    SCOPED_TRACE(testing::PrintToString(std::wstring(arguments)));
    ASSERT_TRUE(run.Started);
    EXPECT_TRUE(run.Finished);
    EXPECT_EQ(run.ExitCode, 0u);
  }
}

}  // namespace
}  // namespace kavadesk
