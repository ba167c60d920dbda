// The built installer without a network connection (a namespace with only
// loopback, where Wine sees no adapter): the message at start, and the
// removal page of a complete installation with its recorded version.
#include <windows.h>

#include <gtest/gtest.h>

#include "e2e/e2e_fixture.h"
#include "registry/registry_store.h"

namespace kavadesk {
namespace {

TEST_F(InstallerEndToEndTest, OfflineWithoutAnInstallationShowsTheNoNetworkBox) {
  const test::StartedProcess first = StartInstaller();
  const auto box = test::WaitForMessageBox({}, kWindowTimeoutMs);
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->Title, Catalog().GetText(L"error_download"));
  EXPECT_EQ(box->Text, L"There is no internet connection. Please try again later.");
  Shot(L"14-offline-no-network");
  ASSERT_TRUE(test::PressOk(*box));
  ExpectInstallersEndWithZero();
}

TEST_F(InstallerEndToEndTest, OfflineWithACompleteInstallationOffersTheRemoval) {
  const RegistryStore registry;
  registry.WriteUninstallEntry(VersionString(L"2.3.1"));
  registry.SetInstallState(3);
  const test::StartedProcess first = StartInstaller();
  const HWND window = WaitForOffer(Text(L"IDS_TITLE_UNINSTALL", {L"Kavadesk"}));
  ASSERT_TRUE(window);
  EXPECT_TRUE(WaitForText(window, L"Static", L"Kavadesk version: 2.3.1", 5000));
  Shot(L"15-offline-uninstall-welcome");
  ASSERT_TRUE(test::Click(test::FindControl(window, L"Button", L"Cancel")));
  ExpectInstallersEndWithZero();
}

}  // namespace
}  // namespace kavadesk
