// The user's locale as Wine reports it (the harness starts the prefix with
// the LANG of its "lang=" switch), and the language the installer stores on
// its first run there.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/installer_config.h"
#include "app/language_choice.h"
#include "registry/registry_store.h"
#include "support/process.h"
#include "support/test_env.h"

namespace kavadesk {
namespace {

struct LocaleRow {
  const wchar_t* lang;    // the harness switch
  const wchar_t* locale;  // what the system reports
  const wchar_t* stored;  // what the installer stores
};

const LocaleRow kRows[] = {
    {L"lang=de_DE.UTF-8", L"de-DE", L"de-DE"},
    {L"lang=en_GB.UTF-8", L"en-GB", L"en-US"},
    {L"lang=ja_JP.UTF-8", L"ja-JP", L"ja-JP"},
};

const LocaleRow* ThisRun() {
  const std::wstring harness = test::EnvironmentValue(L"KAVADESK_HARNESS");
  for (const LocaleRow& row : kRows) {
    if (harness.find(row.lang) != std::wstring::npos) return &row;
  }
  return nullptr;
}

TEST(UserLocaleTest, FirstRunStoresTheLocaleOrEnglish) {
  const LocaleRow* row = ThisRun();
  ASSERT_NE(row, nullptr) << "run with one of the lang= switches";
  EXPECT_EQ(UserLocaleName(), row->locale);

  // The installer relaunches itself; its copy chooses and stores the language.
  const test::ProcessResult run =
      test::RunProcess(L"\"" + test::BuildPath(L"win32\\KavadeskSetup.exe") + L"\" -test http://127.0.0.1:9/");
  ASSERT_TRUE(run.Finished);
  EXPECT_EQ(run.ExitCode, 0u);
  BuildInstallerConfig(L"http://127.0.0.1:9/");
  const RegistryStore registry;
  for (int i = 0; i < 300 && registry.GetCurrentCulture().empty(); ++i) ::Sleep(100);
  EXPECT_EQ(registry.GetCurrentCulture(), row->stored);
}

}  // namespace
}  // namespace kavadesk
