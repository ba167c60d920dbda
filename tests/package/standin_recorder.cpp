// Stands in for the runtime and driver set-up programs of the package: it
// records its run and ends with 0, without a window. A test holds it running
// with KAVADESK_STANDIN_HOLD="<image name>=<path>": the program of that image
// name creates "<path>.started" and waits until a file <path> exists.
#include <windows.h>

#include <string>

#include "base/unique_handle.h"
#include "standin_record.h"

namespace {

constexpr DWORD kPollMs = 20;
// Ends the wait of a test that never releases the program.
constexpr DWORD kLongestHoldMs = 120000;

std::wstring EnvironmentValue(const wchar_t* name) {
  const DWORD needed = ::GetEnvironmentVariableW(name, nullptr, 0);
  if (needed == 0) return L"";
  std::wstring value(needed, L'\0');
  const DWORD length = ::GetEnvironmentVariableW(name, value.data(), needed);
  value.resize(length < needed ? length : 0);
  return value;
}

std::wstring OwnImageName() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (length == 0 || length == MAX_PATH) return L"";
  WIN32_FIND_DATAW found = {};
  const kavadesk::UniqueFind search(::FindFirstFileW(path, &found));
  if (search) return found.cFileName;
  const std::wstring whole(path, length);
  return whole.substr(whole.find_last_of(L"\\/") + 1);
}

bool SameImageName(const std::wstring& a, const std::wstring& b) {
  return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

bool FileExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void HoldWhenAsked() {
  const std::wstring hold = EnvironmentValue(L"KAVADESK_STANDIN_HOLD");
  const std::size_t separator = hold.find(L'=');
  if (separator == std::wstring::npos || separator == 0 || separator + 1 == hold.size()) return;
  if (!SameImageName(hold.substr(0, separator), OwnImageName())) return;
  const std::wstring release = hold.substr(separator + 1);
  const kavadesk::UniqueFile started(::CreateFileW((release + L".started").c_str(), GENERIC_WRITE,
                                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                   CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  for (DWORD waited = 0; waited < kLongestHoldMs && !FileExists(release); waited += kPollMs) ::Sleep(kPollMs);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  kavadesk::test::AppendStandInRecord();
  HoldWhenAsked();
  return 0;
}
