// Everything the process sets up before the entry runs, in one translation
// unit so that the order is the order written here: the configuration's
// strings (constructed empty elsewhere, they need nothing), then WinINet, the
// version text and the command-line state, then GDI.
#include "app/gdi_entry_points.h"
#include "app/process_state.h"
#include "app/system_library.h"

namespace kavadesk {
namespace {

// Kept loaded for the life of the process; the download code calls into it.
UniqueHModule g_wininet = LoadSystemLibrary(L"wininet.dll");

std::wstring JoinVersion(std::initializer_list<const wchar_t*> components) {
  std::wstring text;
  for (const wchar_t* c : components) {
    if (!text.empty()) text += L'.';
    text += c;
  }
  return text;
}

const std::wstring g_installerVersion = JoinVersion({L"5", L"1", L"2", L"1"});

}  // namespace

std::wstring SavedCommandLine;
bool UninstallMode = false;
VersionString ServerVersion;
VersionString InstalledVersion;

namespace {

UniqueHModule g_gdi32 = LoadSystemLibrary(L"gdi32.dll");
const GdiEntryPoints g_gdi(g_gdi32.Get());

}  // namespace

HMODULE WinInetModule() { return g_wininet.Get(); }
const std::wstring& InstallerVersion() { return g_installerVersion; }
const GdiEntryPoints& Gdi() { return g_gdi; }

}  // namespace kavadesk
