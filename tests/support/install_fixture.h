// What the engine tests share: the installer's state set up as start-up sets
// it, the test package on the fixture server, a clean slate between cases,
// and shortcuts read back through the shell link object.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "base/unique_handle.h"
#include "install/install_engine.h"

namespace kavadesk::test {

// The version that the fixture server offers the test package under.
extern const wchar_t kPackageVersion[];

// Where the installation goes in the test's 64-bit prefix, and its records.
extern const std::wstring kInstallFolder;
extern const std::wstring kTarvexProduct;
extern const std::wstring kTarvexEntry;
// The registration of the component whose older driver package is removed.
extern const std::wstring kThirdPackageKey;

// Registers that component in HKEY_CLASSES_ROOT; false when it cannot.
bool RegisterThirdPackageComponent();

// A program started by a test, ended or not; both handles owned.
struct StartedProcess {
  UniqueHandle Process;
  UniqueHandle Thread;
};

// Starts the complete command line with a window; empty handles when it
// cannot be started.
StartedProcess StartCommandLine(std::wstring commandLine);

// StartCommandLine with the program's quoted path and no arguments.
StartedProcess StartProgram(const std::wstring& path);

// The shipped languages in en-US, the configuration built for the fixture
// server, and the stand-ins told to record into StandInLog(). Returns false
// when the languages cannot be loaded.
bool PrepareInstallerState();

// The record file of the stand-ins' runs, in the run's scratch folder.
std::wstring StandInLog();

// FixtureRoot() + the package folder of kPackageVersion, with a final backslash.
std::wstring PackageFolderOnServer();

// Copies build\test-package\builtName onto the server as servedName.
bool ServePackage(const std::wstring& builtName, const std::wstring& servedName);

// Removes both brands' company folders, keys and uninstall entries, both
// shortcuts, the stand-ins' records and the packages on the server.
bool ResetInstallation();

// Runs the engine on a worker thread, as the window does, and returns the
// positions that its steps set, in order; the engine is asked to cancel as the
// step of position cancelAt begins.
std::vector<int> RunEngineOnWorker(InstallEngine& engine, int cancelAt = -1);

// What an installation and a removal may touch, as one set of lines: the
// 32-bit program-files folder, the desktop, the all-users programs folder,
// both brands' and the earlier generations' keys, the Uninstall key and the
// current user's RunOnce key.
std::set<std::wstring> InstallationFootprint();

// A shortcut file's target, working folder and icon, read back through the
// shell link object; all empty when the file cannot be loaded.
struct ShortcutDetails {
  std::wstring Target;
  std::wstring WorkingFolder;
  std::wstring IconPath;
  int IconIndex = -1;
};
ShortcutDetails ReadShortcut(const std::wstring& linkPath);
inline std::wstring ShortcutTarget(const std::wstring& linkPath) { return ReadShortcut(linkPath).Target; }

}  // namespace kavadesk::test
