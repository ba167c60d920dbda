// Process-wide state set up before any window exists.
#pragma once

#include <string>

#include "net/version_string.h"

namespace kavadesk {

// The argument part of the command line exactly as the entry received it.
extern std::wstring SavedCommandLine;

// True for the whole run when the installer was started with -uninstall.
extern bool UninstallMode;

// The version the server offers and the one the registry records as
// installed, both set during start-up.
extern VersionString ServerVersion;
extern VersionString InstalledVersion;

// The installer's own version text, shown at the foot of the window.
const std::wstring& InstallerVersion();

}  // namespace kavadesk
