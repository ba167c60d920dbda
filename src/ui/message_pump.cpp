#include "ui/message_pump.h"

namespace kavadesk {

void PumpPendingMessages() {
  MSG message = {};
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

void WaitWithMessagePump(DWORD milliseconds) {
  PumpPendingMessages();
  const ULONGLONG start = ::GetTickCount64();
  while (::GetTickCount64() - start < milliseconds) {
    PumpPendingMessages();
    // Gives the worker the processor between rounds instead of spinning.
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  }
}

}  // namespace kavadesk
