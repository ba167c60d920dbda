// The check that the installer runs with administrative rights.
#pragma once

#include <optional>

namespace kavadesk {

// True when the process is a member of the built-in Administrators group (or
// the group's identifier cannot be built). Otherwise, or when the query
// fails, shows the "administrator required" box and returns false.
bool CheckAdminRights();

// Wine reports every process as an administrator: tests set the answer of the
// membership query here (nullopt asks the system again).
void SetAdministratorsMembershipForTesting(std::optional<bool> member);

}  // namespace kavadesk
