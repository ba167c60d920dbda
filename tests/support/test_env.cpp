#include "support/test_env.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace kavadesk::test {

std::wstring EnvironmentValue(const wchar_t* name) {
  wchar_t buffer[4096];
  const DWORD length = ::GetEnvironmentVariableW(name, buffer, 4096);
  return length > 0 && length < 4096 ? std::wstring(buffer, length) : std::wstring();
}

std::wstring WindowsPathOfUnixPath(const std::wstring& unixPath) {
  std::wstring path = L"Z:" + unixPath;
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  return path;
}

static std::wstring WithSlash(std::wstring path) {
  if (!path.empty() && path.back() != L'\\') path += L'\\';
  return path;
}

std::wstring RunDir() { return WithSlash(EnvironmentValue(L"KAVADESK_RUN_DIR")); }

std::wstring BuildPath(const std::wstring& relative) {
  return WithSlash(WindowsPathOfUnixPath(EnvironmentValue(L"KAVADESK_BUILD_DIR"))) + relative;
}

UniqueHModule OpenBuiltInstaller() {
  return UniqueHModule(::LoadLibraryExW(BuildPath(L"win32\\KavadeskSetup.exe").c_str(), nullptr,
                                        LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
}

std::wstring FixtureUrl() { return EnvironmentValue(L"KAVADESK_FIXTURE_URL"); }
std::wstring FixtureTlsUrl() { return EnvironmentValue(L"KAVADESK_FIXTURE_TLS_URL"); }
std::wstring FixtureRoot() { return WithSlash(EnvironmentValue(L"KAVADESK_FIXTURE_ROOT")); }

void WriteFixtureRules(const std::string& json) {
  // Written beside and renamed, so the server never reads half a file.
  const std::wstring rules = EnvironmentValue(L"KAVADESK_FIXTURE_RULES");
  const std::wstring temporary = rules + L".new";
  {
    std::ofstream out(std::filesystem::path(temporary), std::ios::binary | std::ios::trunc);
    out << json;
  }
  ::MoveFileExW(temporary.c_str(), rules.c_str(), MOVEFILE_REPLACE_EXISTING);
}

std::string FixtureRequestLog() {
  std::ifstream in(std::filesystem::path(EnvironmentValue(L"KAVADESK_FIXTURE_LOG")), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace kavadesk::test
