// Paths of the shell's known folders.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <string>

namespace kavadesk {

// Returns the folder's path without a trailing backslash, or the empty string
// when the shell cannot tell it.
std::wstring KnownFolderPath(REFKNOWNFOLDERID folderId);

}  // namespace kavadesk
