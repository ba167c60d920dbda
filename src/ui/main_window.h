// The installer's one top-level window: its class, its controls with their
// fonts, cursors and first texts, the logo, the painting and the colours of
// its static controls. What the controls show later is the screens' business.
#pragma once

#include <windows.h>

#include <string>

#include "ui/gdiplus_api.h"

namespace kavadesk {

// The outer size of the window, which is neither sizable nor maximisable.
constexpr int kMainWindowWidth = 490;
constexpr int kMainWindowHeight = 357;

// Registers the window class (named by string 109) with the installer's icon;
// the result is not used.
void RegisterMainWindowClass(HINSTANCE instance);

// Creates, centres and shows the window and every control; false when the
// top-level window could not be created.
bool CreateMainWindow(HINSTANCE instance, int showCommand);

// Where a window of the given outer size sits centred on a screen.
POINT CentredPosition(int screenWidth, int screenHeight, int width, int height);

// A "Segoe UI" font of that size in points for the window's device.
HFONT CreateUiFont(HWND window, int points);

// The PNG logo resource decoded by GDI+; null when missing or unreadable.
GdiplusImage* LoadLogoImage(int resourceId);

// The drawing part of WM_PAINT: the logo and the rule above the buttons.
void PaintMainWindow(HWND window, HDC dc);

// The whole answer to WM_CTLCOLORSTATIC: black text (blue for the release
// notes link) on the white brush, which is made once.
HBRUSH ColourStaticControl(HDC dc, HWND control);

// The version line below the message: product, then the installed version in
// uninstall mode and the offered one otherwise.
std::wstring VersionLineText();
// The installer's own version line at the foot of the window.
std::wstring InstallerVersionLineText();

}  // namespace kavadesk
