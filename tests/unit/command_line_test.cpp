#include "app/command_line.h"

#include <gtest/gtest.h>

namespace kavadesk {
namespace {

struct CommandLineCase {
  const wchar_t* arguments;
  const wchar_t* baseUrl;
  bool uninstall;
};

class CommandLineTest : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineTest, ReadsOptions) {
  const CommandLineCase& c = GetParam();
  const CommandLineOptions options = ParseCommandLine(c.arguments);
  EXPECT_EQ(options.BaseUrl, c.baseUrl) << "arguments: " << testing::PrintToString(std::wstring(c.arguments));
  EXPECT_EQ(options.UninstallMode, c.uninstall) << "arguments: " << testing::PrintToString(std::wstring(c.arguments));
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommandLineTest,
    ::testing::Values(
        CommandLineCase{L"", L"", false},
        CommandLineCase{L"-uninstall", L"", true},
        CommandLineCase{L"-UNINSTALL", L"", true},
        CommandLineCase{L"-UnInstall", L"", true},
        CommandLineCase{L"-test http://127.0.0.1:8000/", L"http://127.0.0.1:8000/", false},
        CommandLineCase{L"-TEST http://Host/Path/", L"http://Host/Path/", false},
        CommandLineCase{L"-Test HTTP://A/B/ -uninstall", L"HTTP://A/B/", true},
        CommandLineCase{L"-uninstall -test", L"", true},
        CommandLineCase{L"-test", L"", false},
        CommandLineCase{L"-test \"\"", L"", false},
        CommandLineCase{L"-test -uninstall", L"-uninstall", false},
        CommandLineCase{L"-test http://a/ -test http://b/", L"http://b/", false},
        CommandLineCase{L"other -x -test \"http://q/with space/\" more", L"http://q/with space/", false},
        CommandLineCase{L"-uninstallx --test http://a/", L"", false},
        // Only A to Z fold: a dotted capital I (U+0130) is not an "i".
        CommandLineCase{L"-un\u0130nstall", L"", false}));

}  // namespace
}  // namespace kavadesk
