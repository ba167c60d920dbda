#include "ui/run_screens.h"

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <thread>

#include "app/installer_config.h"
#include "app/process_exit.h"
#include "base/file_exists.h"
#include "i18n/error_box.h"
#include "i18n/translation_catalog.h"
#include "install/uninstall_engine.h"
#include "ui/message_pump.h"
#include "ui/ui_state.h"

namespace kavadesk {
namespace {

constexpr DWORD kTickMs = 50;
constexpr DWORD kPauseAfterCancelMs = 2000;

void SetBar(int position) { ::SendMessageW(Ui().ProgressBar, PBM_SETPOS, position, 0); }

void ShowRunControls(bool cancellable) {
  const UiState& ui = Ui();
  ::ShowWindow(ui.InstallButton, SW_HIDE);
  ::ShowWindow(ui.CancelButton, cancellable ? SW_SHOW : SW_HIDE);
  ::ShowWindow(ui.LanguageLabel, SW_HIDE);
  ::ShowWindow(ui.LanguageComboBox, SW_HIDE);
  ::ShowWindow(ui.ProgressBar, SW_SHOW);
  ::InvalidateRect(ui.MainWindowHandle, nullptr, TRUE);
}

}  // namespace

void RunInstallScreen() {
  UiState& ui = Ui();
  ui.LastOperation = OperationInstall;
  ShowRunControls(true);
  ::SetWindowTextW(ui.MessageText, Catalog().FormatText(L"IDS_INSTALLING_TEXT", {ProductName()}).c_str());
  InstallEngine& engine = *ui.CurrentInstallEngine;
  std::thread worker([&engine] { engine.Run(); });
  int shown = 0;
  while (ui.InstallerState != Cancelled) {
    PumpPendingMessages();
    if (shown < engine.Progress()) ++shown;
    SetBar(shown);
    WaitWithMessagePump(kTickMs);
    if (shown >= 100) break;
  }
  // The worker stops at its next check; a running child program is waited for.
  worker.join();
  if (ui.InstallerState == Cancelled) {
    SetBar(0);
    WaitWithMessagePump(kPauseAfterCancelMs);
    // As a click on the main button: removes what the run left, then shows
    // the cancellation.
    ::SendMessageW(ui.MainWindowHandle, WM_COMMAND, 0, reinterpret_cast<LPARAM>(ui.InstallButton));
  } else {
    SetBar(100);
  }
}

void RunUninstallScreen() {
  UiState& ui = Ui();
  ui.LastOperation = OperationUninstall;
  ShowRunControls(false);
  ::SetWindowTextW(ui.MessageText, Catalog().FormatText(L"IDS_UNINSTALLING_TEXT", {ProductName()}).c_str());
  UninstallEngine engine;
  std::atomic<bool> workerEnded{false};
  std::thread worker([&engine, &workerEnded] {
    engine.Run();
    workerEnded.store(true);
  });
  int shown = 0;
  while (shown < 100) {
    PumpPendingMessages();
    const int progress = engine.Progress();
    // A removal stopped at its gate never reaches 100: the loop ends once
    // the worker has ended and the bar has caught up with it.
    if (workerEnded.load() && shown >= progress) break;
    if (shown < progress) ++shown;
    SetBar(shown);
    WaitWithMessagePump(kTickMs);
  }
  worker.join();
  SetBar(100);
}

void EnsureInstallFolder() {
  const std::wstring folder = InstallFolder();
  if (PathExists(folder) || CreateFolderTree(folder.substr(0, folder.size() - 1))) return;
  ShowErrorBox(Catalog().GetText(L"error_creating_folder") + L"  " + folder);
  EndProcess();
}

void CopyInstallerIntoInstallFolder() {
  const std::wstring target = InstallFolder() + ExecutableFileName();
  if (PathExists(target)) ::DeleteFileW(target.c_str());
  if (!::CopyFileW(ExecutablePath().c_str(), target.c_str(), FALSE)) {
    // The uninstall entry would name a program that is not there.
    ShowErrorBox(Catalog().GetText(L"copy_error") + CopyErrorCodeSuffix(static_cast<long>(::GetLastError())));
  }
}

}  // namespace kavadesk
