// The downloader on a machine without a network: a namespace with loopback
// only, where WinINet sees no adapter although the fixture server answers.
#include "net/downloader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/installer_config.h"
#include "i18n/translation_catalog.h"
#include "support/error_box_capture.h"
#include "support/process.h"
#include "support/shipped_languages.h"
#include "support/test_env.h"

namespace kavadesk {
namespace {

using Box = test::ErrorBoxCapture::Box;
using Boxes = std::vector<Box>;

TEST(DownloaderOfflineTest, TransfersShowTheNoNetworkBoxAndNothingIsRequested) {
  ASSERT_FALSE(test::FixtureUrl().empty());
  ASSERT_TRUE(test::LoadShippedLanguages(Catalog()));
  BuildInstallerConfig(test::FixtureUrl());
  ASSERT_TRUE(test::WriteWholeFile(test::FixtureRoot() + L"txKavadesk\\config\\merel_updater.xml",
                                   "<version>1.2.3</version>"));
  ASSERT_TRUE(test::WriteWholeFile(test::FixtureRoot() + L"txKavadesk\\application\\1.0\\Kavadesk.zip", "zip"));
  EXPECT_FALSE(IsConnected());

  struct Case {
    const wchar_t* language;
    Box box;
  };
  const Case cases[] = {
      {L"en-US", {L"Failed to download", L"There is no internet connection. Please try again later."}},
      {L"de-DE",
       {L"Fehler beim Herunterladen", L"Es besteht keine Internetverbindung. Bitte versuchen Sie es später erneut."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    Catalog().SetLanguage(c.language);
    test::ErrorBoxCapture boxes;

    EXPECT_FALSE(ServerFileExists(L"application/1.0/", L"Kavadesk.zip"));
    EXPECT_EQ(boxes.Boxes(), Boxes());

    EXPECT_FALSE(DownloadToFile(L"application/1.0/", test::RunDir(), L"Kavadesk.zip"));
    EXPECT_FALSE(std::filesystem::exists(test::RunDir() + L"Kavadesk.zip"));
    std::wstring text = L"earlier";
    EXPECT_FALSE(FetchText(L"config/", L"merel_updater.xml", text));
    EXPECT_EQ(text, L"earlier");
    EXPECT_EQ(boxes.Boxes(), Boxes({c.box, c.box}));
  }
  EXPECT_EQ(test::FixtureRequestLog(), "");
}

}  // namespace
}  // namespace kavadesk
