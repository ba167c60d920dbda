#include "ui_driver.h"

#include <commctrl.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cwchar>
#include <iterator>

#include "base/unique_handle.h"

namespace kavadesk::test {
namespace {

// How long one message to the target may take before the target counts as hung.
constexpr UINT kSendTimeoutMs = 2000;
constexpr DWORD kPollIntervalMs = 50;
constexpr int kMessageBoxTextId = 0xFFFF;
constexpr wchar_t kDialogClass[] = L"#32770";

bool SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_BLOCK, kSendTimeoutMs,
                             result ? result : &ignored) != 0;
}

std::wstring ClassNameOf(HWND window) {
  wchar_t buffer[256] = {};
  const int length = GetClassNameW(window, buffer, static_cast<int>(std::size(buffer)));
  return std::wstring(buffer, length > 0 ? length : 0);
}

bool SameClass(const std::wstring& a, const std::wstring& b) { return _wcsicmp(a.c_str(), b.c_str()) == 0; }

bool IsCheckable(LONG style) {
  switch (style & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return true;
    default:
      return false;
  }
}

// The text of a combo box entry; nullopt when the entry does not exist.
std::optional<std::wstring> ComboEntry(HWND combo, int index) {
  DWORD_PTR length = 0;
  if (!SendWithTimeout(combo, CB_GETLBTEXTLEN, index, 0, &length) || static_cast<LRESULT>(length) == CB_ERR) {
    return std::nullopt;
  }
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendWithTimeout(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()), &copied) ||
      static_cast<LRESULT>(copied) == CB_ERR) {
    return std::nullopt;
  }
  text.resize(copied);
  return text;
}

struct MessageBoxSearch {
  const std::vector<DWORD>* ProcessIds;
  std::vector<MessageBoxInfo>* Found;
};

BOOL CALLBACK CollectMessageBox(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<MessageBoxSearch*>(context);
  if (!IsWindowVisible(window) || !SameClass(ClassNameOf(window), kDialogClass)) return TRUE;
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  const auto& wanted = *search->ProcessIds;
  if (!wanted.empty() && std::find(wanted.begin(), wanted.end(), processId) == wanted.end()) return TRUE;
  MessageBoxInfo box;
  box.Handle = window;
  box.ProcessId = processId;
  box.Title = WindowText(window);
  if (HWND textControl = GetDlgItem(window, kMessageBoxTextId)) box.Text = WindowText(textControl);
  search->Found->push_back(std::move(box));
  return TRUE;
}

BOOL CALLBACK CollectControl(HWND child, LPARAM context) {
  auto* controls = reinterpret_cast<std::vector<ControlInfo>*>(context);
  ControlInfo info;
  info.Handle = child;
  info.ClassName = ClassNameOf(child);
  info.Text = WindowText(child);
  info.Visible = IsWindowVisible(child) != FALSE;
  info.Enabled = IsWindowEnabled(child) != FALSE;
  info.Style = GetWindowLongW(child, GWL_STYLE);
  GetWindowRect(child, &info.Rect);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&info.Rect), 2);
  if (SameClass(info.ClassName, L"Button") && IsCheckable(info.Style)) {
    DWORD_PTR state = 0;
    info.Checked = SendWithTimeout(child, BM_GETCHECK, 0, 0, &state) && state == BST_CHECKED;
  }
  controls->push_back(std::move(info));
  return TRUE;
}

BOOL CALLBACK FindFirstButton(HWND child, LPARAM context) {
  if (!SameClass(ClassNameOf(child), L"Button")) return TRUE;
  *reinterpret_cast<HWND*>(context) = child;
  return FALSE;
}

}  // namespace

HWND WaitForWindow(const std::wstring& className, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    HWND window = FindWindowW(className.c_str(), nullptr);
    if (window && IsWindowVisible(window)) return window;
    if (GetTickCount64() >= deadline) return nullptr;
    Sleep(kPollIntervalMs);
  }
}

std::wstring WindowText(HWND window) {
  DWORD_PTR length = 0;
  if (!SendWithTimeout(window, WM_GETTEXTLENGTH, 0, 0, &length)) return {};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendWithTimeout(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), &copied)) return {};
  text.resize(copied < text.size() ? copied : text.size() - 1);
  return text;
}

std::vector<ControlInfo> ListControls(HWND window) {
  std::vector<ControlInfo> controls;
  EnumChildWindows(window, CollectControl, reinterpret_cast<LPARAM>(&controls));
  return controls;
}

HWND FindControl(HWND window, const std::wstring& className, const std::wstring& text) {
  for (const ControlInfo& control : ListControls(window)) {
    if (SameClass(control.ClassName, className) && (text.empty() || control.Text == text)) return control.Handle;
  }
  return nullptr;
}

