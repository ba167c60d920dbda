// Starting outside programs without a window and waiting for them to end.
#pragma once

#include <string>

namespace kavadesk {

// Starts the complete command line (the program is its first token, found by
// the system's usual rules) with no window and no inherited handles, in
// workingFolder or, when that is empty, in the installer's current folder, and
// waits for it without a time limit. The exit code is not read. Returns false
// when the process could not be created, true once it has ended.
bool RunAndWait(const std::wstring& commandLine, const std::wstring& workingFolder = std::wstring());

// Ends every process of that image name forcibly through the system's
// taskkill, started by its full path and waited for; a name with no running
// process makes taskkill fail harmlessly. Nothing is reported.
void KillProcessByImageName(const std::wstring& imageName);

}  // namespace kavadesk
