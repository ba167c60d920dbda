// One installation of the offered version: folder, archive tool, package,
// unpacking, shortcuts, registration, runtime and driver packages, run on a
// worker thread while the window polls the progress.
#pragma once

#include <atomic>

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
  std::atomic<int> progress_{0};
  VersionString version_;
  RegistryStore registry_;
  std::atomic<bool> cancelRequested_{false};
};

}  // namespace kavadesk
