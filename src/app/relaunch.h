// Running elevated: unless it already runs from the user's temporary folder,
// the installer copies itself into a new folder there and starts the copy
// through the shell with the "runas" verb, which makes Windows ask for
// elevation.
#pragma once

#include <optional>
#include <string>

namespace kavadesk {

enum class RelaunchOutcome {
  GoOn,     // already below the temporary folder: start-up continues here
  Started,  // the copy was made and handed to the shell
  Failed,   // the user was told why; the process is to end
};

// A path directly inside the user's temporary folder that nothing uses yet;
// nullopt when the temporary folder is unknown or no free name was found.
std::optional<std::wstring> UniqueTemporaryName();

// The relaunch from a given unique name: the folded name (A to Z lower-cased)
// becomes the copy folder and its parent the temporary folder that the
// running executable is tested against. Shows its own error boxes.
RelaunchOutcome RelaunchFromTemporaryFolder(const std::wstring& uniqueName, const std::wstring& arguments);

// Returns when this process is to go on with start-up; otherwise it starts
// the elevated copy with the same arguments, or tells the user why it cannot,
// and ends the process with exit code 0.
void RelaunchElevated(const std::wstring& arguments);

}  // namespace kavadesk
