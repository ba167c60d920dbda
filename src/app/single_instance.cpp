#include "app/single_instance.h"

#include <windows.h>

namespace kavadesk {

UniqueHandle CreateSingleInstanceMutex(const std::wstring& name, bool& alreadyRunning) {
  UniqueHandle mutex(::CreateMutexW(nullptr, TRUE, name.c_str()));
  alreadyRunning = ::GetLastError() == ERROR_ALREADY_EXISTS;
  return mutex;
}

}  // namespace kavadesk
