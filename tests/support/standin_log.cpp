#include "support/standin_log.h"

#include <windows.h>

#include <charconv>
#include <optional>
#include <utility>

#include "support/process.h"

namespace kavadesk::test {
namespace {

std::wstring FromUtf8(const std::string& bytes) {
  if (bytes.empty()) return {};
  const int size = ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  if (size <= 0) return {};
  std::wstring text(static_cast<std::size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), size);
  return text;
}

// File names and folders hold no tab, a command line may: the image is taken
// up to the first tab, the time and the folder after the last two.
std::optional<StandInRun> ParseLine(const std::string& line) {
  const std::size_t afterImage = line.find('\t');
  const std::size_t beforeFolder = line.rfind('\t');
  if (afterImage == std::string::npos || beforeFolder == afterImage) return std::nullopt;
  const std::size_t beforeTime = line.rfind('\t', beforeFolder - 1);
  if (beforeTime == afterImage) return std::nullopt;

  StandInRun run;
  const char* timeBegin = line.data() + beforeTime + 1;
  const char* timeEnd = line.data() + beforeFolder;
  const auto parsed = std::from_chars(timeBegin, timeEnd, run.Time);
  if (timeBegin == timeEnd || parsed.ec != std::errc() || parsed.ptr != timeEnd) return std::nullopt;
  run.Image = FromUtf8(line.substr(0, afterImage));
  run.CommandLine = FromUtf8(line.substr(afterImage + 1, beforeTime - afterImage - 1));
  run.Folder = FromUtf8(line.substr(beforeFolder + 1));
  return run;
}

}  // namespace

std::vector<StandInRun> ReadStandInRuns(const std::wstring& logPath) {
  std::vector<StandInRun> runs;
  const std::optional<std::string> content = ReadWholeFile(logPath);
  if (!content) return runs;
  std::size_t begin = 0;
  while (begin < content->size()) {
    std::size_t end = content->find('\n', begin);
    if (end == std::string::npos) end = content->size();
    if (auto run = ParseLine(content->substr(begin, end - begin))) runs.push_back(std::move(*run));
    begin = end + 1;
  }
  return runs;
}

}  // namespace kavadesk::test
