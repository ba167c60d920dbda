// The built installer started as a user starts it (from the Downloads folder,
// so that it relaunches from the temporary folder), its real window driven
// from this process against the fixture server and the test package, and
// the machine checked afterwards. Every screen is saved under
// build/screenshots/e2e/.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/installer_config.h"
#include "e2e/screenshot.h"
#include "i18n/translation_catalog.h"
#include "install/process_runner.h"
#include "install/shell_folders.h"
#include "registry/registry_store.h"
#include "support/install_fixture.h"
#include "support/prefix_state.h"
#include "support/process.h"
#include "support/standin_log.h"
#include "support/test_env.h"
#include "ui_driver.h"
#include "e2e/e2e_fixture.h"

namespace kavadesk {
namespace {

TEST_F(InstallerEndToEndTest, InstallLaunchAndRemoveThroughTheUninstallEntry) {
  const test::StartedProcess first = StartInstaller();
  ASSERT_TRUE(first.Process);
  // The welcome screen.
  const HWND window = WaitForOffer(Text(L"IDS_TITLE_INSTALLATION", {L"Kavadesk"}));
  ASSERT_TRUE(window);
  Shot(L"01-install-welcome");
  std::vector<test::ControlInfo> controls = test::ListControls(window);
  ASSERT_NE(ByText(controls, L"Kavadesk version: 2.4.0"), nullptr);
  ASSERT_NE(ByText(controls, L"Install Version: 5.1.2.1"), nullptr);
  const test::ControlInfo* launch = ByText(controls, L"Launch Kavadesk");
  ASSERT_NE(launch, nullptr);
  EXPECT_FALSE(launch->Visible);
  const HWND combo = FindClass(window, L"ComboBox");
  ASSERT_EQ(test::ComboEntries(combo).size(), 17u);
  EXPECT_EQ(test::ComboEntries(combo)[test::ComboSelection(combo)], L"English");
  RECT frame = {};
  ::GetWindowRect(window, &frame);
  EXPECT_EQ(frame.right - frame.left, 490);
  EXPECT_EQ(frame.bottom - frame.top, 357);
  // The close box does nothing on an offer screen.
  ::PostMessageW(window, WM_CLOSE, 0, 0);
  ::Sleep(1000);
  EXPECT_TRUE(::IsWindow(window));

  // The run: the language list gives way to the bar.
  ASSERT_TRUE(test::Click(test::FindControl(window, L"Button", L"Install")));
  ASSERT_TRUE(WaitForText(window, L"Static", Text(L"IDS_INSTALLING_TEXT", {L"Kavadesk"}), 10000));
  const HWND bar = FindClass(window, L"msctls_progress32");
  for (int i = 0; i < 100 && test::ProgressPosition(bar) < 20; ++i) ::Sleep(100);
  Shot(L"02-installing");
  EXPECT_FALSE(::IsWindowVisible(combo));
  EXPECT_FALSE(::IsWindowVisible(test::FindControl(window, L"Button", L"Install")));
  ::PostMessageW(window, WM_CLOSE, 0, 0);

  // The finish screen, with the launch box ticked.
  ASSERT_TRUE(WaitForText(window, L"Static", L"Kavadesk version 2.4.0 was successfully installed.", kRunTimeoutMs));
  Shot(L"03-install-finished");
  controls = test::ListControls(window);
  launch = ByText(controls, L"Launch Kavadesk");
  ASSERT_NE(launch, nullptr);
  EXPECT_TRUE(launch->Visible);
  EXPECT_TRUE(launch->Checked);
  EXPECT_EQ(test::ProgressPosition(bar), 100);
  EXPECT_FALSE(::IsWindowVisible(test::FindControl(window, L"Button", L"Cancel")));
  ASSERT_TRUE(test::Click(test::FindControl(window, L"Button", L"Finish")));
  ExpectInstallersEndWithZero();

  // The application started once; everything is in place.
  for (int i = 0; i < 200 && test::ReadStandInRuns(test::StandInLog()).size() < 4; ++i) ::Sleep(100);
  EXPECT_EQ(Images(test::ReadStandInRuns(test::StandInLog())),
            std::vector<std::wstring>({L"VC_redist.x86.exe", L"velka_hal_setup.exe", L"drosk_hal_setup.exe",
                                       L"Kavadesk.exe"}));
  const auto built = test::ReadWholeFile(test::BuildPath(L"win32\\KavadeskSetup.exe"));
  EXPECT_EQ(test::ReadWholeFile(test::kInstallFolder + L"KavadeskSetup.exe"), built);
  const RegistryStore registry;
  EXPECT_EQ(registry.GetInstallState(L"Tarvex"), 3);
  EXPECT_EQ(registry.GetUninstallString(), L"\"" + test::kInstallFolder + L"KavadeskSetup.exe\" -uninstall");
  EXPECT_EQ(registry.GetCurrentCulture(), L"en-US");
  EXPECT_TRUE(test::PathExists(DesktopShortcut()));
  EXPECT_TRUE(test::PathExists(StartMenuShortcut()));
  EXPECT_EQ(test::ShortcutTarget(DesktopShortcut()), test::kInstallFolder + L"Kavadesk.exe");

  // The removal, started as Windows starts it from the uninstall entry.
  const test::StartedProcess removal = StartRemembered(registry.GetUninstallString());
  ASSERT_TRUE(removal.Process);
  const HWND removalWindow = WaitForOffer(Text(L"IDS_TITLE_UNINSTALL", {L"Kavadesk"}));
  ASSERT_TRUE(removalWindow);
  Shot(L"04-uninstall-welcome");
  ASSERT_TRUE(test::Click(test::FindControl(removalWindow, L"Button", L"Uninstall")));
  ASSERT_TRUE(WaitForText(removalWindow, L"Static", Text(L"IDS_UNINSTALLING_TEXT", {L"Kavadesk"}), 10000));
  Shot(L"05-uninstalling");
  ASSERT_TRUE(WaitForText(removalWindow, L"Static", L"Kavadesk was successfully uninstalled.", kRunTimeoutMs));
  Shot(L"06-uninstall-finished");
  controls = test::ListControls(removalWindow);
  for (const wchar_t* hidden : {L"Launch Kavadesk", L"View Release Notes"}) {
    const test::ControlInfo* control = ByText(controls, hidden);
    ASSERT_NE(control, nullptr) << hidden;
    EXPECT_FALSE(control->Visible) << hidden;
  }
  // The close box closes the final screen.
  ::PostMessageW(removalWindow, WM_CLOSE, 0, 0);
  ExpectInstallersEndWithZero();

  EXPECT_EQ(test::FolderTree(L"C:\\Program Files (x86)\\Tarvex"), test::StateLines());
  EXPECT_FALSE(test::PathExists(DesktopShortcut()));
  EXPECT_FALSE(test::PathExists(StartMenuShortcut()));
  EXPECT_EQ(test::RegistryTree(HKEY_LOCAL_MACHINE, test::kTarvexEntry, KEY_WOW64_32KEY), test::StateLines());
  EXPECT_EQ(test::RegistryTree(HKEY_LOCAL_MACHINE, test::kTarvexProduct, KEY_WOW64_32KEY),
            test::StateLines({L"\\", L"\\CurrentCulture = sz:en-US", L"\\StartMinimized = sz:0"}));
  // The application that was launched was ended by the removal.
  EXPECT_TRUE(test::ProcessIdsByImageName(L"Kavadesk.exe").empty());
}

TEST_F(InstallerEndToEndTest, CancelDuringTheDownloadRemovesWhatTheRunLeft) {
  test::WriteFixtureRules(R"({"/txKavadesk/application/2.4.0/Kavadesk.zip":
                              {"trickle": {"chunk": 2048, "interval": 0.05}}})");
  const test::StartedProcess first = StartInstaller();
  const HWND window = WaitForOffer(Text(L"IDS_TITLE_INSTALLATION", {L"Kavadesk"}));
  ASSERT_TRUE(window);
  ASSERT_TRUE(test::Click(test::FindControl(window, L"Button", L"Install")));
  const HWND bar = FindClass(window, L"msctls_progress32");
  for (int i = 0; i < 200 && test::ProgressPosition(bar) < 12; ++i) ::Sleep(100);
  Shot(L"07-install-before-cancel");
  ASSERT_TRUE(test::Click(test::FindControl(window, L"Button", L"Cancel")));
  // The bar falls back to 0 for the pause before the removal.
  bool fellToZero = false;
  for (int i = 0; i < 200 && !fellToZero; ++i) {
    fellToZero = test::ProgressPosition(bar) == 0;
    ::Sleep(20);
  }
  EXPECT_TRUE(fellToZero);
  ASSERT_TRUE(WaitForText(window, L"Static", L"The installation was cancelled.", kRunTimeoutMs));
  Shot(L"08-install-cancelled");
  ASSERT_TRUE(test::Click(test::FindControl(window, L"Button", L"Finish")));
  ExpectInstallersEndWithZero();

