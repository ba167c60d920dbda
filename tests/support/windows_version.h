// The Windows version that the test's Wine prefix reports to programs
// started from now on ("win7", "win10", as Wine names them).
#pragma once

#include <string>

namespace kavadesk::test {

// Returns false when the setting could not be written.
bool SetReportedWindowsVersion(const std::wstring& wineName);

}  // namespace kavadesk::test
