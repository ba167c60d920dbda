#include "net/server_layout.h"

#include "app/installer_config.h"

namespace kavadesk {

std::wstring DefaultBaseUrl() {
#ifdef KAVADESK_BASE_URL
  return KAVADESK_BASE_URL;
#else
  return L"https://download.tarvex.com/software/";
#endif
}

std::wstring UpdateManifestPath() { return L"config/" + UpdateManifestFile(); }

std::wstring PackagePath(const std::wstring& versionText, const std::wstring& packageFile) {
  return ApplicationFolderName() + versionText + L"/" + packageFile;
}

std::wstring ReleaseNotesUrl() { return ServerFolderUrl() + ReleaseNotesFile(); }

}  // namespace kavadesk
