#include "ui/common_controls.h"

#include <windows.h>
#include <commctrl.h>

#include "app/system_library.h"

namespace kavadesk {

bool RegisterCommonControlClasses() {
  static const UniqueHModule library = LoadSystemLibrary(L"comctl32.dll");
  using InitFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  const auto init = SystemLibraryEntry<InitFunction>(library.Get(), "InitCommonControlsEx");
  if (!init) return false;
  INITCOMMONCONTROLSEX classes = {};
  classes.dwSize = sizeof(classes);
  classes.dwICC = ICC_PROGRESS_CLASS;
  return init(&classes) != FALSE;
}

}  // namespace kavadesk
