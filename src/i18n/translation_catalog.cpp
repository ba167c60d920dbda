#include "i18n/translation_catalog.h"

#include <new>

#include "base/string_ops.h"
#include "i18n/language_file.h"

namespace kavadesk {

TranslationCatalog& Catalog() {
  static TranslationCatalog catalog;
  return catalog;
}

void TranslationCatalog::LoadLanguageFiles() {
  for (int id = kFirstLanguageResourceId; id <= kLastLanguageResourceId; ++id) {
    ParseLanguageFile(ReadLanguageResource(id));
  }
}

void TranslationCatalog::ParseLanguageFile(const std::wstring& text) {
  LanguageFile file = ParseLanguageText(text);
  if (file.Registered) {
    displayNameByCode_[file.Code] = file.DisplayName;
    codeByDisplayName_[file.DisplayName] = file.Code;
  }
  tablesByCode_[file.Code] = std::move(file.Table);
}

void TranslationCatalog::SetLanguage(const std::wstring& code) { currentLanguage_ = code; }

std::wstring TranslationCatalog::CurrentLanguage() const { return currentLanguage_; }

std::wstring TranslationCatalog::GetText(const std::wstring& key) const { return FormatText(key, {}); }

std::wstring TranslationCatalog::FormatText(const std::wstring& key,
                                            const std::vector<std::wstring>& arguments) const {
  std::wstring text;
  try {
    const auto table = tablesByCode_.find(currentLanguage_);
    if (table != tablesByCode_.end()) {
      const auto entry = table->second.find(key);
      if (entry != table->second.end()) text = entry->second;
    }
    if (arguments.empty()) return text;
    text = ReplaceAll(std::move(text), L"\\n", L"\n");
    for (std::size_t i = 0; i < arguments.size(); ++i) {
      text = ReplaceAll(std::move(text), L"%" + std::to_wstring(i + 1), arguments[i]);
    }
    return text;
  } catch (const std::bad_alloc&) {
    // Out of memory: the key is the best text there is.
    return key;
  }
}

std::wstring TranslationCatalog::DisplayNameOf(const std::wstring& code) const {
  const auto found = displayNameByCode_.find(code);
  return found == displayNameByCode_.end() ? std::wstring() : found->second;
}

std::wstring TranslationCatalog::CodeOf(const std::wstring& displayName) const {
  const auto found = codeByDisplayName_.find(displayName);
  return found == codeByDisplayName_.end() ? std::wstring() : found->second;
}

std::vector<std::wstring> TranslationCatalog::DisplayNames() const {
  std::vector<std::wstring> names;
  for (const auto& [code, name] : displayNameByCode_) names.push_back(name);
  return names;
}

}  // namespace kavadesk