bool Click(HWND control) {
  if (!IsWindow(control) || !IsWindowEnabled(control)) return false;
  const std::wstring className = ClassNameOf(control);
  // Posted, not sent: the click may open a modal message box in the target.
  if (SameClass(className, L"Button")) return PostMessageW(control, BM_CLICK, 0, 0) != FALSE;
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  if (SameClass(className, L"Static") && (style & SS_NOTIFY)) {
    const WPARAM command = MAKEWPARAM(GetDlgCtrlID(control), STN_CLICKED);
    return PostMessageW(GetParent(control), WM_COMMAND, command, reinterpret_cast<LPARAM>(control)) != FALSE;
  }
  return false;
}

std::vector<std::wstring> ComboEntries(HWND combo) {
  std::vector<std::wstring> entries;
  DWORD_PTR count = 0;
  if (!SendWithTimeout(combo, CB_GETCOUNT, 0, 0, &count) || static_cast<LRESULT>(count) == CB_ERR) return entries;
  for (int index = 0; index < static_cast<int>(count); ++index) {
    std::optional<std::wstring> entry = ComboEntry(combo, index);
    if (!entry) break;
    entries.push_back(std::move(*entry));
  }
  return entries;
}

int ComboSelection(HWND combo) {
  DWORD_PTR selection = 0;
  if (!SendWithTimeout(combo, CB_GETCURSEL, 0, 0, &selection)) return -1;
  return static_cast<int>(static_cast<LRESULT>(selection));
}

bool SelectComboEntry(HWND combo, const std::wstring& displayName) {
  // CB_FINDSTRINGEXACT ignores case, so each hit is read back and compared exactly.
  int found = -1;
  int searchAfter = -1;
  for (;;) {
    DWORD_PTR hit = 0;
    if (!SendWithTimeout(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(searchAfter),
                         reinterpret_cast<LPARAM>(displayName.c_str()), &hit)) {
      return false;
    }
    const int index = static_cast<int>(static_cast<LRESULT>(hit));
    // The search wraps around to the start, so a hit at or before the last one ends it.
    if (index == CB_ERR || index <= searchAfter) break;
    if (ComboEntry(combo, index) == displayName) {
      found = index;
      break;
    }
    searchAfter = index;
  }
  if (found < 0) return false;
  DWORD_PTR result = 0;
  if (!SendWithTimeout(combo, CB_SETCURSEL, found, 0, &result) || static_cast<LRESULT>(result) != found) return false;
  const WPARAM command = MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE);
  return PostMessageW(GetParent(combo), WM_COMMAND, command, reinterpret_cast<LPARAM>(combo)) != FALSE;
}

int ProgressPosition(HWND bar) {
  DWORD_PTR position = 0;
  if (!SendWithTimeout(bar, PBM_GETPOS, 0, 0, &position)) return -1;
  return static_cast<int>(static_cast<LRESULT>(position));
}

std::vector<MessageBoxInfo> FindMessageBoxes(const std::vector<DWORD>& processIds) {
  std::vector<MessageBoxInfo> found;
  MessageBoxSearch search{&processIds, &found};
  EnumWindows(CollectMessageBox, reinterpret_cast<LPARAM>(&search));
  return found;
}

std::optional<MessageBoxInfo> WaitForMessageBox(const std::vector<DWORD>& processIds, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    std::vector<MessageBoxInfo> boxes = FindMessageBoxes(processIds);
    if (!boxes.empty()) return boxes.front();
    if (GetTickCount64() >= deadline) return std::nullopt;
    Sleep(kPollIntervalMs);
  }
}

bool PressOk(const MessageBoxInfo& box) {
  if (!IsWindow(box.Handle)) return false;
  HWND button = GetDlgItem(box.Handle, IDOK);
  if (!button) EnumChildWindows(box.Handle, FindFirstButton, reinterpret_cast<LPARAM>(&button));
  if (button) return PostMessageW(button, BM_CLICK, 0, 0) != FALSE;
  return PostMessageW(box.Handle, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0) != FALSE;
}

std::vector<DWORD> ProcessIdsByImageName(const std::wstring& imageName) {
  std::vector<DWORD> ids;
  // A snapshot reports failure as INVALID_HANDLE_VALUE, as file handles do.
  UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return ids;
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more; more = Process32NextW(snapshot.Get(), &entry)) {
    if (_wcsicmp(entry.szExeFile, imageName.c_str()) == 0) ids.push_back(entry.th32ProcessID);
  }
  return ids;
}

bool WaitForProcessesToEnd(const std::vector<DWORD>& ids, DWORD timeoutMs, std::vector<DWORD>* exitCodes) {
  std::vector<UniqueHandle> processes;
  for (DWORD id : ids) {
    UniqueHandle process(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
    if (!process) return false;
    processes.push_back(std::move(process));
  }
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  if (exitCodes) exitCodes->clear();
  for (const UniqueHandle& process : processes) {
    const ULONGLONG now = GetTickCount64();
    const DWORD remaining = now < deadline ? static_cast<DWORD>(deadline - now) : 0;
    if (WaitForSingleObject(process.Get(), remaining) != WAIT_OBJECT_0) return false;
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(process.Get(), &exitCode)) return false;
    if (exitCodes) exitCodes->push_back(exitCode);
  }
  return true;
}

}  // namespace kavadesk::test
