#include "ui/screens.h"

#include <windows.h>

#include "app/installer_config.h"
#include "app/process_state.h"
#include "i18n/translation_catalog.h"
#include "registry/registry_store.h"
#include "ui/main_window.h"
#include "ui/ui_state.h"

namespace kavadesk {
namespace {

constexpr int kComplete = 3;
constexpr int kNothingRecorded = 5;

void SetText(HWND control, const std::wstring& text) { ::SetWindowTextW(control, text.c_str()); }

std::wstring Text(const wchar_t* key) { return Catalog().GetText(key); }

std::wstring Format(const wchar_t* key, const std::vector<std::wstring>& arguments) {
  return Catalog().FormatText(key, arguments);
}

}  // namespace

ScreenDecision DecideOffer(int tarvexState, int obrintState, bool uninstallMode, const VersionString& serverVersion,
                           const VersionString& installedVersion) {
  int state = tarvexState;
  if (state == kNothingRecorded) {
    state = obrintState;
    if (state == kNothingRecorded) return {OfferInstall, InstallerScreen::InstallWelcome};
  }
  if (state != kComplete) return {OfferReinstall, InstallerScreen::IncompleteInstall};
  const std::wstring offered = serverVersion.Get();
  const std::wstring installed = installedVersion.Get();
  if (uninstallMode || offered == installed) {
    return {OfferUninstall, InstallerScreen::UninstallWelcome};
  }
  if (installedVersion.IsEmpty()) return {OfferReinstall, InstallerScreen::OlderVersionInstalled};
  if (serverVersion.Compare(installedVersion) < 0) return {Done, InstallerScreen::NewerVersionInstalled};
  return {OfferReinstall, InstallerScreen::OlderVersionInstalled};
}

void DecideScreen() {
  const RegistryStore registry;
  const ScreenDecision decision =
      DecideOffer(registry.GetInstallState(CompanyName()), registry.GetInstallState(ObrintCompanyName()),
                  UninstallMode, ServerVersion, InstalledVersion);
  Ui().InstallerState = decision.State;
  Ui().ReinstallOfferIsIncomplete = decision.Screen == InstallerScreen::IncompleteInstall;
  ShowScreen(decision.Screen);
}

void ShowScreen(InstallerScreen screen) {
  const UiState& ui = Ui();
  const std::wstring product = ProductName();
  switch (screen) {
    case InstallerScreen::InstallWelcome:
      SetText(ui.MessageText, Format(L"IDS_TITLE_INSTALLATION", {product}));
      SetText(ui.InstallButton, Text(L"IDS_INSTALL"));
      break;
    case InstallerScreen::UninstallWelcome:
      SetText(ui.MessageText, Format(L"IDS_TITLE_UNINSTALL", {product}));
      SetText(ui.InstallButton, Text(L"IDS_UNINSTALL"));
      break;
    case InstallerScreen::IncompleteInstall:
      SetText(ui.MessageText, Format(L"IDS_INCOMPLETE_INSTALL", {ServerVersion.Get(), product}));
      break;
    case InstallerScreen::OlderVersionInstalled:
      SetText(ui.MessageText,
              Format(L"IDS_OLD_VERSION_INSTALLED", {InstalledVersion.Get(), ServerVersion.Get(), product}));
      break;
    case InstallerScreen::NewerVersionInstalled:
      SetText(ui.MessageText,
              Format(L"IDS_NEWER_VERSION_INSTALLED", {InstalledVersion.Get(), ServerVersion.Get(), product}));
      SetText(ui.InstallButton, Text(L"IDS_OK"));
      ::ShowWindow(ui.CancelButton, SW_HIDE);
      break;
  }
}

void ShowFinishedScreen(const std::wstring& message) {
  UiState& ui = Ui();
  if (ui.InstallerState == OfferInstall) ::ShowWindow(ui.LaunchCheckBox, SW_SHOW);
  ui.InstallerState = Done;
  SetText(ui.MessageText, message);
  ::ShowWindow(ui.InstallButton, SW_SHOW);
  ::ShowWindow(ui.MainWindowHandle, SW_HIDE);
  ::ShowWindow(ui.ProgressBar, SW_HIDE);
  ::ShowWindow(ui.MainWindowHandle, SW_SHOW);
  ::ShowWindow(ui.CancelButton, SW_HIDE);
  SetText(ui.InstallButton, Text(L"IDS_FINISH"));
}

void OnLanguageChanged() {
  const UiState& ui = Ui();
  const LRESULT index = ::SendMessageW(ui.LanguageComboBox, CB_GETCURSEL, 0, 0);
  wchar_t name[512] = {};
  // The list holds display names far shorter than the buffer; a longer entry
  // is not read rather than overrun it.
  if (index != CB_ERR && ::SendMessageW(ui.LanguageComboBox, CB_GETLBTEXTLEN, index, 0) < 512) {
    ::SendMessageW(ui.LanguageComboBox, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(name));
  }
  const std::wstring code = Catalog().CodeOf(name);
  Catalog().SetLanguage(code);
  RegistryStore().SetCurrentCulture(code);

  SetText(ui.CancelButton, Text(L"IDS_CANCEL"));
  SetText(ui.ReleaseNotesLink, Text(L"IDS_VIEW_RELEASE_NOTES"));
  switch (ui.InstallerState) {
    case OfferInstall:
      SetText(ui.InstallButton, Text(L"IDS_INSTALL"));
      ShowScreen(InstallerScreen::InstallWelcome);
      break;
    case OfferUninstall:
      SetText(ui.InstallButton, Text(L"IDS_UNINSTALL"));
      ShowScreen(InstallerScreen::UninstallWelcome);
      break;
    case OfferReinstall:
      SetText(ui.InstallButton, Text(L"IDS_INSTALL"));
      ShowScreen(ui.ReinstallOfferIsIncomplete ? InstallerScreen::IncompleteInstall
                                               : InstallerScreen::OlderVersionInstalled);
      break;
    default:
      ShowScreen(InstallerScreen::NewerVersionInstalled);
      break;
  }
  SetText(ui.LanguageLabel, Text(L"options_select_language"));
  SetText(ui.VersionText, VersionLineText());
  SetText(ui.LaunchCheckBox, Format(L"IDS_LAUNCH_KAVADESK", {ProductName()}));
  SetText(ui.InstallerVersionText, InstallerVersionLineText());
}

}  // namespace kavadesk
