// One whole installation by the engine from the server at BASE_URL, of the
// package that it offers under VERSION, with the time each step took.
// Usage: install_bench BASE_URL VERSION
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "app/installer_config.h"
#include "i18n/error_box.h"
#include "i18n/translation_catalog.h"
#include "install/install_engine.h"
#include "support/install_fixture.h"
#include "support/shipped_languages.h"

int wmain(int argc, wchar_t** argv) {
  using Clock = std::chrono::steady_clock;
  if (argc != 3) {
    std::fwprintf(stderr, L"usage: install_bench BASE_URL VERSION\n");
    return 2;
  }
  kavadesk::BuildInstallerConfig(argv[1]);
  kavadesk::test::LoadShippedLanguages(kavadesk::Catalog());
  kavadesk::Catalog().SetLanguage(L"en-US");
  kavadesk::SetErrorBoxSinkForTesting([](const std::wstring& title, const std::wstring& body) {
    std::fwprintf(stderr, L"box: %ls: %ls\n", title.c_str(), body.c_str());
  });

  std::vector<std::pair<int, Clock::time_point>> steps;
  kavadesk::SetInstallStepHookForTesting(
      [&steps](kavadesk::InstallEngine&, int position) { steps.emplace_back(position, Clock::now()); });
  const Clock::time_point start = Clock::now();
  kavadesk::InstallEngine engine{kavadesk::VersionString(argv[2])};
  std::thread worker([&engine] { engine.Run(); });
  worker.join();
  const Clock::time_point end = Clock::now();

  const auto seconds = [](Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
  };
  // Download: from its step to the unpacking step; unpacking: to the shortcuts.
  double download = 0;
  double unpacking = 0;
  for (std::size_t i = 0; i + 1 < steps.size(); ++i) {
    if (steps[i].first == 15) download = seconds(steps[i].second, steps[i + 1].second);
    if (steps[i].first == 20) unpacking = seconds(steps[i].second, steps[i + 1].second);
  }
  std::printf("ok=%d total_seconds=%.3f download_seconds=%.3f unpack_seconds=%.3f other_seconds=%.3f\n",
              engine.Progress() == 100 ? 1 : 0, seconds(start, end), download, unpacking,
              seconds(start, end) - download - unpacking);
  return engine.Progress() == 100 ? 0 : 1;
}
