// The common-controls library, loaded by full path from the system folder
// (not imported), with its progress-bar class registered.
#pragma once

namespace kavadesk {

// Loads comctl32.dll once and registers the progress-bar class; the library
// stays loaded. Returns false when the library or the class is not available.
bool RegisterCommonControlClasses();

}  // namespace kavadesk
