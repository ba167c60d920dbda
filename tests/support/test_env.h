// What the Wine harness tells a test about its run: the scratch folder, the
// build folder and the fixture server, as Windows paths and URLs.
#pragma once

#include <string>

#include "base/unique_handle.h"

namespace kavadesk::test {

// An environment variable's value, empty when it is not set.
std::wstring EnvironmentValue(const wchar_t* name);

// A Unix path (as the harness passes for the build folder) as Wine sees it.
std::wstring WindowsPathOfUnixPath(const std::wstring& unixPath);

// The run's own scratch folder, with a final backslash.
std::wstring RunDir();

// A file or folder below the build folder, e.g. L"win32\\KavadeskSetup.exe".
std::wstring BuildPath(const std::wstring& relative);

// The built installer, opened for its resources only; empty when missing.
UniqueHModule OpenBuiltInstaller();

// The fixture server's base URLs (ending in "/"), empty without the fixture.
std::wstring FixtureUrl();
std::wstring FixtureTlsUrl();

// The folder that the fixture server serves, with a final backslash.
std::wstring FixtureRoot();

// Writes the fixture server's per-path rules (JSON text).
void WriteFixtureRules(const std::string& json);

// The fixture server's request log, one "METHOD PATH" line per request.
std::string FixtureRequestLog();

}  // namespace kavadesk::test
