// Drives and reads the windows of another process from a test: finding
// windows and controls, clicking, choosing combo box entries, reading
// progress bars, closing message boxes and waiting for processes to end.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace kavadesk::test {

// What a child window looks like from outside its process.
struct ControlInfo {
  HWND Handle = nullptr;
  std::wstring ClassName;
  std::wstring Text;
  bool Visible = false;
  bool Enabled = false;
  RECT Rect = {};  // in client coordinates of the parent window
  LONG Style = 0;
  bool Checked = false;  // for check boxes and radio buttons
};

// A message box (a top-level dialog window) and the process that owns it.
struct MessageBoxInfo {
  HWND Handle = nullptr;
  DWORD ProcessId = 0;
  std::wstring Title;
  std::wstring Text;
};

// Polls for a visible top-level window of the class; null when none appears in time.
HWND WaitForWindow(const std::wstring& className, DWORD timeoutMs);

// The window's text, read without blocking on a hung owner; empty on failure.
std::wstring WindowText(HWND window);

// Every descendant control of the window in z-order; empty when there are none.
std::vector<ControlInfo> ListControls(HWND window);

// The first control of the class with exactly this text (any text when it is empty); null when none matches.
HWND FindControl(HWND window, const std::wstring& className, const std::wstring& text);

// Posts a click to a button, or STN_CLICKED to the parent of a notifying label; false for other controls.
bool Click(HWND control);

// The entries of a combo box in their order; empty when it has none or is not a combo box.
std::vector<std::wstring> ComboEntries(HWND combo);

// The index of the selected combo box entry; -1 when none is selected.
int ComboSelection(HWND combo);

// Selects the entry with exactly this text and notifies the parent as a user's choice would; false when no entry matches.
bool SelectComboEntry(HWND combo, const std::wstring& displayName);

// The position of a progress bar; -1 when it does not answer.
int ProgressPosition(HWND bar);

// The visible message boxes of these processes (of any process when the list is empty).
std::vector<MessageBoxInfo> FindMessageBoxes(const std::vector<DWORD>& processIds);

// Polls for a message box of these processes; nullopt when none appears in time.
std::optional<MessageBoxInfo> WaitForMessageBox(const std::vector<DWORD>& processIds, DWORD timeoutMs);

// Presses the box's OK button (or its first button), without waiting; false when the box is gone.
bool PressOk(const MessageBoxInfo& box);

// The ids of running processes with this image file name (compared without case); empty when none runs.
std::vector<DWORD> ProcessIdsByImageName(const std::wstring& imageName);

// Waits until every process has ended and collects their exit codes in order; false on time-out or when a process cannot be opened.
bool WaitForProcessesToEnd(const std::vector<DWORD>& ids, DWORD timeoutMs, std::vector<DWORD>* exitCodes);

}  // namespace kavadesk::test
