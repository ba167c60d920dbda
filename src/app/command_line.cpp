#include "app/command_line.h"

#include <windows.h>
#include <shellapi.h>

#include "base/ascii.h"
#include "base/unique_handle.h"

namespace kavadesk {

CommandLineOptions ParseCommandLine(const std::wstring& arguments) {
  CommandLineOptions options;
  int count = 0;
  const UniqueArgv argv(::CommandLineToArgvW(arguments.c_str(), &count));
  if (!argv) return options;
  for (int i = 0; i < count; ++i) {
    const std::wstring option = AsciiLower(argv.Get()[i]);
    if (option == L"-test") {
      if (i + 1 < count) options.BaseUrl = argv.Get()[++i];
    } else if (option == L"-uninstall") {
      options.UninstallMode = true;
    }
  }
  return options;
}

}  // namespace kavadesk
