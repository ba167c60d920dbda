// The installer's options: "-test URL" and "-uninstall".
#pragma once

#include <string>

namespace kavadesk {

struct CommandLineOptions {
  std::wstring BaseUrl;  // empty unless given with -test
  bool UninstallMode = false;
};

// Splits the argument part of the command line the way the system does and
// reads the options; case is ignored for A to Z, other tokens are ignored.
// "-test" takes the next token as written (a later -test wins); a -test at the
// end is ignored.
CommandLineOptions ParseCommandLine(const std::wstring& arguments);

}  // namespace kavadesk
