// Removal of both brands' editions: their processes, folders, the loose files
// of the company folders, the shortcuts and the registry records, keeping the
// user's language and "StartMinimized". Run on a worker thread while the
// window polls the progress.
#pragma once

#include <atomic>

namespace kavadesk {

class UninstallEngine {
 public:
  // The whole removal. Returns at once, touching nothing, when both brands
  // record an install state of 0 or below; otherwise runs every step, passing
  // over whatever cannot be removed. Shows nothing.
  void Run();

  // 0, then 20, 40, 60 and 100 as the steps are reached; stays 0 when the
  // removal stopped at its gate.
  int Progress() const;

 private:
  std::atomic<int> progress_{0};
};

// Deletes the shortcuts of this and of earlier product generations and of the
// other brand: the desktop and Start-menu ones under ShortcutFileName() and
// the desktop ones under both brands' product names. Nothing else is touched.
void DeleteShortcuts();

}  // namespace kavadesk
