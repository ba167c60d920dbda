#include "registry/registry_store.h"

#include <atomic>

#include "app/installer_config.h"
#include "registry/registry_key.h"

namespace kavadesk {
namespace {

// Pieces of the key paths; joined by plain concatenation, then normalised.
constexpr wchar_t kLegacyCompanyFolder[] = L"TX\\";
constexpr wchar_t kSoftwareRoot[] = L"SOFTWARE\\";
constexpr wchar_t kUninstallRoot[] = L"\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr wchar_t kRunOnceRoot[] = L"\\Microsoft\\Windows\\CurrentVersion\\RunOnce\\";
constexpr wchar_t kLegacyProductName[] = L"TX SSD Kavadesk";
constexpr wchar_t kPermanentFolder[] = L"\\Permanent";

constexpr wchar_t kCurrentVersion[] = L"CurrentVersion";
constexpr wchar_t kCurrentCulture[] = L"CurrentCulture";
constexpr wchar_t kIsInstalled[] = L"IsInstalled";
constexpr wchar_t kInstallPath[] = L"InstallPath";
constexpr wchar_t kDisplayIcon[] = L"DisplayIcon";
constexpr wchar_t kInstallSource[] = L"InstallSource";
constexpr wchar_t kPublisher[] = L"Publisher";
constexpr wchar_t kUninstallString[] = L"UninstallString";
constexpr wchar_t kDisplayVersion[] = L"DisplayVersion";
constexpr wchar_t kIsCachePolicy[] = L"IsCachePolicy";
constexpr wchar_t kDisplayName[] = L"DisplayName";
constexpr wchar_t kEstimatedSize[] = L"EstimatedSize";
constexpr wchar_t kStartMinimized[] = L"StartMinimized";
constexpr wchar_t kStartWithWindows[] = L"StartWithWindows";
constexpr wchar_t kTempPath[] = L"TempPath";
constexpr wchar_t kKT4400Detected[] = L"KT4400Detected";
constexpr wchar_t kTarvexRunOnceValue[] = L"TarvexSSDKavadesk";
constexpr wchar_t kObrintRunOnceValue[] = L"ObrintSSDKavadesk";

constexpr wchar_t kPublisherName[] = L"Tarvex Corporation";
constexpr wchar_t kUninstallOption[] = L" -uninstall";
constexpr wchar_t kCachePolicyOff[] = L"0";
constexpr wchar_t kTrue[] = L"1";
constexpr wchar_t kFalse[] = L"0";

// Machine-wide keys are always reached in the 32-bit view, also by reads, so
// that the layout does not depend on how the installer is built.
constexpr REGSAM kReadAccess = KEY_READ | KEY_WOW64_32KEY;
constexpr REGSAM kWriteAccess = KEY_ALL_ACCESS | KEY_WOW64_32KEY;
// The current user's RunOnce key is shared by both views.
constexpr REGSAM kRunOnceAccess = KEY_ALL_ACCESS;

constexpr int kNotInstalled = 5;

std::atomic<bool> g_currentCultureWriteFails{false};

std::wstring MappedCulture(const std::wstring& stored) {
  if (stored == L"zh-CHT") return L"zh-TW";
  if (stored == L"zh-CHS") return L"zh-CN";
  return stored;
}

// A value of Tarvex's uninstall entry, else of the legacy entry.
std::wstring ReadUninstallValue(const RegistryStore& store, const wchar_t* valueName) {
  const std::wstring text = store.ReadString(store.UninstallKeyPath(FullProductName()), valueName);
  return text.empty() ? store.ReadString(store.UninstallKeyPath(kLegacyProductName), valueName) : text;
}

}  // namespace

void SetCurrentCultureWriteFailsForTesting(bool fails) { g_currentCultureWriteFails.store(fails); }

std::wstring RegistryStore::ProductKeyPath(const std::wstring& companyFolder) const {
  return NormalizedKeyPath(kSoftwareRoot + companyFolder + L"\\" + ProductFolderName());
}

std::wstring RegistryStore::UninstallKeyPath(const std::wstring& entryName) const {
  return NormalizedKeyPath(kSoftwareRoot + (kUninstallRoot + entryName));
}

std::wstring RegistryStore::PermanentKeyPath(const std::wstring& companyFolder) const {
  return NormalizedKeyPath(kSoftwareRoot + companyFolder + kPermanentFolder);
}

LONG RegistryStore::OpenOrCreateKey(const std::wstring& path, UniqueHKey& key) const {
  if (OpenRegistryKey(HKEY_LOCAL_MACHINE, path, kWriteAccess, key) == ERROR_SUCCESS) return ERROR_SUCCESS;
  return CreateRegistryKey(HKEY_LOCAL_MACHINE, path, kWriteAccess, key);
}

void RegistryStore::WriteString(const std::wstring& path, const std::wstring& valueName,
                                const std::wstring& text) const {
  UniqueHKey key;
  if (OpenOrCreateKey(path, key) == ERROR_SUCCESS && key) SetStringValue(key.Get(), valueName.c_str(), text);
}

void RegistryStore::WriteDword(const std::wstring& path, const std::wstring& valueName, DWORD value) const {
  UniqueHKey key;
  if (OpenOrCreateKey(path, key) == ERROR_SUCCESS && key) SetDwordValue(key.Get(), valueName.c_str(), value);
}

void RegistryStore::WriteQword(const std::wstring& path, const std::wstring& valueName, std::uint64_t value) const {
  UniqueHKey key;
  if (OpenOrCreateKey(path, key) == ERROR_SUCCESS && key) SetQwordValue(key.Get(), valueName.c_str(), value);
}

std::wstring RegistryStore::ReadString(const std::wstring& path, const std::wstring& valueName) const {
  UniqueHKey key;
  if (OpenRegistryKey(HKEY_LOCAL_MACHINE, path, kReadAccess, key) != ERROR_SUCCESS) return std::wstring();
  return QueryStringValue(key.Get(), valueName.c_str()).value_or(std::wstring());
}

int RegistryStore::ReadDword(const std::wstring& path, const std::wstring& valueName) const {
  UniqueHKey key;
  if (OpenRegistryKey(HKEY_LOCAL_MACHINE, path, kReadAccess, key) != ERROR_SUCCESS) return -1;
  const std::optional<DWORD> value = QueryDwordValue(key.Get(), valueName.c_str());
  return value ? static_cast<int>(*value) : -1;
}

std::wstring RegistryStore::GetCurrentCulture() const {
  std::wstring culture = ReadString(ProductKeyPath(CompanyName()), kCurrentCulture);
  if (culture.empty()) culture = ReadString(ProductKeyPath(kLegacyCompanyFolder), kCurrentCulture);
  return MappedCulture(culture);
}

void RegistryStore::SetCurrentCulture(const std::wstring& code) const {
  // Stands for a registry that refuses the write: nothing is stored.
  if (g_currentCultureWriteFails.load()) return;
  WriteString(ProductKeyPath(CompanyName()), kCurrentCulture, code);
}

VersionString RegistryStore::GetInstalledVersion() const {
  VersionString version(ReadString(UninstallKeyPath(FullProductName()), kDisplayVersion));
  if (version.IsEmpty()) version.Set(ReadString(UninstallKeyPath(ObrintFullProductName()), kDisplayVersion));
  if (version.IsEmpty()) version.Set(ReadString(UninstallKeyPath(kLegacyProductName), kDisplayVersion));
  return version;
}

VersionString RegistryStore::GetCurrentVersion() const {
  VersionString version(ReadString(ProductKeyPath(CompanyName()), kCurrentVersion));
  if (version.IsEmpty()) version.Set(ReadString(ProductKeyPath(kLegacyProductName), kCurrentVersion));
  return version;
}

int RegistryStore::GetInstallState(const std::wstring& company) const {
  const int state = ReadDword(ProductKeyPath(company), kIsInstalled);
  return state == -1 ? kNotInstalled : state;
}

void RegistryStore::SetInstallState(int value) const { SetInstallState(CompanyName(), value); }

void RegistryStore::SetInstallState(const std::wstring& company, int value) const {
  WriteDword(ProductKeyPath(company), kIsInstalled, static_cast<DWORD>(value));
}

std::wstring RegistryStore::GetInstallPath() const {
  const std::wstring path = ReadString(ProductKeyPath(CompanyName()), kInstallPath);
  return path.empty() ? ReadString(ProductKeyPath(kLegacyCompanyFolder), kInstallPath) : path;
}

std::wstring RegistryStore::GetObrintInstallPath() const {
  return ReadString(ProductKeyPath(ObrintCompanyName()), kInstallPath);
}

void RegistryStore::SetInstallPath(const std::wstring& path) const {
  WriteString(ProductKeyPath(CompanyName()), kInstallPath, path);
}

bool RegistryStore::IsKT4400Detected() const { return ReadDword(PermanentKeyPath(CompanyName()), kKT4400Detected) == 1; }

bool RegistryStore::GetStartMinimized() const {
  return ReadString(ProductKeyPath(CompanyName()), kStartMinimized) == kTrue;
}

void RegistryStore::SetStartMinimized(bool flag) const {
  WriteString(ProductKeyPath(CompanyName()), kStartMinimized, flag ? kTrue : kFalse);
}

bool RegistryStore::GetStartWithWindows() const {
  return ReadString(ProductKeyPath(CompanyName()), kStartWithWindows) == kTrue;
}

void RegistryStore::SetStartWithWindows(bool flag) const {
  WriteString(ProductKeyPath(CompanyName()), kStartWithWindows, flag ? kTrue : kFalse);
}

std::wstring RegistryStore::GetTempPath() const { return ReadString(ProductKeyPath(CompanyName()), kTempPath); }

void RegistryStore::SetTempPath(const std::wstring& path) const {
  WriteString(ProductKeyPath(CompanyName()), kTempPath, path);
}

std::wstring RegistryStore::GetIsCachePolicy() const {
  const std::wstring policy = ReadString(ProductKeyPath(CompanyName()), kIsCachePolicy);
  return policy.empty() ? ReadString(ProductKeyPath(kLegacyProductName), kIsCachePolicy) : policy;
}

std::wstring RegistryStore::GetDisplayIcon() const { return ReadUninstallValue(*this, kDisplayIcon); }
std::wstring RegistryStore::GetDisplayName() const { return ReadUninstallValue(*this, kDisplayName); }
std::wstring RegistryStore::GetInstallSource() const { return ReadUninstallValue(*this, kInstallSource); }
std::wstring RegistryStore::GetPublisher() const { return ReadUninstallValue(*this, kPublisher); }
std::wstring RegistryStore::GetUninstallString() const { return ReadUninstallValue(*this, kUninstallString); }

void RegistryStore::SetEstimatedSize(int size) const {
  WriteQword(UninstallKeyPath(FullProductName()), kEstimatedSize,
             static_cast<std::uint64_t>(static_cast<std::int64_t>(size)));
}

void RegistryStore::WriteUninstallEntry(const VersionString& version) const {
  const std::wstring entry = UninstallKeyPath(FullProductName());
  const std::wstring product = ProductKeyPath(CompanyName());
  const std::wstring installer = InstallFolder() + ExecutableFileName();
  WriteString(entry, kDisplayVersion, version.Get());
  WriteString(product, kCurrentVersion, version.Get());
  WriteString(entry, kDisplayName, ProductName());
  WriteString(entry, kDisplayIcon, InstallFolder() + ApplicationExecutable());
  WriteString(entry, kInstallSource, installer);
  WriteString(entry, kPublisher, kPublisherName);
  // Windows runs this command line; the install folder contains blanks.
  WriteString(entry, kUninstallString, L"\"" + installer + L"\"" + kUninstallOption);
  WriteString(product, kIsCachePolicy, kCachePolicyOff);
}

void RegistryStore::RemoveInstallationRecords() const {
  const std::wstring culture = GetCurrentCulture();
  const bool minimized = GetStartMinimized();

  UniqueHKey uninstall;
  if (OpenRegistryKey(HKEY_LOCAL_MACHINE, NormalizedKeyPath(std::wstring(kSoftwareRoot) + kUninstallRoot),
                      kWriteAccess, uninstall) == ERROR_SUCCESS) {
    DeleteRegistrySubtree(uninstall.Get(), NormalizedKeyPath(FullProductName()));
    DeleteRegistrySubtree(uninstall.Get(), NormalizedKeyPath(ObrintFullProductName()));
  }

  for (const std::wstring& company : {CompanyName(), ObrintCompanyName()}) {
    if (company.empty()) continue;
    UniqueHKey companyKey;
    if (OpenRegistryKey(HKEY_LOCAL_MACHINE, NormalizedKeyPath(kSoftwareRoot + company), kWriteAccess, companyKey) ==
        ERROR_SUCCESS)
      DeleteRegistrySubtree(companyKey.Get(), NormalizedKeyPath(ProductFolderName()));
  }

  UniqueHKey runOnce;
  if (OpenRegistryKey(HKEY_CURRENT_USER, NormalizedKeyPath(std::wstring(kSoftwareRoot) + kRunOnceRoot),
                      kRunOnceAccess, runOnce) == ERROR_SUCCESS) {
    DeleteRegistryValue(runOnce.Get(), kObrintRunOnceValue);
    DeleteRegistryValue(runOnce.Get(), kTarvexRunOnceValue);
  }

  SetCurrentCulture(culture);
  SetStartMinimized(minimized);
}

}  // namespace kavadesk
