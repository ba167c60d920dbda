#include "base/utf8.h"

namespace kavadesk {

std::wstring DecodeUtf8(const char* bytes, std::size_t size) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes);
  std::wstring out;
  out.reserve(size);
  std::size_t i = 0;
  while (i < size) {
    const unsigned char lead = p[i];
    if (lead < 0x80) {
      out += static_cast<wchar_t>(lead);
      ++i;
      continue;
    }
    // Length, first value bits and the smallest value that may use the length.
    std::size_t length = 0;
    char32_t value = 0, minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4, value = lead & 0x07, minimum = 0x10000;
    }
    std::size_t taken = 1;
    while (length && taken < length && i + taken < size && (p[i + taken] & 0xC0) == 0x80) {
      value = (value << 6) | (p[i + taken] & 0x3F);
      ++taken;
    }
    const bool complete = length && taken == length;
    if (!complete || value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
      out += L'\xFFFD';
      // A bad lead byte is one error; a cut-off sequence skips what it took.
      i += length ? taken : 1;
      continue;
    }
    if (value >= 0x10000) {
      value -= 0x10000;
      out += static_cast<wchar_t>(0xD800 + (value >> 10));
      out += static_cast<wchar_t>(0xDC00 + (value & 0x3FF));
    } else {
      out += static_cast<wchar_t>(value);
    }
    i += length;
  }
  return out;
}

}  // namespace kavadesk
