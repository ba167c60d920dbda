#include "net/version_string.h"

#include <gtest/gtest.h>

#include "base/string_ops.h"

namespace kavadesk {
namespace {

TEST(VersionStringTest, CompareTable) {
  struct Row {
    const wchar_t* left;
    const wchar_t* right;
    int expected;
  };
  const Row rows[] = {
      {L"5.1.2.1", L"5.1.2.1", 0},
      {L"", L"", 0},
      {L"5.1.10", L"5.1.9", 1},
      {L"5.1.9", L"5.1.10", -1},
      {L"5.1", L"5.1.0", -1},
      {L"5.1.0", L"5.1", 1},
      {L"1.01", L"1.1", 1},
      {L"1.1", L"1.01", 1},
      {L"5.x", L"5.0", 1},
      {L"", L"5", -1},
      {L"5", L"", 1},
      {L"5.99999999999", L"5.0", 1},
      {L"5.2147483647", L"5.2147483646", 1},
      {L"5.-1", L"5.0", -1},
      {L"5.+2", L"5.1", 1},
      {L"5. 3", L"5.2", 1},
      {L"2a.0", L"2.1", -1},
      {L"a2", L"1", -1},
      {L"5..1", L"5.0.0", 1},
      {L"6", L"5.9.9", 1},
      {L"5.1.", L"5.1", 1},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(VersionString(r.left).Compare(VersionString(r.right)), r.expected)
        << testing::PrintToString(std::wstring(r.left)) << " vs " << testing::PrintToString(std::wstring(r.right));
  }
}

TEST(VersionStringTest, ComponentValues) {
  const std::pair<const wchar_t*, int> rows[] = {
      {L"12", 12},        {L"-7", -7},   {L"  3x", 3},  {L"", 0},          {L"x1", 0},
      {L"2147483647", 2147483647},       {L"-2147483648", -2147483647 - 1}, {L"2147483648", 0},
      {L"-2147483649", 0}, {L"+", 0},    {L"99999999999999999999", 0},
  };
  for (const auto& [piece, value] : rows) {
    EXPECT_EQ(VersionComponentValue(piece), value) << testing::PrintToString(std::wstring(piece));
  }
}

TEST(VersionStringTest, HoldsTextUnchanged) {
  VersionString v;
  EXPECT_TRUE(v.IsEmpty());
  v.Set(L" 5.1 beta ");
  EXPECT_FALSE(v.IsEmpty());
  EXPECT_EQ(v.Get(), L" 5.1 beta ");
}

TEST(StringOpsTest, SplitString) {
  using Pieces = std::vector<std::wstring>;
  EXPECT_EQ(SplitString(L"5..1", L'.'), (Pieces{L"5", L"", L"1"}));
  EXPECT_EQ(SplitString(L"5.1.", L'.'), (Pieces{L"5", L"1"}));
  EXPECT_EQ(SplitString(L"", L'.'), Pieces{});
  EXPECT_EQ(SplitString(L".", L'.'), (Pieces{L""}));
  EXPECT_EQ(SplitString(L"..", L'.'), (Pieces{L"", L""}));
  EXPECT_EQ(SplitString(L"abc", L'.'), (Pieces{L"abc"}));
}

TEST(StringOpsTest, QuotedTextTrimAndReplace) {
  EXPECT_EQ(QuotedText(L"key: \"text\","), L"text");
  EXPECT_EQ(QuotedText(L"no quotes"), L"no quotes");
  EXPECT_EQ(QuotedText(L"a \"open to end"), L"open to end");
  EXPECT_EQ(QuotedText(L"\"\""), L"");
  EXPECT_EQ(TrimSpaces(L"  a b  "), L"a b");
  EXPECT_EQ(TrimSpaces(L"\ta\t"), L"\ta\t");
  EXPECT_EQ(TrimSpaces(L"   "), L"");
  EXPECT_EQ(ReplaceAll(L"aaa", L"a", L"aa"), L"aaaaaa");
  EXPECT_EQ(ReplaceAll(L"%1 and %1", L"%1", L"x"), L"x and x");
  EXPECT_EQ(ReplaceAll(L"abc", L"", L"x"), L"abc");
}

}  // namespace
}  // namespace kavadesk
