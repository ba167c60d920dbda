// The offered version, read from the fixture's update manifest through the
// real WinINet, or from the registry where no server is to be asked.
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

const std::wstring kManifest = L"txKavadesk\\config\\merel_updater.xml";

class ServerVersionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test::LoadShippedLanguages(Catalog()));
    Catalog().SetLanguage(L"en-US");
    BuildInstallerConfig(test::FixtureUrl());
    UninstallMode = false;
  }
  void TearDown() override { UninstallMode = false; }

  static void RecordInstallation(const wchar_t* version) {
    const RegistryStore registry;
    registry.WriteUninstallEntry(VersionString(version));
    registry.SetInstallState(3);
  }
};

TEST_F(ServerVersionTest, ManifestTable) {
  struct Row {
    const char* manifest;
    std::optional<std::wstring> version;
  };
  const Row rows[] = {
      {"<?xml version=\"1.0\"?>\r\n<updater><version>5.2.0.7</version></updater>\r\n", L"5.2.0.7"},
      {"<version>1.0</version><version>2.0</version>", L"1.0"},
      {"<version> 5.1\r\n</version>", L" 5.1\r\n"},
      {"<version></version>", L""},
      {"<Version>5.0</Version>", std::nullopt},
      {"<version>5.0", std::nullopt},
      {"</version>5.0<version>", std::nullopt},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.manifest);
    ASSERT_TRUE(test::WriteWholeFile(test::FixtureRoot() + kManifest, r.manifest));
    const test::ErrorBoxCapture boxes;
    EXPECT_EQ(OfferedVersion(), r.version);
    if (r.version) {
      EXPECT_TRUE(boxes.Boxes().empty());
    } else {
      EXPECT_EQ(boxes.Boxes(), std::vector<test::ErrorBoxCapture::Box>({{L"Error", L"Failed to download"}}));
    }
  }
}

TEST_F(ServerVersionTest, MissingManifestIsTheDownloadersFailure) {
  const test::ErrorBoxCapture boxes;
  EXPECT_EQ(OfferedVersion(), std::nullopt);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].second, L"Missing file: merel_updater.xml");
}

TEST_F(ServerVersionTest, UninstallModeNeverAsksTheServer) {
  ASSERT_TRUE(test::WriteWholeFile(test::FixtureRoot() + kManifest, "<version>9.9</version>"));
  UninstallMode = true;
  EXPECT_EQ(OfferedVersion(), L"");
  RecordInstallation(L"4.1.0");
  EXPECT_EQ(OfferedVersion(), L"4.1.0");
  EXPECT_EQ(test::FixtureRequestLog(), "");
}

TEST_F(ServerVersionTest, OnlineWithAnInstallationTheServerStillDecides) {
  ASSERT_TRUE(test::WriteWholeFile(test::FixtureRoot() + kManifest, "<version>9.9</version>"));
  RecordInstallation(L"4.1.0");
  EXPECT_EQ(OfferedVersion(), L"9.9");
}

}  // namespace
}  // namespace kavadesk
