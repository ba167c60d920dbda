#include <windows.h>

#include "app/startup.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR commandLine, int showCommand) {
  return kavadesk::RunInstaller(instance, commandLine, showCommand);
}
