// Case folding that touches only the letters A to Z, as the command line and
// path comparisons require; every other code unit is left as it is.
#pragma once

#include <string>

namespace kavadesk {

inline std::wstring AsciiLower(std::wstring text) {
  for (wchar_t& c : text) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  }
  return text;
}

}  // namespace kavadesk
