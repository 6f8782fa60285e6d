#include "settings/URLList.h"

#include <gtest/gtest.h>

namespace {

TURLList Parse(std::wstring_view text) {
  TURLList list;
  ParseURLList(text, list);
  return list;
}

}  // namespace

TEST(ParseURLList, SplitsAtCommasInTheOrderWrittenKeepingDuplicates) {
  EXPECT_EQ(Parse(L"b.example,a.example,b.example"), (TURLList{L"b.example", L"a.example", L"b.example"}));
  EXPECT_EQ(Parse(L"one"), TURLList{L"one"});
}

TEST(ParseURLList, DropsEmptyEntries) {
  EXPECT_EQ(Parse(L"a,,b"), (TURLList{L"a", L"b"}));
  EXPECT_EQ(Parse(L"a,"), TURLList{L"a"});
  EXPECT_EQ(Parse(L",a"), TURLList{L"a"});
  EXPECT_EQ(Parse(L",,,"), TURLList{});
  EXPECT_EQ(Parse(L""), TURLList{});
}

TEST(ParseURLList, QuotesKeepSeparatorsInsideAndStayPartOfTheEntry) {
  EXPECT_EQ(Parse(L"'a,b',c"), (TURLList{L"'a,b'", L"c"}));
  EXPECT_EQ(Parse(L"\"x,y\"z,w"), (TURLList{L"\"x,y\"z", L"w"}));
  EXPECT_EQ(Parse(L"'a\r\nb',c"), (TURLList{L"'a\r\nb'", L"c"}));
}

TEST(ParseURLList, OnlyTheSameQuoteClosesARun) {
  EXPECT_EQ(Parse(L"'a\",b',c"), (TURLList{L"'a\",b'", L"c"}));
  EXPECT_EQ(Parse(L"\"a',b\",c"), (TURLList{L"\"a',b\"", L"c"}));
}

TEST(ParseURLList, AnUnclosedQuoteRunsToTheEnd) {
  EXPECT_EQ(Parse(L"a,'b,c"), (TURLList{L"a", L"'b,c"}));
}

TEST(ParseURLList, LineBreaksSeparateLikeCommas) {
  EXPECT_EQ(Parse(L"a\r\nb\nc\rd"), (TURLList{L"a", L"b", L"c", L"d"}));
  EXPECT_EQ(Parse(L"\r\n\r\na,\r\nb\r\n"), (TURLList{L"a", L"b"}));
}

TEST(ParseURLList, BlanksAreKept) {
  EXPECT_EQ(Parse(L"a,  b"), (TURLList{L"a", L"  b"}));
  EXPECT_EQ(Parse(L" a , b "), (TURLList{L" a ", L" b "}));
  EXPECT_EQ(Parse(L"a, ,b"), (TURLList{L"a", L" ", L"b"}));
}

TEST(ParseURLList, CharactersAbove255AreNeverSeparatorsOrQuotes) {
  // U+2C2C and U+0A2C end in the byte of a comma, U+0A0D and U+0A0A in those of the
  // line breaks, U+2C27 and U+2C22 in those of the quotes.
  EXPECT_EQ(Parse(L"a\x2C2C" L"b"), TURLList{L"a\x2C2C" L"b"});
  EXPECT_EQ(Parse(L"a\x0A2C" L"b"), TURLList{L"a\x0A2C" L"b"});
  EXPECT_EQ(Parse(L"a\x0A0D\x0A0A" L"b"), TURLList{L"a\x0A0D\x0A0A" L"b"});
  EXPECT_EQ(Parse(L"\x2C27" L"a,b"), (TURLList{L"\x2C27" L"a", L"b"}));
  EXPECT_EQ(Parse(L"\x2C22" L"a,b\x2C22"), (TURLList{L"\x2C22" L"a", L"b\x2C22"}));
  EXPECT_EQ(Parse(L"\xFF0C,x"), (TURLList{L"\xFF0C", L"x"}));
}

TEST(ParseURLList, AppendsToWhatTheListHolds) {
  TURLList list{L"kept"};
  ParseURLList(L"a,b", list);
  EXPECT_EQ(list, (TURLList{L"kept", L"a", L"b"}));
}

TEST(URLListForSetting, BlankSettingGivesTheDefaultStartPage) {
  EXPECT_EQ(URLListForSetting(L""), TURLList{DefaultStartPage});
  EXPECT_EQ(URLListForSetting(L"  \t "), TURLList{DefaultStartPage});
}

TEST(URLListForSetting, SettingWithoutEntriesGivesTheDefaultStartPage) {
  EXPECT_EQ(URLListForSetting(L",,"), TURLList{DefaultStartPage});
  EXPECT_EQ(URLListForSetting(L"\r\n,\r\n"), TURLList{DefaultStartPage});
}

TEST(URLListForSetting, OtherSettingsAreParsedUntrimmed) {
  EXPECT_EQ(URLListForSetting(L" a.example, b.example"), (TURLList{L" a.example", L" b.example"}));
}

TEST(URLListForSetting, DefaultStartPageIsABareHostName) {
  std::wstring page = DefaultStartPage;
  EXPECT_FALSE(page.empty());
  EXPECT_EQ(page.find(L"://"), std::wstring::npos);
  EXPECT_EQ(page.find_first_of(L",'\"\r\n "), std::wstring::npos);
}
