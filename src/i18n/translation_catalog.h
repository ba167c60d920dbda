// The installer's texts in every language, the language in use, and the
// placeholder filling. One process-wide instance, filled once at start-up.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace kavadesk {

class TranslationCatalog {
 public:
  using Table = std::map<std::wstring, std::wstring>;

  // Reads the seventeen embedded language files, in id order.
  void LoadLanguageFiles();

  // Parses one decoded language file and merges it: its table replaces any
  // earlier one of the same code, and its code and display name are
  // registered when the file has a "translations:" line.
  void ParseLanguageFile(const std::wstring& text);

  // Uses this code from now on; not checked against the loaded files.
  void SetLanguage(const std::wstring& code);
  std::wstring CurrentLanguage() const;

  // The text for the key in the current language; empty when missing.
  std::wstring GetText(const std::wstring& key) const;

  // The text with %1, %2, ... replaced by the arguments in turn, after "\n"
  // (backslash, n) has become a line break; with no arguments, GetText.
  std::wstring FormatText(const std::wstring& key, const std::vector<std::wstring>& arguments) const;

  // The registered display name of a code, or the code of a display name;
  // empty when none is registered.
  std::wstring DisplayNameOf(const std::wstring& code) const;
  std::wstring CodeOf(const std::wstring& displayName) const;

  // Every registered display name, in the order of their codes.
  std::vector<std::wstring> DisplayNames() const;

 private:
  std::wstring currentLanguage_;
  std::map<std::wstring, Table> tablesByCode_;
  std::map<std::wstring, std::wstring> displayNameByCode_;
  std::map<std::wstring, std::wstring> codeByDisplayName_;
};

// The process-wide catalogue.
TranslationCatalog& Catalog();

}  // namespace kavadesk
