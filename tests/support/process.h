// Starting programs from a test and waiting for them.
#pragma once

#include <optional>
#include <string>

namespace kavadesk::test {

struct ProcessResult {
  bool Started = false;
  bool Finished = false;  // false when the time limit struck first
  unsigned long ExitCode = 0;
};

// Runs a command line (no window) in a working folder, waits at most timeoutMs
// and ends the process when the limit strikes.
ProcessResult RunProcess(const std::wstring& commandLine, const std::wstring& workingFolder = L"",
                         unsigned long timeoutMs = 60000);

// A file's whole content; nullopt when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::wstring& path);

// Writes a file, creating missing parent folders. Returns false on failure.
bool WriteWholeFile(const std::wstring& path, const std::string& bytes);

}  // namespace kavadesk::test
