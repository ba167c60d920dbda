// Stands in for the Kavadesk application: it records its run and shows a
// small window until the window is closed. Without a display it keeps running
// all the same, so that a test can always end it with taskkill.
#include <windows.h>

#include "standin_record.h"

namespace {

const wchar_t kClassName[] = L"KavadeskStandInApp";
const wchar_t kTitle[] = L"Kavadesk (test stand-in)";
const wchar_t kText[] = L"Kavadesk stand-in application";
constexpr int kWidth = 400;
constexpr int kHeight = 200;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      ::CreateWindowExW(0, L"STATIC", kText, WS_CHILD | WS_VISIBLE | SS_CENTER, 20, 60, kWidth - 60, 24, window,
                        nullptr, create->hInstance, nullptr);
      return 0;
    }
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      return ::DefWindowProcW(window, message, wParam, lParam);
  }
}

HWND CreateMainWindow(HINSTANCE instance) {
  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  if (!::RegisterClassExW(&windowClass)) return nullptr;
  return ::CreateWindowExW(0, kClassName, kTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, kWidth,
                           kHeight, nullptr, nullptr, instance, nullptr);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  kavadesk::test::AppendStandInRecord();
  const HWND window = CreateMainWindow(instance);
  if (window == nullptr) {
    for (;;) ::Sleep(INFINITE);
  }
  ::ShowWindow(window, showCommand);
  ::UpdateWindow(window);
  MSG message = {};
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return 0;
}
