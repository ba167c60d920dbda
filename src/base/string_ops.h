// String operations shared by the language files, the catalogue and the
// version numbers. All work on UTF-16 strings.
#pragma once

#include <string>
#include <vector>

namespace kavadesk {

// The run after the line's first double quote up to the next one (to the end
// when there is none); the whole line when it has no double quote at all.
std::wstring QuotedText(const std::wstring& line);

// Removes leading and trailing blanks (U+0020) only; an all-blank text gives
// the empty text.
std::wstring TrimSpaces(const std::wstring& text);

// Replaces every occurrence of `from`, left to right; the scan resumes after
// the inserted text, so a replacement is never scanned again. An empty `from`
// changes nothing.
std::wstring ReplaceAll(std::wstring text, const std::wstring& from, const std::wstring& to);

// Cuts the text at every separator. Empty pieces are kept, except that a
// separator at the very end adds none; the empty text gives no pieces.
std::vector<std::wstring> SplitString(const std::wstring& text, wchar_t separator);

}  // namespace kavadesk
