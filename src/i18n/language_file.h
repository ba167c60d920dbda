// The embedded language files: resources of type 1000, ids 1001 to 1017,
// UTF-8 text in a small brace-and-quote format read line by line.
#pragma once

#include <windows.h>

#include "app/resource_ids.h"

#include <map>
#include <string>

namespace kavadesk {

inline constexpr int kLanguageResourceType = KAVADESK_LANGUAGE_TYPE;
inline constexpr int kFirstLanguageResourceId = 1001;
inline constexpr int kLastLanguageResourceId = 1017;

// Lines of this many code units or more end the reading of a file.
inline constexpr std::size_t kMaxLanguageLineLength = 999;

// What one file yields.
struct LanguageFile {
  std::wstring Code;
  std::wstring DisplayName;
  bool Registered = false;  // a "translations:" line was seen
  std::map<std::wstring, std::wstring> Table;
};

// The resource of type 1000 with that id in the module (the running
// executable by default), decoded from UTF-8; empty when there is none.
std::wstring ReadLanguageResource(int id, HMODULE module = nullptr);

// Parses a decoded file. Never fails: what cannot be read is left out.
LanguageFile ParseLanguageText(const std::wstring& text);

}  // namespace kavadesk
