#include "base/string_ops.h"

namespace kavadesk {

std::wstring QuotedText(const std::wstring& line) {
  const auto open = line.find(L'"');
  const std::size_t start = open == std::wstring::npos ? 0 : open + 1;
  const auto close = line.find(L'"', start);
  return line.substr(start, close == std::wstring::npos ? std::wstring::npos : close - start);
}

std::wstring TrimSpaces(const std::wstring& text) {
  const auto first = text.find_first_not_of(L' ');
  if (first == std::wstring::npos) return std::wstring();
  return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

std::wstring ReplaceAll(std::wstring text, const std::wstring& from, const std::wstring& to) {
  if (from.empty()) return text;
  for (auto at = text.find(from); at != std::wstring::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

std::vector<std::wstring> SplitString(const std::wstring& text, wchar_t separator) {
  std::vector<std::wstring> pieces;
  std::size_t start = 0;
  while (start < text.size()) {
    const auto end = text.find(separator, start);
    if (end == std::wstring::npos) {
      pieces.push_back(text.substr(start));
      break;
    }
    pieces.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return pieces;
}

}  // namespace kavadesk
