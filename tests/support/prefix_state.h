// Snapshots of what an installation touches in the test's prefix: registry
// trees and folder trees as sets of lines, so that two states compare with
// one EXPECT_EQ and a difference names the entry.
#pragma once

#include <windows.h>

#include <set>
#include <string>

#include "base/file_exists.h"

namespace kavadesk::test {

using StateLines = std::set<std::wstring>;

// Every key below root\path (in the given view, KEY_WOW64_32KEY or
// KEY_WOW64_64KEY) as "key\" and every value as "key\name = type:data", keys
// relative to path; empty when the key is missing.
StateLines RegistryTree(HKEY root, const std::wstring& path, REGSAM view);

// Every file and folder below folder, as relative paths with folders ending
// in "\"; files carry their size. Empty when the folder is missing.
StateLines FolderTree(const std::wstring& folder);

// Whether a file or folder exists at path.
using ::kavadesk::PathExists;

}  // namespace kavadesk::test
