#include "i18n/language_file.h"

#include <gtest/gtest.h>

#include <string>

#include "base/utf8.h"
#include "i18n/translation_catalog.h"

namespace kavadesk {
namespace {

std::wstring Decode(const std::string& bytes) { return DecodeUtf8(bytes.data(), bytes.size()); }

// A small file in the shipped layout: tabs, CR LF, one missing comma.
const char kSample[] =
    "\xEF\xBB\xBF{\r\n"
    "\tlanguage: \"xx-XX\",\r\n"
    "\tdisplayName: \"Sample\",\r\n"
    "\ttranslations: {\r\n"
    "\t\tIDS_OK: \"OK\",\r\n"
    "\t\toptions_select_language: \"Pick one\"\r\n"
    "\t\tssl_error: \"SSL handshake failed (0x2F0D): %1\",\r\n"
    "\t\tIDS_CANCEL: \"Cancel \",\r\n"
    "\t\tdup: \"first\",\r\n"
    "\t\tdup: \"second\",\r\n"
    "\t\tlanguage: \"inside the table\",\r\n"
    "\t}\r\n"
    "}\r\n";

TEST(LanguageFileTest, ParsesTheShippedLayout) {
  const LanguageFile file = ParseLanguageText(Decode(kSample));
  EXPECT_EQ(file.Code, L"xx-XX");
  EXPECT_EQ(file.DisplayName, L"Sample");
  EXPECT_TRUE(file.Registered);
  const std::pair<const wchar_t*, const wchar_t*> expected[] = {
      {L"IDS_OK", L"OK"},
      {L"options_select_language", L"Pick one"},
      {L"ssl_error", L"SSL handshake failed (0x2F0D): %1"},
      {L"IDS_CANCEL", L"Cancel"},
      {L"dup", L"second"},
      {L"language", L"inside the table"},
      // Closing braces are entries too, carriage return and all.
      {L"}\r", L"}\r"},
  };
  for (const auto& [key, text] : expected) {
    ASSERT_EQ(file.Table.count(key), 1u) << testing::PrintToString(std::wstring(key));
    EXPECT_EQ(file.Table.at(key), text);
  }
  EXPECT_EQ(file.Table.size(), std::size(expected));
}

TEST(LanguageFileTest, BlankIndentationIsTrimmed) {
  const LanguageFile file = ParseLanguageText(Decode(
      "{\r\n  language: \"pt-PT\",\r\n  displayName: \"Portugu\xC3\xAAs\",\r\n  translations: {\r\n"
      "    admin_title: \"Requer administrador\",\r\n  }\r\n}\r\n"));
  EXPECT_EQ(file.DisplayName, L"Portugu\u00EAs");
  EXPECT_EQ(file.Table.at(L"admin_title"), L"Requer administrador");
}

TEST(LanguageFileTest, LineLengthLimit) {
  const std::string head = "{\n\tlanguage: \"xx\",\n\tdisplayName: \"X\",\n\ttranslations: {\n";
  // "k: \"" + text + "\"" is 5 code units more than the text.
  const std::string at999 = "k: \"" + std::string(994, 'a') + "\"\n";
  const std::string at1000 = "m: \"" + std::string(995, 'b') + "\"\n";
  const LanguageFile file = ParseLanguageText(Decode(head + "a: \"1\"\n" + at999 + at1000 + "z: \"after\"\n"));
  EXPECT_EQ(file.Table.at(L"a"), L"1");
  EXPECT_EQ(file.Table.at(L"k").size(), 994u);
  EXPECT_EQ(file.Table.count(L"m"), 0u);
  EXPECT_EQ(file.Table.count(L"z"), 0u);
}

TEST(LanguageFileTest, OddInputIsReadWithoutFailing) {
  struct Row {
    std::string bytes;
    bool registered;
    const wchar_t* key;   // an entry to look for, or null
    const wchar_t* text;
  };
  const Row rows[] = {
      // No "translations:" line: nothing registered, no entries.
      {"{\n\tlanguage: \"yy\",\n\tdisplayName: \"Y\",\n\tfoo: \"bar\"\n}\n", false, nullptr, nullptr},
      // Empty key and blank text are stored as empty texts.
      {"translations:\n: \"x\"\nk: \"   \"\n", true, L"k", L""},
      {"translations:\n: \"x\"\n", true, L"", L"x"},
      // Text after the last line feed is a last line.
      {"translations:\nk: \"v\"", true, L"k", L"v"},
      // A line without quotes yields the whole line as its text.
      {"translations:\nword\n", true, L"word", L"word"},
      // Invalid UTF-8 becomes U+FFFD and the rest is read.
      {"translations:\nk: \"a\xFF" "b\xC3\"\nn: \"ok\"\n", true, L"k", L"a\uFFFDb\uFFFD"},
  };
  for (const Row& r : rows) {
    const LanguageFile file = ParseLanguageText(Decode(r.bytes));
    SCOPED_TRACE(r.bytes);
    EXPECT_EQ(file.Registered, r.registered);
    if (r.key) {
      ASSERT_EQ(file.Table.count(r.key), 1u);
      EXPECT_EQ(file.Table.at(r.key), r.text);
    } else {
      EXPECT_TRUE(file.Table.empty());
    }
  }
}

TEST(Utf8Test, DecodesAndReplacesBadSequences) {
  const std::pair<std::string, std::wstring> rows[] = {
      {"plain", L"plain"},
      {"\xEF\xBB\xBF{", L"\uFEFF{"},
      {"\xC4\x8C\x65\xC5\xA1tina", L"\u010Ce\u0161tina"},
      {"\xE6\x97\xA5\xE6\x9C\xAC", L"\u65E5\u672C"},
      {"\xF0\x9F\x98\x80", L"\xD83D\xDE00"},
      {"a\x80z", L"a\uFFFDz"},
      {"\xC0\xAF", L"\uFFFD\uFFFD"},          // overlong lead bytes are invalid on their own
      {"\xE0\x80\x80", L"\uFFFD"},            // overlong three-byte form
      {"\xED\xA0\x80", L"\uFFFD"},            // an encoded surrogate
      {"\xE6\x97", L"\uFFFD"},                // cut off at the end
      {"\xE6\x97z", L"\uFFFDz"},              // cut off before an ASCII byte
      {"\xF5\x80\x80\x80", L"\uFFFD\uFFFD\uFFFD\uFFFD"},
  };
  for (const auto& [bytes, expected] : rows) {
    EXPECT_EQ(DecodeUtf8(bytes.data(), bytes.size()), expected) << testing::PrintToString(bytes);
  }
}

TEST(LanguageFileTest, MissingResourceGivesEmptyText) {
  EXPECT_EQ(ReadLanguageResource(999), L"");
  TranslationCatalog catalog;
  catalog.ParseLanguageFile(ReadLanguageResource(999));
  EXPECT_TRUE(catalog.DisplayNames().empty());
}

}  // namespace
}  // namespace kavadesk
