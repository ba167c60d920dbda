#include "base/file_exists.h"

#include <filesystem>
#include <system_error>

namespace kavadesk {

bool CreateFolderTree(const std::wstring& folder) {
  if (PathExists(folder)) return true;
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(folder), error);
  return PathExists(folder);
}

}  // namespace kavadesk
