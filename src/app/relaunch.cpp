#include "app/relaunch.h"

namespace kavadesk {

// The copy into the temporary folder is not made yet: every start goes on in
// the process the user started.
void RelaunchElevated(const std::wstring& /*arguments*/) {}

}  // namespace kavadesk
