// The screens: which offer the window opens with, and the functions that set
// the texts and visibility of each screen. None keeps state of its own.
#pragma once

#include <string>

#include "net/version_string.h"

namespace kavadesk {

enum class InstallerScreen {
  InstallWelcome,
  UninstallWelcome,
  IncompleteInstall,
  OlderVersionInstalled,
  NewerVersionInstalled,
};

struct ScreenDecision {
  int State;  // an InstallerStateValue
  InstallerScreen Screen;
};

// The offer for the brands' install states (3 complete, 5 nothing recorded,
// anything else begun), the uninstall option and both versions.
ScreenDecision DecideOffer(int tarvexState, int obrintState, bool uninstallMode, const VersionString& serverVersion,
                           const VersionString& installedVersion);

// Reads the registry and the versions, and shows the offer they call for.
void DecideScreen();

// Sets the window's texts for a screen of the offer.
void ShowScreen(InstallerScreen screen);

// The finish screen with its message; the launch box appears only after a
// successful installation.
void ShowFinishedScreen(const std::wstring& message);

// Takes the language chosen in the list, stores it for the next start and
// re-texts the window.
void OnLanguageChanged();

}  // namespace kavadesk
