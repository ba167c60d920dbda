// The installer's access to its own resources: five resource functions taken
// from the system's kernel32.dll by full path, and copying one resource into a
// file of the install folder.
#pragma once

#include <windows.h>

#include <string>

namespace kavadesk {

// Thin forwarders with the signatures of the system functions. The first call
// of any of them whose entry is still empty fills the whole table from
// kernel32.dll, loaded from the system folder; the table is then kept for the
// life of the process. A function that could not be found is never called:
// the forwarder returns that function's own failure value (null, 0 or FALSE).
class ResourceExtractor {
 public:
  static HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type);
  static HGLOBAL LoadResource(HMODULE module, HRSRC resource);
  static DWORD SizeofResource(HMODULE module, HRSRC resource);
  static LPVOID LockResource(HGLOBAL loaded);
  static BOOL FreeResource(HGLOBAL loaded);
};

// Copies the resource of integer type `type` and integer id `id` byte for
// byte into folder + fileName, creating or truncating the file. A null module
// means the running executable. Returns false, and leaves the file as it was,
// when the resource cannot be found or locked; false as well when the file
// cannot be opened or written.
bool WriteResourceToFolder(WORD id, WORD type, const std::wstring& folder, const std::wstring& fileName,
                           HMODULE module = nullptr);

// WriteResourceToFolder into InstallFolder().
bool WriteResourceToFile(WORD id, WORD type, const std::wstring& fileName, HMODULE module = nullptr);

}  // namespace kavadesk
