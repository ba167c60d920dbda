// The window's process-wide state: its handles, fonts and logo, and what the
// screens decided. Touched only by the user-interface thread.
#pragma once

#include <windows.h>

#include <memory>

#include "install/install_engine.h"
#include "ui/gdiplus_api.h"

namespace kavadesk {

// What the main button does next; the numbers are those stored.
enum InstallerStateValue : int {
  OfferInstall = 0,
  OfferUninstall = 1,
  OfferReinstall = 2,
  Cancelled = 3,
  Done = 4,
};

// Which run screen ran last; while none has, every paint re-decides.
enum OperationValue : int {
  OperationNone = 0,
  OperationInstall = 1,
  OperationUninstall = 2,
};

struct UiState {
  HINSTANCE MainInstance = nullptr;
  HWND MainWindowHandle = nullptr;
  HWND InstallButton = nullptr;
  HWND CancelButton = nullptr;
  HWND LaunchCheckBox = nullptr;
  HWND LanguageComboBox = nullptr;
  HWND ProgressBar = nullptr;
  HWND ReleaseNotesLink = nullptr;
  HWND MessageText = nullptr;
  HWND LanguageLabel = nullptr;
  HWND VersionText = nullptr;
  HWND InstallerVersionText = nullptr;
  HFONT NormalFont = nullptr;
  HFONT LargeFont = nullptr;
  GdiplusImage* LogoImage = nullptr;
  HBRUSH StaticBackgroundBrush = nullptr;

  int InstallerState = OfferInstall;
  int LastOperation = OperationNone;
  bool CloseAllowed = false;
  // Which of the two reinstall offers the decision showed, so that a language
  // change keeps it.
  bool ReinstallOfferIsIncomplete = false;
  // Created by the first install run and kept for the process.
  std::unique_ptr<InstallEngine> CurrentInstallEngine;
};

// The one instance; the window's handles and fonts live until the process ends.
UiState& Ui();

}  // namespace kavadesk
