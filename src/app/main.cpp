#include <windows.h>

#include "app/startup.h"
#include "ui/installer_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR commandLine, int showCommand) {
  if (!kavadesk::PrepareInstaller(commandLine)) return 0;
  return kavadesk::RunMainWindow(instance, showCommand);
}
