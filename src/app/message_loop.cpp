#include "app/message_loop.h"

#include "app/resource_ids.h"

namespace kavadesk {

int RunMessageLoop(HINSTANCE instance) {
  // The executable carries no accelerator table, so this handle stays empty
  // and translates nothing; loading it keeps the loop ready for one.
  const HACCEL accelerators = ::LoadAcceleratorsW(instance, MAKEINTRESOURCEW(KAVADESK_WINDOW_CLASS_STRING));
  MSG message = {};
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (!::TranslateAcceleratorW(message.hwnd, accelerators, &message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }
  return static_cast<int>(message.wParam);
}

}  // namespace kavadesk
