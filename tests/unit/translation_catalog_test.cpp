#include "i18n/translation_catalog.h"

#include <gtest/gtest.h>

#include "i18n/error_box.h"
#include "support/error_box_capture.h"

namespace kavadesk {
namespace {

TranslationCatalog SampleCatalog() {
  TranslationCatalog c;
  c.ParseLanguageFile(
      L"{\r\n\tlanguage: \"en-US\",\r\n\tdisplayName: \"English\",\r\n\ttranslations: {\r\n"
      L"\t\tIDS_OK: \"OK\",\r\n"
      L"\t\terror_generic: \"Error code %1 downloading file %2\",\r\n"
      L"\t\tIDS_TITLE_UNINSTALL: \"Welcome to the %1 Installer. The Installer will remove %1 software.\",\r\n"
      L"\t\tIDS_NEWER: \"%3 version %1 is installed; install %2.\",\r\n"
      L"\t\tlines: \"one\\ntwo %1\",\r\n"
      L"\t\tpercent: \"100% of %1, %9 left\",\r\n"
      L"\t\tIDS_TITLE_ERROR: \"Error\",\r\n"
      L"\t}\r\n}\r\n");
  c.ParseLanguageFile(
      L"{\r\n\tlanguage: \"de-DE\",\r\n\tdisplayName: \"Deutsch\",\r\n\ttranslations: {\r\n"
      L"\t\tIDS_OK: \"OK\",\r\n\t\tIDS_TITLE_ERROR: \"Fehler\",\r\n\t}\r\n}\r\n");
  return c;
}

TEST(TranslationCatalogTest, FormatTextTable) {
  TranslationCatalog c = SampleCatalog();
  c.SetLanguage(L"en-US");
  struct Row {
    const wchar_t* key;
    std::vector<std::wstring> arguments;
    const wchar_t* expected;
  };
  const Row rows[] = {
      {L"IDS_OK", {}, L"OK"},
      {L"error_generic", {L"404", L"Kavadesk.zip"}, L"Error code 404 downloading file Kavadesk.zip"},
      {L"error_generic", {}, L"Error code %1 downloading file %2"},
      {L"IDS_TITLE_UNINSTALL", {L"Kavadesk"},
       L"Welcome to the Kavadesk Installer. The Installer will remove Kavadesk software."},
      {L"IDS_NEWER", {L"2.0", L"1.0"}, L"%3 version 2.0 is installed; install 1.0."},
      {L"IDS_NEWER", {L"2.0", L"1.0", L"Kavadesk"}, L"Kavadesk version 2.0 is installed; install 1.0."},
      // Backslash-n becomes a line break only when arguments are passed, and
      // never inside an argument.
      {L"lines", {}, L"one\\ntwo %1"},
      {L"lines", {L"a\\nb"}, L"one\ntwo a\\nb"},
      // An argument bringing in %1 is not expanded again; one bringing in %2
      // is filled by the next pass.
      {L"error_generic", {L"%1", L"f"}, L"Error code %1 downloading file f"},
      {L"error_generic", {L"%2", L"f"}, L"Error code f downloading file f"},
      {L"percent", {L"x"}, L"100% of x, %9 left"},
      {L"missing_key", {L"x"}, L""},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(c.FormatText(r.key, r.arguments), r.expected) << testing::PrintToString(std::wstring(r.key));
  }
}

TEST(TranslationCatalogTest, LanguagesAndLookups) {
  TranslationCatalog c = SampleCatalog();
  EXPECT_EQ(c.GetText(L"IDS_OK"), L"") << "no language set yet";
  c.SetLanguage(L"de-DE");
  EXPECT_EQ(c.CurrentLanguage(), L"de-DE");
  EXPECT_EQ(c.GetText(L"IDS_TITLE_ERROR"), L"Fehler");
  c.SetLanguage(L"fr-FR");
  EXPECT_EQ(c.GetText(L"IDS_OK"), L"") << "a code without a file gives empty texts";

  EXPECT_EQ(c.DisplayNameOf(L"en-US"), L"English");
  EXPECT_EQ(c.DisplayNameOf(L"en-GB"), L"");
  EXPECT_EQ(c.CodeOf(L"Deutsch"), L"de-DE");
  EXPECT_EQ(c.CodeOf(L"Klingon"), L"");
  EXPECT_EQ(c.DisplayNames(), (std::vector<std::wstring>{L"Deutsch", L"English"}));
}

TEST(TranslationCatalogTest, ReloadedCodeReplacesTableAndName) {
  TranslationCatalog c = SampleCatalog();
  c.ParseLanguageFile(L"language: \"de-DE\"\ndisplayName: \"German\"\ntranslations:\nIDS_OK: \"Gut\"\n");
  c.SetLanguage(L"de-DE");
  EXPECT_EQ(c.GetText(L"IDS_OK"), L"Gut");
  EXPECT_EQ(c.GetText(L"IDS_TITLE_ERROR"), L"");
  EXPECT_EQ(c.DisplayNameOf(L"de-DE"), L"German");
  EXPECT_EQ(c.CodeOf(L"Deutsch"), L"de-DE") << "the earlier name still maps to the code";
}

TEST(ErrorBoxTest, TitleFromTheCatalogAndCodeSuffixes) {
  Catalog().ParseLanguageFile(L"language: \"de-DE\"\ndisplayName: \"Deutsch\"\ntranslations:\n"
                              L"IDS_TITLE_ERROR: \"Fehler\"\nadmin_title: \"Administrator erforderlich\"\n");
  Catalog().SetLanguage(L"de-DE");
  const test::ErrorBoxCapture capture;
  ShowErrorBox(L"Ordner" + ErrorCodeSuffix(-5));
  ShowErrorBox(L"Kopie" + CopyErrorCodeSuffix(80), L"admin_title");
  const auto& shown = capture.Boxes();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0], std::make_pair(std::wstring(L"Fehler"), std::wstring(L"Ordner(error code: -5)")));
  EXPECT_EQ(shown[1], std::make_pair(std::wstring(L"Administrator erforderlich"), std::wstring(L"Kopie(error code 80)")));
}

}  // namespace
}  // namespace kavadesk
