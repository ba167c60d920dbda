#include "app/system_library.h"

#include "app/installer_config.h"

namespace kavadesk {

UniqueHModule LoadSystemLibrary(const std::wstring& fileName) {
  const std::wstring folder = SystemFolderPath();
  // Without the system folder a bare name would be searched for: load nothing.
  if (folder.empty()) return UniqueHModule();
  return UniqueHModule(::LoadLibraryW((folder + L"\\" + fileName).c_str()));
}

}  // namespace kavadesk
