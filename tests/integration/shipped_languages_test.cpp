// The seventeen language files as the built installer carries them: their
// byte layout, what the parser makes of them, and the rules every
// translation keeps.
#include <windows.h>

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

#include "base/string_ops.h"
#include "base/unique_handle.h"
#include "base/utf8.h"
#include "i18n/language_file.h"
#include "i18n/translation_catalog.h"
#include "support/test_env.h"

namespace kavadesk {
namespace {

struct Shipped {
  int id;
  const wchar_t* code;
  const wchar_t* displayName;
  const wchar_t* selectLanguage;
  const wchar_t* titleError;
};

const Shipped kShipped[] = {
    {1001, L"cs-CZ", L"\u010Ce\u0161tina", L"Vybrat jazyk", L"Chyba"},
    {1002, L"da-DK", L"Dansk", L"V\u00E6lg sprog", L"Fejl"},
    {1003, L"de-DE", L"Deutsch", L"Sprache ausw\u00E4hlen", L"Fehler"},
    {1004, L"en-US", L"English", L"Select Language:", L"Error"},
    {1005, L"es-ES", L"Espa\u00F1ol", L"Seleccione un idioma", L"Error"},
    {1006, L"fr-FR", L"Fran\u00E7ais", L"S\u00E9lectionner la langue", L"Erreur"},
    {1007, L"it-IT", L"Italiano", L"Seleziona la lingua", L"Errore"},
    {1008, L"ja-JP", L"\u65E5\u672C\u8A9E", L"\u8A00\u8A9E\u306E\u9078\u629E", L"\u30A8\u30E9\u30FC"},
    {1009, L"ko-KR", L"\uD55C\uAD6D\uC5B4", L"\uC5B8\uC5B4 \uC120\uD0DD", L"\uC624\uB958"},
    {1010, L"nl-NL", L"Nederlands", L"Taal selecteren", L"Fout"},
    {1011, L"pl-PL", L"Polski", L"Wybierz j\u0119zyk", L"B\u0142\u0105d"},
    {1012, L"pt-PT", L"Portugu\u00EAs", L"Selecionar idioma", L"Erro"},
    {1013, L"ru-RU", L"P\u0443\u0441\u0441\u043A\u0438\u0439", L"\u0412\u044B\u0431\u0435\u0440\u0438\u0442\u0435 \u044F\u0437\u044B\u043A",
     L"\u041E\u0448\u0438\u0431\u043A\u0430"},
    {1014, L"sv-SE", L"Svenska", L"V\u00E4lj spr\u00E5k", L"Fel"},
    {1015, L"tr-TR", L"T\u00FCrk\u00E7e", L"Dil Se\u00E7", L"Hata"},
    {1016, L"zh-CN", L"\u7B80\u4F53\u4E2D\u6587", L"\u9009\u62E9\u8BED\u8A00", L"\u9519\u8BEF"},
    {1017, L"zh-TW", L"\u7E41\u9AD4\u4E2D\u6587", L"\u9078\u53D6\u8A9E\u8A00", L"\u932F\u8AA4"},
};

class ShippedLanguagesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    installer_ = new UniqueHModule(test::OpenBuiltInstaller());
  }
  static void TearDownTestSuite() { delete installer_; }

  static HMODULE Installer() { return installer_->Get(); }

  static std::string RawBytes(int id) {
    const HRSRC resource = ::FindResourceW(Installer(), MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(kLanguageResourceType));
    if (!resource) return std::string();
    const char* bytes = static_cast<const char*>(::LockResource(::LoadResource(Installer(), resource)));
    return std::string(bytes, ::SizeofResource(Installer(), resource));
  }

  static TranslationCatalog LoadAll() {
    TranslationCatalog catalog;
    for (const Shipped& s : kShipped) catalog.ParseLanguageFile(ReadLanguageResource(s.id, Installer()));
    return catalog;
  }

 private:
  static UniqueHModule* installer_;
};

UniqueHModule* ShippedLanguagesTest::installer_ = nullptr;

std::set<std::wstring> Placeholders(const std::wstring& text) {
  std::set<std::wstring> found;
  const std::wregex placeholder(L"%[0-9]+");
  for (std::wsregex_iterator it(text.begin(), text.end(), placeholder), end; it != end; ++it) found.insert(it->str());
  return found;
}

