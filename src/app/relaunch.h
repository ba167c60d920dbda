// Running elevated: the installer copies itself into the temporary folder and
// starts the copy with the "runas" verb.
#pragma once

#include <string>

namespace kavadesk {

// Returns when this process is to go on with start-up; otherwise it starts
// the elevated copy with the same arguments and ends the process (code 0).
void RelaunchElevated(const std::wstring& arguments);

}  // namespace kavadesk
