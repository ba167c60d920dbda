// The offered version on a machine without a network.
#include "net/server_version.h"

#include <gtest/gtest.h>

#include "app/installer_config.h"
#include "app/process_state.h"
#include "i18n/translation_catalog.h"
#include "registry/registry_store.h"
#include "support/error_box_capture.h"
#include "support/process.h"
#include "support/shipped_languages.h"
#include "support/test_env.h"

namespace kavadesk {
namespace {

TEST(ServerVersionOfflineTest, RecordedVersionStandsInOnlyForACompleteInstallation) {
  ASSERT_TRUE(test::LoadShippedLanguages(Catalog()));
  Catalog().SetLanguage(L"en-US");
  BuildInstallerConfig(test::FixtureUrl());
  ASSERT_TRUE(test::WriteWholeFile(test::FixtureRoot() + L"txKavadesk\\config\\merel_updater.xml",
                                   "<version>9.9</version>"));
  const RegistryStore registry;
  registry.WriteUninstallEntry(VersionString(L"4.1.0"));

  struct Row {
    int installState;
    std::optional<std::wstring> version;
    std::vector<test::ErrorBoxCapture::Box> boxes;
  };
  const Row rows[] = {
      {1, std::nullopt, {{L"Failed to download", L"There is no internet connection. Please try again later."}}},
      {3, L"4.1.0", {}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.installState);
    registry.SetInstallState(r.installState);
    const test::ErrorBoxCapture boxes;
    EXPECT_EQ(OfferedVersion(), r.version);
    EXPECT_EQ(boxes.Boxes(), r.boxes);
  }
  EXPECT_EQ(test::FixtureRequestLog(), "");
}

}  // namespace
}  // namespace kavadesk
