// Stands in for the installer in the relaunch tests: it runs the relaunch
// step, and the process that goes on (the copy, or one started from the
// temporary folder) records its path and arguments in the file named by
// KAVADESK_RELAUNCH_RECORD.
#include <windows.h>

#include <filesystem>
#include <fstream>

#include "app/installer_config.h"
#include "app/relaunch.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  kavadesk::BuildInstallerConfig(L"http://127.0.0.1:9/");
  kavadesk::RelaunchElevated(commandLine);
  wchar_t record[MAX_PATH] = {};
  if (::GetEnvironmentVariableW(L"KAVADESK_RELAUNCH_RECORD", record, MAX_PATH) == 0) return 0;
  std::wofstream out(std::filesystem::path(record), std::ios::binary);
  out << kavadesk::ExecutablePath() << L"\n" << commandLine << L"\n";
  return 0;
}
