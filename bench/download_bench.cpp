// Downloads one file from the server with the installer's own download code
// and prints the throughput and the process's peak working set.
// Usage: download_bench BASE_URL FOLDER_PATH FILE_NAME LOCAL_FOLDER
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>

#include "app/installer_config.h"
#include "i18n/error_box.h"
#include "i18n/translation_catalog.h"
#include "net/downloader.h"
#include "support/shipped_languages.h"

int wmain(int argc, wchar_t** argv) {
  if (argc != 5) {
    std::fwprintf(stderr, L"usage: download_bench BASE_URL FOLDER_PATH FILE_NAME LOCAL_FOLDER\n");
    return 2;
  }
  kavadesk::BuildInstallerConfig(argv[1]);
  kavadesk::test::LoadShippedLanguages(kavadesk::Catalog());
  kavadesk::Catalog().SetLanguage(L"en-US");
  bool failed = false;
  kavadesk::SetErrorBoxSinkForTesting([&](const std::wstring& title, const std::wstring& body) {
    std::fwprintf(stderr, L"download failed: %ls: %ls\n", title.c_str(), body.c_str());
    failed = true;
  });

  LARGE_INTEGER frequency, start, end;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&start);
  const bool ok = kavadesk::DownloadToFile(argv[2], argv[4], argv[3]) && !failed;
  ::QueryPerformanceCounter(&end);

  WIN32_FILE_ATTRIBUTE_DATA data = {};
  ::GetFileAttributesExW((std::wstring(argv[4]) + argv[3]).c_str(), GetFileExInfoStandard, &data);
  const double bytes = static_cast<double>((static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
  const double seconds = static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;
  PROCESS_MEMORY_COUNTERS memory = {};
  memory.cb = sizeof(memory);
  ::K32GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof(memory));
  std::printf("ok=%d bytes=%.0f seconds=%.3f mib_per_s=%.1f peak_working_set_kib=%lu\n", ok ? 1 : 0, bytes, seconds,
              bytes / (1024.0 * 1024.0) / seconds, static_cast<unsigned long>(memory.PeakWorkingSetSize / 1024));
  return ok ? 0 : 1;
}
