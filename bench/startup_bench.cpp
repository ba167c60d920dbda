// Time from process start to a visible main window: the installer (started
// from outside the temporary folder, so with its relaunch and the manifest
// fetch) against the smallest window program, in the same run.
// Usage: startup_bench BASE_URL INSTALLER MINIMAL ROUNDS
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "support/install_fixture.h"
#include "ui_driver.h"

namespace {

using Clock = std::chrono::steady_clock;

// Milliseconds until a visible window of the class shows; -1 when none does.
double TimeToWindow(const std::wstring& commandLine, const wchar_t* windowClass) {
  const Clock::time_point start = Clock::now();
  const kavadesk::test::StartedProcess started = kavadesk::test::StartCommandLine(commandLine);
  if (!started.Process) return -1;
  const HWND window = kavadesk::test::WaitForWindow(windowClass, 120000);
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  if (!window) return -1;
  DWORD processId = 0;
  ::GetWindowThreadProcessId(window, &processId);
  const kavadesk::UniqueHandle process(::OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId));
  ::TerminateProcess(process.Get(), 0);
  ::WaitForSingleObject(process.Get(), 10000);
  ::WaitForSingleObject(started.Process.Get(), 10000);
  return ms;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 5) {
    std::fwprintf(stderr, L"usage: startup_bench BASE_URL INSTALLER MINIMAL ROUNDS\n");
    return 2;
  }
  const int rounds = std::max(1, _wtoi(argv[4]));
  std::vector<double> installer;
  std::vector<double> minimal;
  for (int round = 0; round < rounds; ++round) {
    minimal.push_back(TimeToWindow(L"\"" + std::wstring(argv[3]) + L"\"", L"MinimalBenchWindow"));
    installer.push_back(TimeToWindow(L"\"" + std::wstring(argv[2]) + L"\" -test " + argv[1], L"TESTSETUP"));
  }
  const double ours = Median(installer);
  const double base = Median(minimal);
  std::printf("rounds=%d installer_ms=%.0f minimal_ms=%.0f ratio=%.2f\n", rounds, ours, base, base > 0 ? ours / base : 0);
  return ours > 0 && base > 0 ? 0 : 1;
}
