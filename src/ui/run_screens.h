// The two run screens: a worker runs an engine while the window moves its
// bar towards the engine's progress, one step per 50 ms, and pumps messages.
#pragma once

namespace kavadesk {

// Runs the process-wide install engine on a worker thread; returns when the
// bar has reached 100 or the user has cancelled (then the removal of what the
// run left follows through a simulated click on the main button).
void RunInstallScreen();

// Runs a new removal engine on a worker thread; returns when the bar has
// reached 100, or at once with the bar at 100 when the worker ended without
// getting there (a removal stopped at its gate).
void RunUninstallScreen();

// Makes sure the install folder exists before an installation; shows the
// error box and ends the process when it cannot be made.
void EnsureInstallFolder();

// Copies the running installer into the install folder, where the uninstall
// entry starts it; shows the copy error box when that fails.
void CopyInstallerIntoInstallFolder();

}  // namespace kavadesk
