// Keeping the window alive while a run screen waits for its worker.
#pragma once

#include <windows.h>

namespace kavadesk {

// Dispatches every message that is waiting, for any window of the thread.
void PumpPendingMessages();

// Pumps messages until at least `milliseconds` have passed (a busy wait that
// keeps the window responsive; no timer is used).
void WaitWithMessagePump(DWORD milliseconds);

}  // namespace kavadesk
