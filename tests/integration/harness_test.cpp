// The Wine harness itself: each test's prefix is a 64-bit one of its own, and
// the reported Windows version can be chosen.
#include <windows.h>

#include <gtest/gtest.h>

#include "support/process.h"
#include "support/test_env.h"
#include "support/windows_version.h"

namespace kavadesk {
namespace {

TEST(HarnessTest, ReportedWindowsVersionCanBeChosen) {
  const std::wstring probe = L"\"" + test::BuildPath(L"tests\\version_probe.exe") + L"\"";
  const std::pair<const wchar_t*, unsigned long> rows[] = {{L"win7", 601}, {L"win10", 1000}, {L"win7", 601}};
  for (const auto& [name, expected] : rows) {
    ASSERT_TRUE(test::SetReportedWindowsVersion(name));
    const test::ProcessResult run = test::RunProcess(probe);
    ASSERT_TRUE(run.Finished);
    EXPECT_EQ(run.ExitCode, expected) << testing::PrintToString(std::wstring(name));
  }
}

TEST(HarnessTest, PrefixIsSixtyFourBit) {
  wchar_t folder[MAX_PATH];
  ASSERT_GT(::GetEnvironmentVariableW(L"ProgramFiles(x86)", folder, MAX_PATH), 0u);
  EXPECT_STREQ(folder, L"C:\\Program Files (x86)");
}

// Two runs that each find the registry and the drive as the template left
// them, then change both: sharing a prefix would fail the second.
class HarnessIsolationTest : public ::testing::TestWithParam<int> {};

TEST_P(HarnessIsolationTest, EveryTestStartsFromTheTemplate) {
  DWORD disposition = 0;
  HKEY key = nullptr;
  ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\KavadeskHarnessProbe", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, &disposition),
            ERROR_SUCCESS);
  ::RegCloseKey(key);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));

  const std::wstring marker = L"C:\\Program Files (x86)\\kavadesk-harness-probe.txt";
  EXPECT_EQ(::GetFileAttributesW(marker.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(test::WriteWholeFile(marker, "probe"));
}

INSTANTIATE_TEST_SUITE_P(Twice, HarnessIsolationTest, ::testing::Values(1, 2));

}  // namespace
}  // namespace kavadesk
