// Bounded random inputs for the parsers that read what the installer does
// not control: language files (from the resources), version texts and the
// update manifest (from the server). Fixed seeds, so a failure repeats.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "i18n/language_file.h"
#include "i18n/translation_catalog.h"
#include "net/server_version.h"
#include "net/version_string.h"

namespace kavadesk {
namespace {

constexpr int kRounds = 4000;

// Text built from pieces that the parsers look for, mixed with noise, so that
// the generated inputs reach their branches rather than only the first test.
class Generator {
 public:
  explicit Generator(unsigned seed) : engine_(seed) {}

  std::wstring Text(const std::vector<std::wstring>& pieces, std::size_t maxParts) {
    std::wstring text;
    const std::size_t parts = Below(maxParts + 1);
    for (std::size_t i = 0; i < parts; ++i) {
      if (Below(3) == 0) {
        text += static_cast<wchar_t>(Below(0x10000));  // any unit, surrogates included
      } else {
        text += pieces[Below(pieces.size())];
      }
    }
    return text;
  }

  std::size_t Below(std::size_t bound) { return std::uniform_int_distribution<std::size_t>(0, bound - 1)(engine_); }

 private:
  std::mt19937 engine_;
};

TEST(RandomInputTest, LanguageFileParserAndCatalogue) {
  Generator generator(20261211);
  const std::vector<std::wstring> pieces = {
      L"translations:", L"language:", L"code:", L"name:", L"\"", L"\\\"", L"\\n", L":", L",", L"{", L"}", L"\t",
      L"\n", L"\r\n", L" ", L"IDS_INSTALL", L"en-US", L"Deutsch", L"%1", L"%2", L"\\", L"#", L"//", L"\xFEFF"};
  for (int round = 0; round < kRounds; ++round) {
    const std::wstring text = generator.Text(pieces, 40);
    const LanguageFile file = ParseLanguageText(text);
    TranslationCatalog catalog;
    catalog.ParseLanguageFile(text);
    catalog.SetLanguage(file.Code);
    for (const auto& entry : file.Table) {
      // Every key reads back, and filling never loops on its own output.
      catalog.FormatText(entry.first, {L"%1", L"%2%1"});
    }
  }
}

TEST(RandomInputTest, VersionCompareStaysConsistent) {
  Generator generator(7);
  const std::vector<std::wstring> pieces = {L"0", L"1", L"9", L"10", L"007", L".", L"..", L"4294967296", L"-1",
                                            L"a", L" ", L"99999999999999999999"};
  for (int round = 0; round < kRounds; ++round) {
    const VersionString a(generator.Text(pieces, 8));
    const VersionString b(generator.Text(pieces, 8));
    SCOPED_TRACE(testing::PrintToString(a.Get() + L" | " + b.Get()));
    const int forward = a.Compare(b);
    ASSERT_TRUE(forward == -1 || forward == 0 || forward == 1);
    ASSERT_EQ(forward == 0, a.Get() == b.Get());
    ASSERT_EQ(a.Compare(a), 0);
    // Equal components with as many on each side make both sides greater;
    // a smaller side is always the greater one seen from the other.
    if (forward == -1) {
      ASSERT_EQ(b.Compare(a), 1);
    }
  }
}

TEST(RandomInputTest, ManifestVersionIsTheTextBetweenTheTags) {
  Generator generator(99);
  const std::vector<std::wstring> pieces = {L"<version>", L"</version>", L"<Version>", L"<version", L"version>",
                                            L"<", L">", L"/", L"5.1.0", L"\r\n", L"<?xml?>", L"<updater>"};
  for (int round = 0; round < kRounds; ++round) {
    const std::wstring manifest = generator.Text(pieces, 16);
    SCOPED_TRACE(testing::PrintToString(manifest));
    const std::optional<std::wstring> version = ManifestVersion(manifest);
    const std::size_t open = manifest.find(L"<version>");
    const std::size_t close = open == std::wstring::npos ? open : manifest.find(L"</version>", open + 9);
    if (close == std::wstring::npos) {
      ASSERT_FALSE(version.has_value());
    } else {
      ASSERT_TRUE(version.has_value());
      ASSERT_EQ(*version, manifest.substr(open + 9, close - open - 9));
    }
  }
}

}  // namespace
}  // namespace kavadesk
