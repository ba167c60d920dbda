#include "ui/window_proc.h"

#include <memory>
#include <string>

#include "app/installer_config.h"
#include "app/process_exit.h"
#include "app/process_state.h"
#include "i18n/translation_catalog.h"
#include "install/shell_launch.h"
#include "ui/main_window.h"
#include "ui/run_screens.h"
#include "ui/screens.h"
#include "ui/ui_state.h"

namespace kavadesk {
namespace {

void InstallAndFinish() {
  UiState& ui = Ui();
  if (!ui.CurrentInstallEngine) ui.CurrentInstallEngine = std::make_unique<InstallEngine>(ServerVersion);
  ui.CloseAllowed = false;
  RunInstallScreen();
  if (ui.InstallerState != OfferInstall) {
    // Cancelled: the removal and its summary ran inside the screen.
    ui.CloseAllowed = true;
    return;
  }
  ShowFinishedScreen(Catalog().FormatText(L"IDS_INSTALL_END_TEXT1", {ProductName()}) + L" " + ServerVersion.Get() +
                     L" " + Catalog().GetText(L"IDS_INSTALL_END_TEXT2"));
  CopyInstallerIntoInstallFolder();
  ui.CloseAllowed = true;
}

void RemoveAndFinish() {
  UiState& ui = Ui();
  ui.CloseAllowed = false;
  ::ShowWindow(ui.ReleaseNotesLink, SW_HIDE);
  RunUninstallScreen();
  ShowFinishedScreen(ui.InstallerState == OfferUninstall
                         ? Catalog().FormatText(L"IDS_UNINSTALL_END_TEXT", {ProductName()})
                         : Catalog().GetText(L"IDS_SUMMARY_CANCELLED"));
  ui.CloseAllowed = true;
}

}  // namespace

void OnInstallButton() {
  UiState& ui = Ui();
  switch (ui.InstallerState) {
    case OfferReinstall:
      // Only an installation needs the folder; a removal must not leave an
      // empty one behind.
      EnsureInstallFolder();
      ui.CloseAllowed = false;
      RunUninstallScreen();
      ui.InstallerState = OfferInstall;
      InstallAndFinish();
      break;
    case OfferInstall:
      EnsureInstallFolder();
      InstallAndFinish();
      break;
    case OfferUninstall:
    case Cancelled:
      RemoveAndFinish();
      break;
    case Done:
      if (ui.LastOperation == OperationInstall &&
          ::SendMessageW(ui.LaunchCheckBox, BM_GETCHECK, 0, 0) == BST_CHECKED) {
        LaunchApplication();
      }
      EndProcess();
  }
}

void OnCancelButton() {
  UiState& ui = Ui();
  if (ui.InstallerState == OfferInstall && ui.CurrentInstallEngine) {
    ui.CurrentInstallEngine->Cancel();
    ui.InstallerState = Cancelled;
    return;
  }
  EndProcess();
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  UiState& ui = Ui();
  switch (message) {
    case WM_CREATE:
      ui.NormalFont = CreateUiFont(window, 10);
      ui.LargeFont = CreateUiFont(window, 12);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint = {};
      const HDC dc = ::BeginPaint(window, &paint);
      PaintMainWindow(window, dc);
      if (ui.LastOperation == OperationNone) DecideScreen();
      ::EndPaint(window, &paint);
      return 0;
    }
    case WM_CLOSE:
      if (ui.CloseAllowed) {
        ::DestroyWindow(window);
        EndProcess();
      }
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    case WM_COMMAND: {
      const HWND sender = reinterpret_cast<HWND>(lParam);
      if (sender && sender == ui.InstallButton) {
        OnInstallButton();
      } else if (sender && sender == ui.CancelButton) {
        OnCancelButton();
      } else if (sender && sender == ui.ReleaseNotesLink) {
        OpenReleaseNotes();
      } else if (sender && sender == ui.LanguageComboBox) {
        if (HIWORD(wParam) == CBN_SELCHANGE) OnLanguageChanged();
      } else {
        return ::DefWindowProcW(window, message, wParam, lParam);
      }
      return 0;
    }
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<LRESULT>(ColourStaticControl(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    default:
      return ::DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace kavadesk
