#include "net/server_version.h"

#include "app/installer_config.h"
#include "app/process_exit.h"
#include "app/process_state.h"
#include "i18n/error_box.h"
#include "i18n/translation_catalog.h"
#include "net/downloader.h"
#include "registry/registry_store.h"

namespace kavadesk {
namespace {

constexpr int kCompleteInstallation = 3;
const std::wstring kOpenTag = L"<version>";
const std::wstring kCloseTag = L"</version>";

}  // namespace

std::optional<std::wstring> ManifestVersion(const std::wstring& manifest) {
  const auto open = manifest.find(kOpenTag);
  if (open == std::wstring::npos) return std::nullopt;
  const std::size_t start = open + kOpenTag.size();
  const auto end = manifest.find(kCloseTag, start);
  if (end == std::wstring::npos) return std::nullopt;
  return manifest.substr(start, end - start);
}

std::optional<std::wstring> OfferedVersion() {
  const RegistryStore registry;
  if (UninstallMode) return registry.GetCurrentVersion().Get();
  if (registry.GetInstallState(CompanyName()) == kCompleteInstallation && !IsConnected()) {
    return registry.GetCurrentVersion().Get();
  }
  std::wstring manifest;
  if (!FetchText(L"config/", UpdateManifestFile(), manifest)) return std::nullopt;
  std::optional<std::wstring> version = ManifestVersion(manifest);
  // A manifest without its version element is as good as none.
  if (!version) ShowErrorBox(Catalog().GetText(L"error_download"));
  return version;
}

std::wstring CheckServerVersion() {
  std::optional<std::wstring> version = OfferedVersion();
  if (!version) EndProcess();
  return *version;
}

}  // namespace kavadesk
