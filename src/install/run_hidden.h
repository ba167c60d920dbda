// Starting an outside program without a window and waiting for it to end.
#pragma once

#include <string>

namespace kavadesk {

// Starts applicationPath with commandLine (which repeats the program as its
// first word) in workingFolder, with no window and no inherited handles, and
// waits for it without a time limit. The exit code is not read. Returns false
// when the process could not be created, true once it has ended.
bool RunHiddenAndWait(const std::wstring& applicationPath, const std::wstring& commandLine,
                      const std::wstring& workingFolder);

}  // namespace kavadesk
