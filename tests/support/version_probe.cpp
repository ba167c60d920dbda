// Exits with major * 100 + minor of the Windows version that a program with
// the installer's manifest sees (601 for Windows 7, 1000 for Windows 10).
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  OSVERSIONINFOW info = {};
  info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!::GetVersionExW(&info)) return 1;
#pragma GCC diagnostic pop
  return static_cast<int>(info.dwMajorVersion * 100 + info.dwMinorVersion);
}
