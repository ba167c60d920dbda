// What the end-to-end tests share: starting the built installer as a user
// does, waiting for its texts, screenshots, and the exit codes of its
// processes.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/screenshot.h"
#include "i18n/translation_catalog.h"
#include "support/install_fixture.h"
#include "support/process.h"
#include "support/standin_log.h"
#include "support/test_env.h"
#include "ui_driver.h"

namespace kavadesk {

inline const wchar_t kWindowClass[] = L"TESTSETUP";
inline const wchar_t kInstallerImage[] = L"KavadeskSetup.exe";
inline constexpr DWORD kWindowTimeoutMs = 90000;
inline constexpr DWORD kRunTimeoutMs = 180000;

inline std::wstring DownloadedInstaller() { return test::EnvironmentValue(L"USERPROFILE") + L"\\Downloads\\KavadeskSetup.exe"; }

inline void Shot(const std::wstring& name) {
  // Gives the window a moment to paint what was just set.
  ::Sleep(400);
  EXPECT_TRUE(test::SaveScreenshot(test::ScreenshotPath(L"e2e\\" + name + L".png"))) << "screenshot " << name.size();
}

// Polls until the control of that class shows exactly the text.
inline bool WaitForText(HWND window, const wchar_t* className, const std::wstring& text, DWORD timeoutMs) {
  const ULONGLONG start = ::GetTickCount64();
  do {
    if (test::FindControl(window, className, text)) return true;
    ::Sleep(100);
  } while (::GetTickCount64() - start < timeoutMs);
  return false;
}

inline const test::ControlInfo* ByText(const std::vector<test::ControlInfo>& controls, const std::wstring& text) {
  for (const test::ControlInfo& control : controls) {
    if (control.Text == text) return &control;
  }
  return nullptr;
}

inline HWND FindClass(HWND window, const wchar_t* className) { return test::FindControl(window, className, L""); }

class InstallerEndToEndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test::PrepareInstallerState());
    ASSERT_TRUE(test::ServePackage(L"Kavadesk.zip", L"Kavadesk.zip"));
    ASSERT_TRUE(test::WriteWholeFile(test::FixtureRoot() + L"txKavadesk\\config\\merel_updater.xml",
                                     "<updater><version>2.4.0</version></updater>"));
    const auto installer = test::ReadWholeFile(test::BuildPath(L"win32\\KavadeskSetup.exe"));
    ASSERT_TRUE(installer.has_value());
    ASSERT_TRUE(test::WriteWholeFile(DownloadedInstaller(), *installer));
  }

  // Starts the installer as a user does, with the fixture server's URL; the
  // process is remembered so that its exit code is checked too.
  test::StartedProcess StartInstaller() {
    return Remembered(test::StartCommandLine(L"\"" + DownloadedInstaller() + L"\" -test " + test::FixtureUrl()));
  }

  // Starts a command line as Windows starts the uninstall entry's, remembered
  // like the installer's starts.
  test::StartedProcess StartRemembered(const std::wstring& commandLine) {
    return Remembered(test::StartCommandLine(commandLine));
  }

  // The installer's window once it shows the offer text; null when it does not.
  static HWND WaitForOffer(const std::wstring& text) {
    const HWND window = test::WaitForWindow(kWindowClass, kWindowTimeoutMs);
    return window && WaitForText(window, L"Static", text, 10000) ? window : nullptr;
  }

  static std::wstring Text(const wchar_t* key, const std::vector<std::wstring>& arguments = {}) {
    return Catalog().FormatText(key, arguments);
  }

  // Every installer process has ended, each with exit code 0.
  // Every installer process, those started here and their relaunched
  // copies, has ended, each with exit code 0.
  void ExpectInstallersEndWithZero() {
    std::vector<DWORD> codes;
    ASSERT_TRUE(test::WaitForProcessesToEnd(test::ProcessIdsByImageName(kInstallerImage), kRunTimeoutMs, &codes));
    for (const DWORD code : codes) EXPECT_EQ(code, 0u);
    for (const UniqueHandle& process : startedProcesses_) {
      ASSERT_EQ(::WaitForSingleObject(process.Get(), kRunTimeoutMs), WAIT_OBJECT_0);
      DWORD code = 1;
      ::GetExitCodeProcess(process.Get(), &code);
      EXPECT_EQ(code, 0u);
    }
    startedProcesses_.clear();
  }

  std::vector<UniqueHandle> startedProcesses_;

 private:
  test::StartedProcess Remembered(test::StartedProcess started) {
    UniqueHandle kept;
    if (started.Process &&
        ::DuplicateHandle(::GetCurrentProcess(), started.Process.Get(), ::GetCurrentProcess(), kept.Receive(), 0,
                          FALSE, DUPLICATE_SAME_ACCESS)) {
      startedProcesses_.push_back(std::move(kept));
    }
    return started;
  }

 protected:

  static std::vector<std::wstring> Images(const std::vector<test::StandInRun>& runs) {
    std::vector<std::wstring> images;
    for (const test::StandInRun& run : runs) images.push_back(run.Image);
    return images;
  }
};

}  // namespace kavadesk
