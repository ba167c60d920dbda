// The installer's start-up sequence, from the command line to the message loop.
#pragma once

#include <windows.h>

namespace kavadesk {

// Removes the current folder and the PATH from the DLL search order, so that
// every library loaded later comes from the system folder.
void RestrictLibrarySearchPath();

// Runs the whole start-up and returns the process exit code, which is 0 on
// every path.
int RunInstaller(HINSTANCE instance, const wchar_t* commandLine, int showCommand);

}  // namespace kavadesk
