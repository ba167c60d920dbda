// The installer's registry layout: every key and value it reads, writes or
// deletes, with one typed accessor per value. Keys lie below
// HKEY_LOCAL_MACHINE in the 32-bit view, except the current user's RunOnce
// key. Nothing is cached and no key stays open between calls, so instances
// are interchangeable and may be used from any thread.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "base/unique_handle.h"
#include "net/version_string.h"

namespace kavadesk {

class RegistryStore {
 public:
  // Key paths relative to HKEY_LOCAL_MACHINE, single separators, no final one.

  // SOFTWARE\<companyFolder>\SSD Kavadesk; without the product folder name
  // (configuration not built) only the company key's path.
  std::wstring ProductKeyPath(const std::wstring& companyFolder) const;
  // SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\<entryName>.
  std::wstring UninstallKeyPath(const std::wstring& entryName) const;
  // SOFTWARE\<companyFolder>\Permanent.
  std::wstring PermanentKeyPath(const std::wstring& companyFolder) const;

  // Opens the key with full access in the 32-bit view, or creates it with its
  // missing parents; returns ERROR_SUCCESS or the registry's error code of the
  // creation, with key left empty on failure.
  LONG OpenOrCreateKey(const std::wstring& path, UniqueHKey& key) const;

  // Open or create the key, then set the value (REG_SZ with its null,
  // REG_DWORD, REG_QWORD); a failure anywhere leaves the value as it was and
  // is not reported.
  void WriteString(const std::wstring& path, const std::wstring& valueName, const std::wstring& text) const;
  void WriteDword(const std::wstring& path, const std::wstring& valueName, DWORD value) const;
  void WriteQword(const std::wstring& path, const std::wstring& valueName, std::uint64_t value) const;

  // The text of a REG_SZ or REG_EXPAND_SZ value (unexpanded) of at most 511
  // characters ended by a null; the empty string in every other case.
  std::wstring ReadString(const std::wstring& path, const std::wstring& valueName) const;

  // The number of a four-byte REG_DWORD value as a signed number; -1 in every
  // other case (so a stored 0xFFFFFFFF also reads as -1).
  int ReadDword(const std::wstring& path, const std::wstring& valueName) const;

  // The user-interface language of Tarvex's product key, else of the legacy
  // "TX" key, with "zh-CHT" read as "zh-TW" and "zh-CHS" as "zh-CN"; "" when
  // neither holds one.
  std::wstring GetCurrentCulture() const;
  // Stores the language code unchanged in Tarvex's product key; a failed
  // write is not reported.
  void SetCurrentCulture(const std::wstring& code) const;

  // "DisplayVersion" of Tarvex's uninstall entry, else Obrint's, else the
  // legacy entry's; an empty version when none holds one.
  VersionString GetInstalledVersion() const;
  // "CurrentVersion" of Tarvex's product key, else of the legacy
  // "TX SSD Kavadesk" product key; an empty version when neither holds one.
  VersionString GetCurrentVersion() const;

  // "IsInstalled" of the company's product key (1 begun, 3 complete); 5,
  // meaning not installed, when it cannot be read as a REG_DWORD or reads -1.
  int GetInstallState(const std::wstring& company) const;
  // Stores the install state in Tarvex's product key, or in the company's.
  void SetInstallState(int value) const;
  void SetInstallState(const std::wstring& company, int value) const;

  // "InstallPath" of Tarvex's product key, else of the legacy "TX" key; "" when
  // neither holds one.
  std::wstring GetInstallPath() const;
  // "InstallPath" of Obrint's product key, no fallback; "" when missing.
  std::wstring GetObrintInstallPath() const;
  // Stores the install folder in Tarvex's product key.
  void SetInstallPath(const std::wstring& path) const;

  // True exactly when "KT4400Detected" of Tarvex's permanent key reads 1.
  bool IsKT4400Detected() const;

  // True exactly when "StartMinimized" of Tarvex's product key reads "1".
  bool GetStartMinimized() const;
  // Stores "1" or "0" as "StartMinimized" in Tarvex's product key.
  void SetStartMinimized(bool flag) const;
  // True exactly when "StartWithWindows" of Tarvex's product key reads "1".
  bool GetStartWithWindows() const;
  // Stores "1" or "0" as "StartWithWindows" in Tarvex's product key.
  void SetStartWithWindows(bool flag) const;

  // "TempPath" of Tarvex's product key, no fallback; "" when missing.
  std::wstring GetTempPath() const;
  // Stores the folder as "TempPath" in Tarvex's product key.
  void SetTempPath(const std::wstring& path) const;

  // "IsCachePolicy" of Tarvex's product key, else of the legacy
  // "TX SSD Kavadesk" product key; "" when neither holds one.
  std::wstring GetIsCachePolicy() const;

  // Values of Tarvex's uninstall entry, else of the legacy entry; "" when
  // neither holds one.
  std::wstring GetDisplayIcon() const;
  std::wstring GetDisplayName() const;
  std::wstring GetInstallSource() const;
  std::wstring GetPublisher() const;
  std::wstring GetUninstallString() const;

  // Stores the size, widened with its sign, as a REG_QWORD "EstimatedSize" in
  // Tarvex's uninstall entry.
  void SetEstimatedSize(int size) const;

  // Records the installed version in Tarvex's uninstall entry and product key
  // together with the entry's names, paths and the quoted uninstall command;
  // each value is written on its own and a failed one is skipped silently.
  void WriteUninstallEntry(const VersionString& version) const;

  // Deletes both brands' uninstall entries and product keys and the two
  // start-once values, then writes back the language and "StartMinimized";
  // company, permanent and legacy keys stay. Failures are ignored.
  void RemoveInstallationRecords() const;
};

// Makes every later SetCurrentCulture write fail (true) or work again (false),
// so that start-up's handling of an unwritable registry can be exercised.
void SetCurrentCultureWriteFailsForTesting(bool fails);

}  // namespace kavadesk
