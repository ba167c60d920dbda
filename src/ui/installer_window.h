// The installer as the user sees it: the window and its message loop.
#pragma once

#include <windows.h>

namespace kavadesk {

// Registers the window class, creates and shows the window, and runs the
// message loop; returns the quit message's code (0), or 0 at once when the
// window cannot be created.
int RunMainWindow(HINSTANCE instance, int showCommand);

}  // namespace kavadesk
