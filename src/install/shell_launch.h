// Starting the installed application or the release notes through the shell.
#pragma once

namespace kavadesk {

// Starts ApplicationTarget() through the shell with the "runas" verb, no
// owner window and no parameters. The result is not examined.
void LaunchApplication();

// Opens ServerFolderUrl() + ReleaseNotesFile() with the system's handler for
// the address, the desktop as owner. The result is not examined.
void OpenReleaseNotes();

}  // namespace kavadesk
