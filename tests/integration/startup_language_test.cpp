// The language chosen at start-up, on the real registry of the test's prefix.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/admin_check.h"
#include "app/installer_config.h"
#include "app/language_choice.h"
#include "i18n/error_box.h"
#include "support/error_box_capture.h"
#include "registry/registry_store.h"
#include "support/shipped_languages.h"

namespace kavadesk {
namespace {

struct LanguageCase {
  const char* name;
  const wchar_t* stored;  // written before start-up; null: a first run
  const wchar_t* locale;
  bool registryWritable;
  bool administrator;
  bool goesOn;
  const wchar_t* language;     // the catalogue's language afterwards
  const wchar_t* storedAfter;  // "CurrentCulture" afterwards
  const wchar_t* boxTitle;     // null: no box
  const wchar_t* boxBody;
};

class StartupLanguageTest : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(StartupLanguageTest, ChoosesAndStores) {
  const LanguageCase& c = GetParam();
  ASSERT_TRUE(test::LoadShippedLanguages(Catalog()));
  BuildInstallerConfig(L"http://127.0.0.1:9/");
  const RegistryStore registry;
  if (c.stored) registry.SetCurrentCulture(c.stored);
  SetCurrentCultureWriteFailsForTesting(!c.registryWritable);
  SetAdministratorsMembershipForTesting(c.administrator);
  const test::ErrorBoxCapture capture;

  const bool goesOn = ChooseStartupLanguage(c.locale);

  const auto& shown = capture.Boxes();
  SetCurrentCultureWriteFailsForTesting(false);
  SetAdministratorsMembershipForTesting(std::nullopt);
  EXPECT_EQ(goesOn, c.goesOn);
  EXPECT_EQ(Catalog().CurrentLanguage(), c.language);
  EXPECT_EQ(registry.GetCurrentCulture(), c.storedAfter);
  if (c.boxTitle) {
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].first, c.boxTitle);
    EXPECT_EQ(shown[0].second, c.boxBody);
  } else {
    EXPECT_TRUE(shown.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, StartupLanguageTest,
    ::testing::Values(
        LanguageCase{"FirstRunGerman", nullptr, L"de-DE", true, true, true, L"de-DE", L"de-DE", nullptr, nullptr},
        LanguageCase{"FirstRunBritishGivesEnglish", nullptr, L"en-GB", true, true, true, L"en-US", L"en-US", nullptr,
                     nullptr},
        LanguageCase{"FirstRunAustrianGivesEnglish", nullptr, L"de-AT", true, true, true, L"en-US", L"en-US", nullptr,
                     nullptr},
        LanguageCase{"StoredWinsOverLocale", L"ja-JP", L"de-DE", true, true, true, L"ja-JP", L"ja-JP", nullptr, nullptr},
        LanguageCase{"LegacySimplifiedChinese", L"zh-CHS", L"de-DE", true, true, true, L"zh-CN", L"zh-CN", nullptr,
                     nullptr},
        LanguageCase{"StoredCodeWithoutFile", L"tlh-KL", L"de-DE", true, true, true, L"tlh-KL", L"tlh-KL", nullptr,
                     nullptr},
        LanguageCase{"UnwritableRegistry", nullptr, L"de-DE", false, true, false, L"de-DE", L"", L"Fehler",
                     L"In die Windows-Registrierung konnte nicht geschrieben werden."},
        LanguageCase{"UnwritableRegistryNoAdministrator", nullptr, L"fr-FR", false, false, false, L"fr-FR", L"",
                     L"Droits d\u2019administrateur requis",
                     L"Des privil\u00E8ges d\u2019administrateur sont n\u00E9cessaires pour ex\u00E9cuter le programme "
                     L"d\u2019installation de Kavadesk."}),
    [](const testing::TestParamInfo<LanguageCase>& info) { return std::string(info.param.name); });

TEST(StartupLanguageTest, PreliminaryLanguageWritesNothing) {
  ASSERT_TRUE(test::LoadShippedLanguages(Catalog()));
  const RegistryStore registry;
  EXPECT_EQ(PreliminaryLanguage(L"sv-SE"), L"sv-SE");
  EXPECT_EQ(PreliminaryLanguage(L"en-GB"), L"en-US");
  EXPECT_EQ(registry.GetCurrentCulture(), L"");
  registry.SetCurrentCulture(L"zh-CHT");
  EXPECT_EQ(PreliminaryLanguage(L"sv-SE"), L"zh-TW");
}

TEST(AdminCheckTest, AdministratorPassesSilentlyOthersAreTold) {
  ASSERT_TRUE(test::LoadShippedLanguages(Catalog()));
  Catalog().SetLanguage(L"en-US");
  BuildInstallerConfig(L"http://127.0.0.1:9/");
  const test::ErrorBoxCapture capture;
  EXPECT_TRUE(CheckAdminRights()) << "Wine runs every process as an administrator";
  SetAdministratorsMembershipForTesting(false);
  EXPECT_FALSE(CheckAdminRights());
  SetAdministratorsMembershipForTesting(std::nullopt);
  const auto& shown = capture.Boxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].first, L"Admin Required");
  EXPECT_EQ(shown[0].second, L"Administrative privilege is required to run the Kavadesk installer");
}

}  // namespace
}  // namespace kavadesk
