// The smallest window program: registers a class, shows one window and runs
// its message loop. The start-up benchmark measures the installer against it.
#include <windows.h>

namespace {

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = Procedure;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = L"MinimalBenchWindow";
  ::RegisterClassExW(&windowClass);
  const HWND window = ::CreateWindowExW(0, L"MinimalBenchWindow", L"Minimal", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0,
                                        490, 357, nullptr, nullptr, instance, nullptr);
  ::ShowWindow(window, showCommand);
  ::UpdateWindow(window);
  MSG message = {};
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return 0;
}
