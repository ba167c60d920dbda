// Where the installer's files lie on the download server. Every path is
// relative to the active brand's server folder (base URL + "txKavadesk/").
#pragma once

#include <string>

namespace kavadesk {

// The base URL of the download server built into the installer (the maker's
// server unless the build names another); "-test URL" replaces it.
std::wstring DefaultBaseUrl();

// "config/" + the manifest's file name.
std::wstring UpdateManifestPath();

// "application/" + version + "/" + package file name.
std::wstring PackagePath(const std::wstring& versionText, const std::wstring& packageFile);

// The release notes' full address, handed to the system's handler.
std::wstring ReleaseNotesUrl();

}  // namespace kavadesk
