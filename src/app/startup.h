// The installer's start-up sequence, from the command line to the point where
// the window takes over.
#pragma once

#include <windows.h>

namespace kavadesk {

// Removes the current folder and the PATH from the DLL search order, so that
// every library loaded later comes from the system folder.
void RestrictLibrarySearchPath();

// Runs the start-up up to the window: options, configuration, relaunch,
// single-instance guard, language, rights and both versions. Returns false
// when the process is to end (with exit code 0) without a window.
bool PrepareInstaller(const wchar_t* commandLine);

}  // namespace kavadesk
