// The application's shortcuts on the desktop and in the Start menu.
#pragma once

#include <guiddef.h>

#include <string>

namespace kavadesk {

// InstallFolder() + ApplicationExecutable() when that file exists, otherwise
// InstallFolder() + AlternateApplicationExecutable(), existing or not.
std::wstring ApplicationTarget();

// Writes DesktopShortcut() and StartMenuShortcut() through the shell link
// object: the application target with InstallFolder() as working folder and
// the target's first icon; existing files are replaced. Initialises COM on
// the calling thread and leaves it so. Nothing is made, and nothing reported,
// when the link object or its IPersistFile cannot be had; a folder the shell
// cannot name is skipped.
void CreateShortcuts();

// Makes CreateShortcuts ask the link for another interface in place of
// IPersistFile (null restores it), so that a link without one can be shown to
// make no shortcut.
void SetShortcutPersistInterfaceForTesting(const IID* interfaceId);

}  // namespace kavadesk
