// UTF-8 to UTF-16 decoding that never fails.
#pragma once

#include <cstddef>
#include <string>

namespace kavadesk {

// Decodes UTF-8 bytes. Each ill-formed sequence (a stray continuation byte,
// a truncated, overlong or surrogate encoding, a value above U+10FFFF) becomes
// one U+FFFD; characters above U+FFFF become surrogate pairs. A byte-order
// mark is kept as U+FEFF.
std::wstring DecodeUtf8(const char* bytes, std::size_t size);

}  // namespace kavadesk
