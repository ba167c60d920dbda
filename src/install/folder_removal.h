// Removing install folders and the loose files of a company folder.
#pragma once

#include <string>

namespace kavadesk {

// True for folders that no removal may take, whatever path the registry
// holds: a drive root, the Windows folder, either system folder, either
// program-files folder, the common application-data folder, the users folder,
// any user profile's root and the temporary folder. Compared after the path
// is made full and long, case-insensitively, without trailing backslashes.
bool IsProtectedFolder(const std::wstring& path);

// Removes path with everything below it, after a pause of 2000 ms, when
// something exists there and it is not a protected folder. Read-only entries
// are made writable first; a link or junction inside is removed itself, never
// followed. When the process's current folder lies inside, the process moves
// to the folder's parent first. The removal stops at the first entry that cannot be removed, and
// what was removed before it stays removed. Nothing is reported.
void RemoveFolder(const std::wstring& path);

// Deletes every file directly inside folder (which ends in a backslash);
// sub-folders and their contents stay, and failed deletions are passed over.
void DeleteFilesIn(const std::wstring& folder);

}  // namespace kavadesk
