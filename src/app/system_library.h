// System DLLs that the installer loads itself, by full path from the system
// folder, so that a DLL planted beside the installer is never the one loaded.
#pragma once

#include <windows.h>

#include <string>

#include "base/unique_handle.h"

namespace kavadesk {

// Loads SystemFolderPath() + "\" + fileName. Returns an empty handle when the
// system folder is unknown or the library cannot be loaded.
UniqueHModule LoadSystemLibrary(const std::wstring& fileName);

// Looks up an export of a module as a typed pointer; null when the module is
// empty or lacks the export, so every caller checks before calling.
template <typename Function>
Function SystemLibraryEntry(HMODULE module, const char* name) {
  if (!module) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

// The WinINet library, loaded at static initialisation and kept for the life
// of the process; null when it could not be loaded.
HMODULE WinInetModule();

}  // namespace kavadesk
