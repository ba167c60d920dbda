// Which version the installer offers: the one the download server's update
// manifest names, or, in uninstall mode and offline after a complete
// installation, the one the registry records.
#pragma once

#include <optional>
#include <string>

namespace kavadesk {

// The text between the first "<version>" and the next "</version>", taken
// unchanged; nullopt when either tag is missing.
std::optional<std::wstring> ManifestVersion(const std::wstring& manifest);

// The offered version text; nullopt when it cannot be obtained, after the
// user was told (the download's own box, or the download failure box for a
// manifest without a version).
std::optional<std::wstring> OfferedVersion();

// OfferedVersion for start-up: ends the process with exit code 0 when there
// is none.
std::wstring CheckServerVersion();

}  // namespace kavadesk
