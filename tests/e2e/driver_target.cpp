// A small window for the UI driver's own test: a button that opens a message
// box and then ends the program, a notifying label, a combo box whose choice
// the label shows, and a progress bar at 40.
#include <windows.h>

#include <commctrl.h>

namespace {

constexpr wchar_t kClassName[] = L"DriverTargetWindow";
constexpr int kGoId = 101;
constexpr int kLabelId = 102;
constexpr int kComboId = 103;
constexpr int kProgressId = 104;
constexpr int kProgressPosition = 40;
constexpr const wchar_t* kEntries[] = {L"English", L"Deutsch", L"\u65E5\u672C\u8A9E"};

HWND label = nullptr;

void CreateControls(HWND window) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  const auto id = [](int value) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(value)); };
  CreateWindowExW(0, L"Button", L"Go", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 10, 10, 80, 26, window,
                  id(kGoId), instance, nullptr);
  label = CreateWindowExW(0, L"Static", L"Link", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 100, 14, 120, 20, window,
                          id(kLabelId), instance, nullptr);
  HWND combo = CreateWindowExW(0, L"ComboBox", L"",
                               WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS,
                               10, 50, 160, 120, window, id(kComboId), instance, nullptr);
  for (const wchar_t* entry : kEntries) SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
  SendMessageW(combo, CB_SETCURSEL, 0, 0);
  HWND bar = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, 10, 90, 200, 18, window,
                             id(kProgressId), instance, nullptr);
  SendMessageW(bar, PBM_SETRANGE32, 0, 100);
  SendMessageW(bar, PBM_SETPOS, kProgressPosition, 0);
}

void OnCommand(HWND window, int controlId, int code, HWND control) {
  if (controlId == kGoId && code == BN_CLICKED) {
    MessageBoxW(nullptr, L"Pressed", L"Target", MB_OK);
    DestroyWindow(window);
  } else if (controlId == kLabelId && code == STN_CLICKED) {
    SetWindowTextW(window, L"Clicked");
  } else if (controlId == kComboId && code == CBN_SELCHANGE) {
    const LRESULT selection = SendMessageW(control, CB_GETCURSEL, 0, 0);
    wchar_t text[64] = {};
    if (selection != CB_ERR && SendMessageW(control, CB_GETLBTEXTLEN, selection, 0) < 64) {
      SendMessageW(control, CB_GETLBTEXT, selection, reinterpret_cast<LPARAM>(text));
      SetWindowTextW(label, text);
    }
  }
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      CreateControls(window);
      return 0;
    case WM_COMMAND:
      OnCommand(window, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  if (!RegisterClassW(&windowClass)) return 1;
  HWND window = CreateWindowExW(0, kClassName, L"Driver target", WS_OVERLAPPEDWINDOW, 50, 50, 320, 180, nullptr,
                                nullptr, instance, nullptr);
  if (!window) return 1;
  ShowWindow(window, SW_SHOW);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
