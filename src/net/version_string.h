// A dotted version number held as text, compared component by component.
#pragma once

#include <string>

namespace kavadesk {

class VersionString {
 public:
  VersionString() = default;
  explicit VersionString(std::wstring text) : text_(std::move(text)) {}

  void Set(std::wstring text) { text_ = std::move(text); }
  std::wstring Get() const { return text_; }
  bool IsEmpty() const { return text_.empty(); }

  // -1, 0 or 1, this being the left side. 0 only for identical texts;
  // unreadable components count as 0; when all common components are equal,
  // the side with fewer components is the smaller and otherwise this side is
  // the greater (so 1.01 and 1.1 each compare greater than the other).
  int Compare(const VersionString& other) const;

 private:
  std::wstring text_;
};

// A component as a signed decimal number: leading white space skipped, an
// optional sign, digits up to the first other character. 0 when the piece
// does not start with a number or the number leaves the 32-bit range.
int VersionComponentValue(const std::wstring& piece);

}  // namespace kavadesk
