#include "i18n/language_file.h"

#include <algorithm>

#include "base/string_ops.h"
#include "base/utf8.h"

namespace kavadesk {

std::wstring ReadLanguageResource(int id, HMODULE module) {
  if (!module) module = ::GetModuleHandleW(nullptr);
  const HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(kLanguageResourceType));
  if (!resource) return std::wstring();
  // Resources of the own module stay mapped for its lifetime; nothing to free.
  const HGLOBAL loaded = ::LoadResource(module, resource);
  const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
  if (!bytes) return std::wstring();
  return DecodeUtf8(static_cast<const char*>(bytes), ::SizeofResource(module, resource));
}

LanguageFile ParseLanguageText(const std::wstring& text) {
  LanguageFile file;
  std::size_t start = 0;
  while (start < text.size()) {
    const auto feed = text.find(L'\n', start);
    const std::size_t end = feed == std::wstring::npos ? text.size() : feed;
    if (end - start > kMaxLanguageLineLength) break;
    std::wstring line = text.substr(start, end - start);
    start = end + 1;

    if (!file.Registered) {
      if (line.find(L"language:") != std::wstring::npos) {
        file.Code = QuotedText(line);
      } else if (line.find(L"displayName") != std::wstring::npos) {
        file.DisplayName = QuotedText(line);
      } else if (line.find(L"translations:") != std::wstring::npos) {
        file.Registered = true;
      }
      continue;
    }
    line.erase(std::remove(line.begin(), line.end(), L'\t'), line.end());
    const auto colon = line.find(L':');
    const std::wstring key = TrimSpaces(colon == std::wstring::npos ? line : line.substr(0, colon));
    file.Table[key] = TrimSpaces(QuotedText(line));
  }
  return file;
}

}  // namespace kavadesk
