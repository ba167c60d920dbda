#include "install/shortcut_maker.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <atomic>

#include "app/installer_config.h"
#include "base/file_exists.h"
#include "base/com_ptr.h"
#include "install/shell_folders.h"

namespace kavadesk {
namespace {

std::atomic<const IID*> g_persistInterface{nullptr};

// In-process server and handler, local and remote server.
constexpr DWORD kLinkContext = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER |
                               CLSCTX_REMOTE_SERVER;

}  // namespace

std::wstring ApplicationTarget() {
  const std::wstring folder = InstallFolder();
  const std::wstring primary = folder + ApplicationExecutable();
  return FileExists(primary) ? primary : folder + AlternateApplicationExecutable();
}

void CreateShortcuts() {
  const std::wstring desktopLink = DesktopShortcut();
  ::CoInitialize(nullptr);
  ComPtr<IShellLinkW> link;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, kLinkContext, IID_IShellLinkW, link.ReceiveVoid())) ||
      !link) {
    return;
  }
  const std::wstring target = ApplicationTarget();
  link->SetPath(target.c_str());
  link->SetWorkingDirectory(InstallFolder().c_str());
  link->SetIconLocation(target.c_str(), 0);

  const IID* persistId = g_persistInterface.load();
  ComPtr<IPersistFile> persist;
  if (FAILED(link->QueryInterface(persistId ? *persistId : IID_IPersistFile, persist.ReceiveVoid())) || !persist) {
    return;
  }
  if (!desktopLink.empty()) persist->Save(desktopLink.c_str(), TRUE);
  const std::wstring startMenuLink = StartMenuShortcut();
  if (!startMenuLink.empty()) persist->Save(startMenuLink.c_str(), TRUE);
}

void SetShortcutPersistInterfaceForTesting(const IID* interfaceId) { g_persistInterface.store(interfaceId); }

}  // namespace kavadesk
