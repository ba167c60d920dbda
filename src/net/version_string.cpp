#include "net/version_string.h"

#include <cwchar>
#include <cwctype>
#include <limits>
#include <vector>

#include "base/string_ops.h"

namespace kavadesk {

int VersionComponentValue(const std::wstring& piece) {
  std::size_t i = 0;
  while (i < piece.size() && std::iswspace(piece[i])) ++i;
  bool negative = false;
  if (i < piece.size() && (piece[i] == L'+' || piece[i] == L'-')) negative = piece[i++] == L'-';
  if (i >= piece.size() || piece[i] < L'0' || piece[i] > L'9') return 0;
  long long value = 0;
  for (; i < piece.size() && piece[i] >= L'0' && piece[i] <= L'9'; ++i) {
    value = value * 10 + (piece[i] - L'0');
    if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1) return 0;
  }
  if (negative) value = -value;
  if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) return 0;
  return static_cast<int>(value);
}

int VersionString::Compare(const VersionString& other) const {
  if (text_ == other.text_) return 0;
  const std::vector<std::wstring> left = SplitString(text_, L'.');
  const std::vector<std::wstring> right = SplitString(other.text_, L'.');
  for (std::size_t i = 0; i < left.size() && i < right.size(); ++i) {
    const int a = VersionComponentValue(left[i]);
    const int b = VersionComponentValue(right[i]);
    if (a < b) return -1;
    if (a > b) return 1;
  }
  return left.size() >= right.size() ? 1 : -1;
}

}  // namespace kavadesk
