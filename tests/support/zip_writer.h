// Writes small zip archives (stored, no compression) for tests: entries whose
// names end in "/" are folders.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace kavadesk::test {

struct ZipEntry {
  std::string Name;   // forward slashes, e.g. "docs/readme.txt" or "empty/"
  std::string Bytes;  // ignored for folders
};

// The archive's bytes.
std::string MakeZip(const std::vector<ZipEntry>& entries);

}  // namespace kavadesk::test
