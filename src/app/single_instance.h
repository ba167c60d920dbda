// The guard against a second installer of the same file name.
#pragma once

#include <string>

#include "base/unique_handle.h"

namespace kavadesk {

// Creates (and asks to own) the mutex of that name. Returns the handle, which
// the caller keeps for the life of the process, and sets alreadyRunning when
// another holder of the name exists.
UniqueHandle CreateSingleInstanceMutex(const std::wstring& name, bool& alreadyRunning);

}  // namespace kavadesk
