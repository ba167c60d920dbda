// Whether something exists at a path, asked of the file system each time.
#pragma once

#include <windows.h>

#include <string>

namespace kavadesk {

// True when a file or folder exists at path.
inline bool PathExists(const std::wstring& path) {
  return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// True when a file, not a folder, exists at path.
inline bool FileExists(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Creates the folder with every missing parent; true when it exists
// afterwards (also when it was there already).
bool CreateFolderTree(const std::wstring& folder);

}  // namespace kavadesk
