#include "install/resource_extractor.h"

#include <atomic>
#include <filesystem>
#include <fstream>

#include "app/installer_config.h"
#include "app/system_library.h"
#include "base/unique_handle.h"

namespace kavadesk {
namespace {

// The table is filled on the main thread at start-up, before any worker
// exists; atomic entries keep a late first use from another thread sound too.
std::atomic<decltype(&::FindResourceW)> g_findResourceW{nullptr};
std::atomic<decltype(&::LoadResource)> g_loadResource{nullptr};
std::atomic<decltype(&::SizeofResource)> g_sizeofResource{nullptr};
std::atomic<decltype(&::LockResource)> g_lockResource{nullptr};
std::atomic<decltype(&::FreeResource)> g_freeResource{nullptr};

void FillResourceTable() {
  // kernel32 stays loaded for the life of the process, and with it the
  // entries taken from it, so the module is deliberately never freed.
  const HMODULE kernel32 = LoadSystemLibrary(L"kernel32.dll").Release();
  g_findResourceW = SystemLibraryEntry<decltype(&::FindResourceW)>(kernel32, "FindResourceW");
  g_loadResource = SystemLibraryEntry<decltype(&::LoadResource)>(kernel32, "LoadResource");
  g_sizeofResource = SystemLibraryEntry<decltype(&::SizeofResource)>(kernel32, "SizeofResource");
  g_lockResource = SystemLibraryEntry<decltype(&::LockResource)>(kernel32, "LockResource");
  g_freeResource = SystemLibraryEntry<decltype(&::FreeResource)>(kernel32, "FreeResource");
}

template <typename Function>
Function Entry(const std::atomic<Function>& entry) {
  if (!entry.load()) FillResourceTable();
  return entry.load();
}

// A loaded resource, released through the table's FreeResource.
struct LoadedResourceTraits {
  using Handle = HGLOBAL;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { ResourceExtractor::FreeResource(h); }
};
using UniqueLoadedResource = UniqueAny<LoadedResourceTraits>;

}  // namespace

HRSRC ResourceExtractor::FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type) {
  const auto function = Entry(g_findResourceW);
  return function ? function(module, name, type) : nullptr;
}

HGLOBAL ResourceExtractor::LoadResource(HMODULE module, HRSRC resource) {
  const auto function = Entry(g_loadResource);
  return function ? function(module, resource) : nullptr;
}

DWORD ResourceExtractor::SizeofResource(HMODULE module, HRSRC resource) {
  const auto function = Entry(g_sizeofResource);
  return function ? function(module, resource) : 0;
}

LPVOID ResourceExtractor::LockResource(HGLOBAL loaded) {
  const auto function = Entry(g_lockResource);
  return function ? function(loaded) : nullptr;
}

BOOL ResourceExtractor::FreeResource(HGLOBAL loaded) {
  const auto function = Entry(g_freeResource);
  return function ? function(loaded) : FALSE;
}

bool WriteResourceToFolder(WORD id, WORD type, const std::wstring& folder, const std::wstring& fileName,
                           HMODULE module) {
  const HRSRC found = ResourceExtractor::FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(type));
  if (!found) return false;
  const UniqueLoadedResource loaded(ResourceExtractor::LoadResource(module, found));
  const DWORD size = ResourceExtractor::SizeofResource(module, found);
  const void* bytes = ResourceExtractor::LockResource(loaded.Get());
  if (!bytes) return false;

  std::ofstream out(std::filesystem::path(folder + fileName), std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(static_cast<const char*>(bytes), static_cast<std::streamsize>(size));
  out.close();
  return static_cast<bool>(out);
}

bool WriteResourceToFile(WORD id, WORD type, const std::wstring& fileName, HMODULE module) {
  return WriteResourceToFolder(id, type, InstallFolder(), fileName, module);
}

}  // namespace kavadesk
