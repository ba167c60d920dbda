// One installation of the offered version: folder, archive tool, package,
// unpacking, shortcuts, registration, runtime and driver packages, run on a
// worker thread while the window polls the progress.
#pragma once

#include <atomic>
#include <functional>

#include "net/version_string.h"
#include "registry/registry_store.h"

namespace kavadesk {

// True on Windows 10 and later, as the manifest lets the system report it.
bool IsWindows10OrLater();

class InstallEngine {
 public:
  explicit InstallEngine(VersionString version);

  // The whole installation, on the worker thread. Returns when it is done or
  // at the first cancel check after Cancel; ends the process with exit code 0
  // when the install folder cannot be made, the package cannot be downloaded
  // or the unpacked package holds no application (each after its box).
  void Run();

  // The bar's position, 0 to 100; written only by Run.
  int Progress() const;

  // Asks Run to stop at its next cancel check and stops a running download.
  void Cancel();

 private:
  // Stores the position at the start of a step.
  void BeginStep(int position);

  std::atomic<int> progress_{0};
  VersionString version_;
  RegistryStore registry_;
  std::atomic<bool> cancelRequested_{false};
};

// Called on the worker right after each step has set its position, so that a
// test can see every position and cancel exactly as a step begins; an empty
// function removes the hook.
using InstallStepHook = std::function<void(InstallEngine& engine, int position)>;
void SetInstallStepHookForTesting(InstallStepHook hook);

}  // namespace kavadesk