  EXPECT_FALSE(test::PathExists(test::kInstallFolder));
  EXPECT_FALSE(test::PathExists(DesktopShortcut()));
  EXPECT_EQ(RegistryStore().GetInstallState(L"Tarvex"), 5);
  EXPECT_TRUE(test::ReadStandInRuns(test::StandInLog()).empty());
}

TEST_F(InstallerEndToEndTest, NewerVersionInstalledEndsWithOk) {
  const RegistryStore registry;
  registry.WriteUninstallEntry(VersionString(L"9.0.0.0"));
  registry.SetInstallState(3);
  const test::StateLines before = test::RegistryTree(HKEY_LOCAL_MACHINE, test::kTarvexEntry, KEY_WOW64_32KEY);
  const test::StartedProcess first = StartInstaller();
  const HWND window = WaitForOffer(Text(L"IDS_NEWER_VERSION_INSTALLED", {L"9.0.0.0", L"2.4.0", L"Kavadesk"}));
  ASSERT_TRUE(window);
  Shot(L"09-newer-version-installed");
  EXPECT_FALSE(::IsWindowVisible(test::FindControl(window, L"Button", L"Cancel")));
  ASSERT_TRUE(test::Click(test::FindControl(window, L"Button", L"OK")));
  ExpectInstallersEndWithZero();
  EXPECT_EQ(test::RegistryTree(HKEY_LOCAL_MACHINE, test::kTarvexEntry, KEY_WOW64_32KEY), before);
  EXPECT_TRUE(test::ReadStandInRuns(test::StandInLog()).empty());
  EXPECT_FALSE(test::PathExists(test::kInstallFolder + L"Kavadesk.exe"));
}

TEST_F(InstallerEndToEndTest, EveryLanguageAndTheNextStartKeepsTheChoice) {
  const test::StartedProcess first = StartInstaller();
  HWND window = WaitForOffer(Text(L"IDS_TITLE_INSTALLATION", {L"Kavadesk"}));
  ASSERT_TRUE(window);
  // A second start while one runs ends without a window of its own.
  const test::StartedProcess second = StartInstaller();
  ASSERT_TRUE(second.Process);
  EXPECT_EQ(::WaitForSingleObject(second.Process.Get(), 60000), WAIT_OBJECT_0);

  const HWND combo = FindClass(window, L"ComboBox");
  for (const std::wstring& name : test::ComboEntries(combo)) {
    SCOPED_TRACE(testing::PrintToString(name));
    const std::wstring code = Catalog().CodeOf(name);
    ASSERT_TRUE(test::SelectComboEntry(combo, name));
    Catalog().SetLanguage(code);
    // The whole window is re-texted at once.
    EXPECT_TRUE(WaitForText(window, L"Static", Text(L"IDS_TITLE_INSTALLATION", {L"Kavadesk"}), 5000));
    EXPECT_TRUE(WaitForText(window, L"Button", Text(L"IDS_INSTALL"), 5000));
    EXPECT_TRUE(WaitForText(window, L"Button", Text(L"IDS_CANCEL"), 5000));
    EXPECT_TRUE(WaitForText(window, L"Static", Text(L"options_select_language"), 5000));
    Shot(L"languages\\" + code);
  }
  ASSERT_TRUE(test::SelectComboEntry(combo, L"Deutsch"));
  Catalog().SetLanguage(L"de-DE");
  ASSERT_TRUE(WaitForText(window, L"Button", Text(L"IDS_CANCEL"), 5000));
  EXPECT_EQ(RegistryStore().GetCurrentCulture(), L"de-DE");
  ASSERT_TRUE(test::Click(test::FindControl(window, L"Button", Text(L"IDS_CANCEL"))));
  ExpectInstallersEndWithZero();

  const test::StartedProcess again = StartInstaller();
  window = WaitForOffer(Text(L"IDS_TITLE_INSTALLATION", {L"Kavadesk"}));
  ASSERT_TRUE(window);
  const HWND againCombo = FindClass(window, L"ComboBox");
  EXPECT_EQ(test::ComboEntries(againCombo)[test::ComboSelection(againCombo)], L"Deutsch");
  ASSERT_TRUE(test::Click(test::FindControl(window, L"Button", Text(L"IDS_CANCEL"))));
  ExpectInstallersEndWithZero();
}


// Over an incomplete installation and over an older version the window
// offers to repair; Install removes what is there, then installs.
TEST_F(InstallerEndToEndTest, ReinstallOverIncompleteAndOlderInstallations) {
  struct Row {
    const char* name;
    int state;
    int obrintState;  // 5: nothing recorded
    const wchar_t* recordedVersion;
    std::wstring offer;
    const wchar_t* shot;
  };
  const Row rows[] = {
      {"incomplete", 1, 5, L"", Text(L"IDS_INCOMPLETE_INSTALL", {L"2.4.0", L"Kavadesk"}), L"10-incomplete-install"},
      {"older", 3, 5, L"1.9.0", Text(L"IDS_OLD_VERSION_INSTALLED", {L"1.9.0", L"2.4.0", L"Kavadesk"}),
       L"11-older-version-installed"},
      // Both brands record 0: the removal stops at its gate without reaching
      // 100, and the window must still go on to the installation.
      {"removal stopped at its gate", 0, 0, L"", Text(L"IDS_INCOMPLETE_INSTALL", {L"2.4.0", L"Kavadesk"}),
       L"10-incomplete-install-gate"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const RegistryStore registry;
    registry.SetInstallState(row.state);
    if (row.obrintState != 5) registry.SetInstallState(L"Obrint", row.obrintState);
    registry.SetInstallPath(test::kInstallFolder);
    if (*row.recordedVersion) registry.WriteUninstallEntry(VersionString(row.recordedVersion));
    ASSERT_TRUE(test::WriteWholeFile(test::kInstallFolder + L"left-over.dll", "from the earlier run"));

    const test::StartedProcess first = StartInstaller();
    const HWND window = WaitForOffer(row.offer);
    ASSERT_TRUE(window);
    Shot(row.shot);
    ASSERT_TRUE(test::Click(test::FindControl(window, L"Button", L"Install")));
    // A removal stopped at its gate is over at once; the others show their screen.
    if (row.state != 0) {
      ASSERT_TRUE(WaitForText(window, L"Static", Text(L"IDS_UNINSTALLING_TEXT", {L"Kavadesk"}), 10000));
    }
    ASSERT_TRUE(WaitForText(window, L"Static", L"Kavadesk version 2.4.0 was successfully installed.", kRunTimeoutMs));
    ASSERT_TRUE(test::Click(test::FindControl(window, L"Button", L"Finish")));
    ExpectInstallersEndWithZero();

    // A removal stopped at its gate leaves the earlier files.
    EXPECT_EQ(test::PathExists(test::kInstallFolder + L"left-over.dll"), row.state == 0);
    EXPECT_TRUE(test::PathExists(test::kInstallFolder + L"Kavadesk.exe"));
    EXPECT_EQ(registry.GetInstallState(L"Tarvex"), 3);
    EXPECT_EQ(registry.GetInstalledVersion().Get(), L"2.4.0");
    KillProcessByImageName(L"Kavadesk.exe");
    ASSERT_TRUE(test::ResetInstallation());
    ASSERT_TRUE(test::ServePackage(L"Kavadesk.zip", L"Kavadesk.zip"));
  }
}

// Failures the user must know about: each shows its box, and OK ends every
// installer process with exit code 0.
TEST_F(InstallerEndToEndTest, FailureBoxes) {
  struct Row {
    const char* name;
    std::string rules;
    bool clickInstall;
    const wchar_t* text;
    const wchar_t* shot;
  };
  const Row rows[] = {
      {"package missing on the server", R"({"/txKavadesk/application/*": {"status": 404}})", true,
       L"Missing file: Kavadesk.zip", L"12-missing-package"},
      {"update manifest failing", R"({"/txKavadesk/config/merel_updater.xml": {"status": 500}})", false,
       L"Internal server error downloading file merel_updater.xml", L"13-manifest-failing"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    test::WriteFixtureRules(row.rules);
    const test::StartedProcess first = StartInstaller();
    if (row.clickInstall) {
      const HWND window = WaitForOffer(Text(L"IDS_TITLE_INSTALLATION", {L"Kavadesk"}));
      ASSERT_TRUE(window);
      ASSERT_TRUE(test::Click(test::FindControl(window, L"Button", L"Install")));
    }
    const auto box = test::WaitForMessageBox({}, kWindowTimeoutMs);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->Title, L"Error");
    EXPECT_EQ(box->Text, row.text);
    Shot(row.shot);
    ASSERT_TRUE(test::PressOk(*box));
    ExpectInstallersEndWithZero();
    EXPECT_FALSE(test::PathExists(DesktopShortcut()));
  }
}

// When the installer cannot be copied into the install folder, the uninstall
// entry would name a missing program: the copy error box, then the finish.
TEST_F(InstallerEndToEndTest, FailedCopyOfTheInstallerShowsItsBox) {
  // A folder where the copy goes can be neither deleted as a file nor
  // replaced by one.
  ASSERT_TRUE(::CreateDirectoryW(L"C:\\Program Files (x86)\\Tarvex", nullptr));
  ASSERT_TRUE(::CreateDirectoryW(test::kInstallFolder.c_str(), nullptr));
  ASSERT_TRUE(::CreateDirectoryW((test::kInstallFolder + L"KavadeskSetup.exe").c_str(), nullptr));
  const test::StartedProcess first = StartInstaller();
  const HWND window = WaitForOffer(Text(L"IDS_TITLE_INSTALLATION", {L"Kavadesk"}));
  ASSERT_TRUE(window);
  ASSERT_TRUE(test::Click(test::FindControl(window, L"Button", L"Install")));
  const auto box = test::WaitForMessageBox({}, kRunTimeoutMs);
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->Title, L"Error");
  EXPECT_EQ(box->Text.rfind(L"Failed to copy program(error code ", 0), 0u) << testing::PrintToString(box->Text);
  Shot(L"16-copy-failed");
  ASSERT_TRUE(test::PressOk(*box));
  ASSERT_TRUE(WaitForText(window, L"Button", L"Finish", 10000));
  ASSERT_TRUE(test::Click(test::FindControl(window, L"Button", L"Finish")));
  ExpectInstallersEndWithZero();
}

}  // namespace
}  // namespace kavadesk
