// A console front end of the UI driver for shell scripts: one subcommand per
// call, one result per line in UTF-8, exit code 0 on success, 1 on failure
// and 2 on wrong usage.
#include <windows.h>

#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include "ui_driver.h"

namespace {

using namespace kavadesk::test;

constexpr int kSuccess = 0;
constexpr int kFailure = 1;
constexpr int kUsage = 2;

constexpr wchar_t kUsageText[] =
    L"usage: ui_driver wait-window CLASS MS\n"
    L"       ui_driver controls CLASS\n"
    L"       ui_driver click CLASS CONTROLCLASS TEXT\n"
    L"       ui_driver select-language CLASS NAME\n"
    L"       ui_driver progress CLASS\n"
    L"       ui_driver boxes [PID...]\n"
    L"       ui_driver wait-box MS [PID...]\n"
    L"       ui_driver press-ok-all [PID...]\n"
    L"       ui_driver wait-exit IMAGE MS\n";

void WriteUtf8(HANDLE stream, const std::wstring& text) {
  if (text.empty()) return;
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                       nullptr);
  std::string bytes(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
  DWORD written = 0;
  WriteFile(stream, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void PrintLine(const std::wstring& line) { WriteUtf8(GetStdHandle(STD_OUTPUT_HANDLE), line + L"\n"); }

int Usage() {
  WriteUtf8(GetStdHandle(STD_ERROR_HANDLE), kUsageText);
  return kUsage;
}

int Fail(const std::wstring& reason) {
  WriteUtf8(GetStdHandle(STD_ERROR_HANDLE), L"ui_driver: " + reason + L"\n");
  return kFailure;
}

// Keeps one field on one line and its separators unambiguous.
std::wstring Escaped(const std::wstring& text) {
  std::wstring out;
  for (wchar_t c : text) {
    switch (c) {
      case L'\\': out += L"\\\\"; break;
      case L'|': out += L"\\|"; break;
      case L'\r': out += L"\\r"; break;
      case L'\n': out += L"\\n"; break;
      default: out += c;
    }
  }
  return out;
}

bool ParseNumber(const wchar_t* text, DWORD* value) {
  wchar_t* end = nullptr;
  const unsigned long parsed = std::wcstoul(text, &end, 10);
  if (end == text || *end != L'\0') return false;
  *value = parsed;
  return true;
}

bool ParseIds(int argc, wchar_t** argv, int first, std::vector<DWORD>* ids) {
  for (int i = first; i < argc; ++i) {
    DWORD id = 0;
    if (!ParseNumber(argv[i], &id)) return false;
    ids->push_back(id);
  }
  return true;
}

HWND TopWindow(const std::wstring& className) { return WaitForWindow(className, 0); }

int WaitWindowCommand(const std::wstring& className, DWORD timeoutMs) {
  HWND window = WaitForWindow(className, timeoutMs);
  if (!window) return Fail(L"no visible window of class " + className);
  PrintLine(std::to_wstring(reinterpret_cast<UINT_PTR>(window)));
  return kSuccess;
}

int ControlsCommand(const std::wstring& className) {
  HWND window = TopWindow(className);
  if (!window) return Fail(L"no visible window of class " + className);
  for (const ControlInfo& control : ListControls(window)) {
    const RECT& r = control.Rect;
    PrintLine(Escaped(control.ClassName) + L"|" + Escaped(control.Text) + L"|" + (control.Visible ? L"1" : L"0") +
              L"|" + (control.Enabled ? L"1" : L"0") + L"|" + std::to_wstring(r.left) + L"," +
              std::to_wstring(r.top) + L"," + std::to_wstring(r.right - r.left) + L"," +
              std::to_wstring(r.bottom - r.top) + L"|" + (control.Checked ? L"1" : L"0"));
  }
  return kSuccess;
}

int ClickCommand(const std::wstring& className, const std::wstring& controlClass, const std::wstring& text) {
  HWND window = TopWindow(className);
  if (!window) return Fail(L"no visible window of class " + className);
  HWND control = FindControl(window, controlClass, text);
  if (!control) return Fail(L"no " + controlClass + L" control with text '" + text + L"'");
  if (!Click(control)) return Fail(L"the control cannot be clicked");
  return kSuccess;
}

int SelectLanguageCommand(const std::wstring& className, const std::wstring& name) {
  HWND window = TopWindow(className);
  if (!window) return Fail(L"no visible window of class " + className);
  HWND combo = FindControl(window, L"ComboBox", L"");
  if (!combo) return Fail(L"the window has no combo box");
  if (!SelectComboEntry(combo, name)) return Fail(L"no combo box entry '" + name + L"'");
  PrintLine(std::to_wstring(ComboSelection(combo)));
  return kSuccess;
}

int ProgressCommand(const std::wstring& className) {
  HWND window = TopWindow(className);
  if (!window) return Fail(L"no visible window of class " + className);
  HWND bar = FindControl(window, L"msctls_progress32", L"");
  if (!bar) return Fail(L"the window has no progress bar");
  const int position = ProgressPosition(bar);
  if (position < 0) return Fail(L"the progress bar does not answer");
  PrintLine(std::to_wstring(position));
  return kSuccess;
}

int BoxesCommand(const std::vector<DWORD>& ids) {
  for (const MessageBoxInfo& box : FindMessageBoxes(ids)) PrintLine(Escaped(box.Title) + L"|" + Escaped(box.Text));
  return kSuccess;
}

int WaitBoxCommand(DWORD timeoutMs, const std::vector<DWORD>& ids) {
  const std::optional<MessageBoxInfo> box = WaitForMessageBox(ids, timeoutMs);
  if (!box) return Fail(L"no message box appeared");
  PrintLine(Escaped(box->Title) + L"|" + Escaped(box->Text));
  return kSuccess;
}

int PressOkAllCommand(const std::vector<DWORD>& ids) {
  const std::vector<MessageBoxInfo> boxes = FindMessageBoxes(ids);
  if (boxes.empty()) return Fail(L"no message box");
  int pressed = 0;
  for (const MessageBoxInfo& box : boxes) {
    if (PressOk(box)) ++pressed;
  }
  PrintLine(std::to_wstring(pressed));
  return pressed == static_cast<int>(boxes.size()) ? kSuccess : kFailure;
}

int WaitExitCommand(const std::wstring& imageName, DWORD timeoutMs) {
  std::vector<DWORD> exitCodes;
  if (!WaitForProcessesToEnd(ProcessIdsByImageName(imageName), timeoutMs, &exitCodes)) {
    return Fail(L"a process of " + imageName + L" is still running or cannot be opened");
  }
  for (DWORD code : exitCodes) PrintLine(std::to_wstring(code));
  return kSuccess;
}

int Run(int argc, wchar_t** argv) {
  if (argc < 2) return Usage();
  const std::wstring command = argv[1];
  DWORD number = 0;
  std::vector<DWORD> ids;
  if (command == L"wait-window" && argc == 4 && ParseNumber(argv[3], &number)) return WaitWindowCommand(argv[2], number);
  if (command == L"controls" && argc == 3) return ControlsCommand(argv[2]);
  if (command == L"click" && argc == 5) return ClickCommand(argv[2], argv[3], argv[4]);
  if (command == L"select-language" && argc == 4) return SelectLanguageCommand(argv[2], argv[3]);
  if (command == L"progress" && argc == 3) return ProgressCommand(argv[2]);
  if (command == L"boxes" && ParseIds(argc, argv, 2, &ids)) return BoxesCommand(ids);
  if (command == L"wait-box" && argc >= 3 && ParseNumber(argv[2], &number) && ParseIds(argc, argv, 3, &ids)) {
    return WaitBoxCommand(number, ids);
  }
  if (command == L"press-ok-all" && ParseIds(argc, argv, 2, &ids)) return PressOkAllCommand(ids);
  if (command == L"wait-exit" && argc == 4 && ParseNumber(argv[3], &number)) return WaitExitCommand(argv[2], number);
  return Usage();
}

}  // namespace

int wmain(int argc, wchar_t** argv) { return Run(argc, argv); }
