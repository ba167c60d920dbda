#include "ui/installer_window.h"

#include "app/message_loop.h"
#include "ui/main_window.h"

namespace kavadesk {

int RunMainWindow(HINSTANCE instance, int showCommand) {
  RegisterMainWindowClass(instance);
  if (!CreateMainWindow(instance, showCommand)) return 0;
  return RunMessageLoop(instance);
}

}  // namespace kavadesk
