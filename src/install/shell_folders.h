// The shell folders that hold the application's shortcuts, and the shortcut
// paths built from them. Each folder is asked of the shell anew on every call.
#pragma once

#include <string>

namespace kavadesk {

// The desktop of the user the installer runs as, with a trailing backslash;
// empty when the shell cannot tell it.
std::wstring DesktopFolder();

// The all-users programs folder of the Start menu, with a trailing backslash;
// empty when the shell cannot tell it.
std::wstring CommonProgramsFolder();

// DesktopFolder() + name + ".lnk"; empty when the desktop is unknown.
std::wstring DesktopShortcutPath(const std::wstring& name);

// Where the installation puts its two shortcuts, ShortcutFileName() in the
// desktop and in the Start-menu programs folder; empty when the folder is
// unknown.
std::wstring DesktopShortcut();
std::wstring StartMenuShortcut();

// Makes both folders unknown (true) or asks the shell again (false), so that
// the handling of a shell that cannot name them can be exercised.
void SetShellFoldersUnknownForTesting(bool unknown);

}  // namespace kavadesk
