// The UI driver against a real window of another process: the small target
// program shows each kind of control the installer's window has.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "base/unique_handle.h"
#include "support/test_env.h"
#include "ui_driver.h"

namespace kavadesk::test {
namespace {

constexpr wchar_t kTargetClass[] = L"DriverTargetWindow";
constexpr wchar_t kJapanese[] = L"\u65E5\u672C\u8A9E";
// Generous limits for a loaded machine; the steps normally take milliseconds.
constexpr DWORD kWaitMs = 20000;
constexpr DWORD kPollMs = 20;

// The target program, ended when the test leaves it running.
class TargetProcess {
 public:
  TargetProcess() {
    std::wstring commandLine = L"\"" + BuildPath(L"tests\\driver_target.exe") + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
      process_.Reset(info.hProcess);
      UniqueHandle thread(info.hThread);
      id_ = info.dwProcessId;
    }
  }
  ~TargetProcess() {
    if (process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT) TerminateProcess(process_.Get(), 99);
  }
  TargetProcess(const TargetProcess&) = delete;
  TargetProcess& operator=(const TargetProcess&) = delete;

  bool Started() const { return process_.IsValid(); }
  DWORD Id() const { return id_; }

 private:
  UniqueHandle process_;
  DWORD id_ = 0;
};

// Polls a condition that a posted message makes true; false when it never does.
bool Eventually(const std::function<bool()>& condition) {
  const ULONGLONG deadline = GetTickCount64() + kWaitMs;
  while (!condition()) {
    if (GetTickCount64() >= deadline) return false;
    Sleep(kPollMs);
  }
  return true;
}

TEST(UiDriverTest, DrivesEveryKindOfControlOfAnotherProcess) {
  TargetProcess target;
  ASSERT_TRUE(target.Started()) << GetLastError();
  HWND window = WaitForWindow(kTargetClass, kWaitMs);
  ASSERT_NE(window, nullptr);

  struct ExpectedControl {
    const wchar_t* ClassName;
    const wchar_t* Text;
  };
  const ExpectedControl expected[] = {
      {L"Button", L"Go"}, {L"Static", L"Link"}, {L"ComboBox", L"English"}, {L"msctls_progress32", L""}};
  const std::vector<ControlInfo> controls = ListControls(window);
  ASSERT_GE(controls.size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(expected[i].ClassName);
    EXPECT_EQ(controls[i].ClassName, expected[i].ClassName);
    EXPECT_EQ(controls[i].Text, expected[i].Text);
    EXPECT_TRUE(controls[i].Visible);
    EXPECT_TRUE(controls[i].Enabled);
    EXPECT_GT(controls[i].Rect.right - controls[i].Rect.left, 0);
  }
  EXPECT_EQ(controls[0].Rect.left, 10);
  EXPECT_EQ(controls[0].Rect.top, 10);

  HWND label = FindControl(window, L"Static", L"Link");
  HWND combo = FindControl(window, L"ComboBox", L"");
  HWND bar = FindControl(window, L"msctls_progress32", L"");
  HWND go = FindControl(window, L"Button", L"Go");
  ASSERT_TRUE(label && combo && bar && go);
  EXPECT_EQ(FindControl(window, L"Button", L"Stop"), nullptr);

  EXPECT_EQ(ComboEntries(combo), (std::vector<std::wstring>{L"English", L"Deutsch", kJapanese}));
  EXPECT_EQ(ComboSelection(combo), 0);
  EXPECT_FALSE(SelectComboEntry(combo, L"english"));
  ASSERT_TRUE(SelectComboEntry(combo, kJapanese));
  EXPECT_EQ(ComboSelection(combo), 2);
  EXPECT_TRUE(Eventually([&] { return WindowText(label) == kJapanese; })) << "the label shows " << WindowText(label);

  ASSERT_TRUE(Click(label));
  EXPECT_TRUE(Eventually([&] { return WindowText(window) == L"Clicked"; }));

  EXPECT_EQ(ProgressPosition(bar), 40);

  EXPECT_TRUE(FindMessageBoxes({target.Id()}).empty());
  ASSERT_TRUE(Click(go));
  const std::optional<MessageBoxInfo> box = WaitForMessageBox({target.Id()}, kWaitMs);
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->ProcessId, target.Id());
  EXPECT_EQ(box->Title, L"Target");
  EXPECT_EQ(box->Text, L"Pressed");
  EXPECT_EQ(ProcessIdsByImageName(L"driver_target.exe"), std::vector<DWORD>{target.Id()});
  ASSERT_TRUE(PressOk(*box));

  std::vector<DWORD> exitCodes;
  ASSERT_TRUE(WaitForProcessesToEnd({target.Id()}, kWaitMs, &exitCodes));
  EXPECT_EQ(exitCodes, std::vector<DWORD>{0});
}

}  // namespace
}  // namespace kavadesk::test
