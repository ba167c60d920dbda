// The user-interface thread's message loop.
#pragma once

#include <windows.h>

namespace kavadesk {

// Dispatches messages until WM_QUIT and returns its wParam, the exit code.
int RunMessageLoop(HINSTANCE instance);

}  // namespace kavadesk
