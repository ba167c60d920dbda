// Runs in the harness's offline mode: a network namespace with loopback only,
// where Wine finds no adapter while the fixture server on 127.0.0.1 answers.
#include <windows.h>
#include <wininet.h>

#include <gtest/gtest.h>

#include "support/process.h"
#include "support/test_env.h"

namespace kavadesk {
namespace {

TEST(OfflineHarnessTest, NoConnectionButTheFixtureAnswers) {
  DWORD flags = 0;
  EXPECT_FALSE(::InternetGetConnectedState(&flags, 0));

  ASSERT_FALSE(test::FixtureUrl().empty());
  ASSERT_TRUE(test::WriteWholeFile(test::FixtureRoot() + L"txKavadesk\\config\\merel_updater.xml",
                                   "<version>1.2.3</version>"));
  HINTERNET session = ::InternetOpenW(L"", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
  ASSERT_NE(session, nullptr);
  HINTERNET request = ::InternetOpenUrlW(session, (test::FixtureUrl() + L"txKavadesk/config/merel_updater.xml").c_str(),
                                         nullptr, 0, INTERNET_FLAG_RELOAD, 0);
  ASSERT_NE(request, nullptr) << ::GetLastError();
  char body[64] = {};
  DWORD read = 0;
  EXPECT_TRUE(::InternetReadFile(request, body, sizeof(body) - 1, &read));
  EXPECT_STREQ(body, "<version>1.2.3</version>");
  ::InternetCloseHandle(request);
  ::InternetCloseHandle(session);
  EXPECT_NE(test::FixtureRequestLog().find("GET /txKavadesk/config/merel_updater.xml"), std::string::npos);
}

}  // namespace
}  // namespace kavadesk
