// Owner of memory that a shell or COM call allocated with CoTaskMemAlloc.
#pragma once

#include <objbase.h>

#include "base/unique_handle.h"

namespace kavadesk {

struct CoTaskMemTraits {
  using Handle = PWSTR;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { ::CoTaskMemFree(h); }
};

using UniqueCoTaskString = UniqueAny<CoTaskMemTraits>;

}  // namespace kavadesk