TEST_F(ShippedLanguagesTest, ByteLayout) {
  ASSERT_TRUE(Installer());
  for (const Shipped& s : kShipped) {
    const std::string bytes = RawBytes(s.id);
    SCOPED_TRACE(testing::PrintToString(std::wstring(s.code)));
    ASSERT_FALSE(bytes.empty());
    const bool bom = bytes.rfind("\xEF\xBB\xBF", 0) == 0;
    EXPECT_EQ(bom, s.id == 1004);
    EXPECT_EQ(bytes.find('\0'), std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.size() - 3), "}\r\n");
    // Every line feed follows a carriage return.
    for (std::size_t at = bytes.find('\n'); at != std::string::npos; at = bytes.find('\n', at + 1)) {
      ASSERT_TRUE(at > 0 && bytes[at - 1] == '\r') << "lone line feed at byte " << at;
    }
    const std::string one = s.id == 1012 ? "  " : "\t";
    const std::string body = bytes.substr(bom ? 3 : 0);
    std::string codeUtf8;
    for (wchar_t c : std::wstring(s.code)) codeUtf8 += static_cast<char>(c);
    EXPECT_EQ(body.rfind("{\r\n" + one + "language: \"" + codeUtf8 + "\",\r\n" + one + "displayName: \"", 0), 0u);
    EXPECT_NE(body.find("\",\r\n" + one + "translations: {\r\n" + one + one), std::string::npos);
    EXPECT_NE(body.find("\r\n" + one + "}\r\n}\r\n"), std::string::npos);
    // Only characters of the Basic Multilingual Plane: no four-byte sequence.
    for (unsigned char c : bytes) EXPECT_LT(c, 0xF0);
  }
}

TEST_F(ShippedLanguagesTest, CatalogueOfAllSeventeen) {
  TranslationCatalog catalog = LoadAll();
  std::vector<std::wstring> expectedNames;
  for (const Shipped& s : kShipped) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(s.code)));
    expectedNames.push_back(s.displayName);
    EXPECT_EQ(catalog.DisplayNameOf(s.code), s.displayName);
    EXPECT_EQ(catalog.CodeOf(s.displayName), s.code);
    catalog.SetLanguage(s.code);
    EXPECT_EQ(catalog.GetText(L"options_select_language"), s.selectLanguage);
    EXPECT_EQ(catalog.GetText(L"IDS_TITLE_ERROR"), s.titleError);
  }
  EXPECT_EQ(catalog.DisplayNames(), expectedNames) << "the list follows the ids";

  catalog.SetLanguage(L"zh-CN");
  EXPECT_EQ(catalog.GetText(L"IDS_CANCEL"), L"\u53D6\u6D88") << "the blank before the quote is trimmed";
  EXPECT_FALSE(catalog.GetText(L"IDS_INCOMPLETE_INSTALL").empty());
  catalog.SetLanguage(L"en-US");
  EXPECT_EQ(catalog.GetText(L"ssl_error"), L"SSL handshake failed (0x2F0D): %1");
  EXPECT_EQ(catalog.FormatText(L"error_generic", {L"404", L"Kavadesk.zip"}),
            L"Error code 404 downloading file Kavadesk.zip");
  EXPECT_EQ(std::wstring(kShipped[12].displayName).front(), L'P') << "ru-RU begins with the Latin P";
}

TEST_F(ShippedLanguagesTest, EveryTranslationKeepsTheRules) {
  const LanguageFile english = ParseLanguageText(ReadLanguageResource(1004, Installer()));
  std::set<std::wstring> keys;
  for (const auto& [key, text] : english.Table) {
    if (key != L"}\r") keys.insert(key);
  }
  ASSERT_EQ(keys.size(), 35u);

  for (const Shipped& s : kShipped) {
    const LanguageFile file = ParseLanguageText(ReadLanguageResource(s.id, Installer()));
    for (const std::wstring& key : keys) {
      SCOPED_TRACE(testing::PrintToString(std::wstring(s.code) + L" " + key));
      ASSERT_EQ(file.Table.count(key), 1u) << "missing key";
      const std::wstring& text = file.Table.at(key);
      const std::wstring& source = english.Table.at(key);
      EXPECT_FALSE(text.empty());
      EXPECT_EQ(Placeholders(text), Placeholders(source));
      for (const wchar_t* brand : {L"Tarvex", L"Obrint", L"Kavadesk"}) {
        if (source.find(brand) != std::wstring::npos) {
          EXPECT_NE(text.find(brand), std::wstring::npos) << brand;
        }
      }
      for (wchar_t c : text) EXPECT_FALSE(c >= 0xD800 && c <= 0xDFFF) << "outside the Basic Multilingual Plane";
      if (key == L"ssl_error") {
        EXPECT_NE(text.find(L"(0x2F0D)"), std::wstring::npos);
      }
    }
    EXPECT_EQ(file.Table.size(), keys.size() + 1) << "35 keys and the closing brace";
    // A double quote inside a text would end it early: each entry line holds
    // exactly the two that enclose its text.
    const std::wstring decoded = ReadLanguageResource(s.id, Installer());
    int entryLines = 0;
    for (const std::wstring& line : SplitString(decoded, L'\n')) {
      const auto colon = line.find(L':');
      if (colon == std::wstring::npos || !keys.count(TrimSpaces(ReplaceAll(line.substr(0, colon), L"\t", L"")))) continue;
      ++entryLines;
      EXPECT_EQ(std::count(line.begin(), line.end(), L'"'), 2) << testing::PrintToString(line);
    }
    EXPECT_EQ(entryLines, 35) << testing::PrintToString(std::wstring(s.code));
  }
}

}  // namespace
}  // namespace kavadesk
