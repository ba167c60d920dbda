#include "base/known_folder.h"

#include "base/co_task_mem.h"

namespace kavadesk {

std::wstring KnownFolderPath(REFKNOWNFOLDERID folderId) {
  UniqueCoTaskString path;
  // The shell may hand back a buffer even on failure; the owner frees it.
  if (FAILED(::SHGetKnownFolderPath(folderId, 0, nullptr, path.Receive())) || !path) return {};
  return path.Get();
}

}  // namespace kavadesk
