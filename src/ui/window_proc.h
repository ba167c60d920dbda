// The main window's procedure and the actions of its buttons.
#pragma once

#include <windows.h>

namespace kavadesk {

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The main button: install, remove and install, remove, or finish, by state.
void OnInstallButton();

// Cancels a running installation; ends the process in every other state.
void OnCancelButton();

}  // namespace kavadesk
