// Reading back the record that the test package's stand-in programs append to
// (tests/package/standin_record.h writes it).
#pragma once

#include <string>
#include <vector>

namespace kavadesk::test {

// One run of a stand-in: its image file name as on disk, its whole command
// line, the system time it started at (100 ns units since 1601) and its
// current folder.
struct StandInRun {
  std::wstring Image;
  std::wstring CommandLine;
  unsigned long long Time = 0;
  std::wstring Folder;
};

// The runs recorded in the log file, in the order they were written; empty
// when the file is missing, and lines without all four fields are left out.
std::vector<StandInRun> ReadStandInRuns(const std::wstring& logPath);

}  // namespace kavadesk::test
