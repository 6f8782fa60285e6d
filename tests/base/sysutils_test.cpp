#include "base/SysUtils.h"

#include <gtest/gtest.h>

#include <windows.h>

TEST(TryStrToInt, ReadsDecimalWithSignAndSurroundingBlanks) {
  EXPECT_EQ(TryStrToInt(L"2000"), 2000);
  EXPECT_EQ(TryStrToInt(L"-42"), -42);
  EXPECT_EQ(TryStrToInt(L"+7"), 7);
  EXPECT_EQ(TryStrToInt(L"  15 "), 15);
  EXPECT_EQ(TryStrToInt(L"0"), 0);
}

TEST(TryStrToInt, ReadsHexadecimalAfterDollarOrZeroX) {
  EXPECT_EQ(TryStrToInt(L"0x3E8"), 1000);
  EXPECT_EQ(TryStrToInt(L"0X3e8"), 1000);
  EXPECT_EQ(TryStrToInt(L"$3E8"), 1000);
  EXPECT_EQ(TryStrToInt(L"-$10"), -16);
}

TEST(TryStrToInt, RejectsTextThatIsNotAWholeNumber) {
  for (const wchar_t* text : {L"", L" ", L"abc", L"12a", L"1 2", L"1.5", L"0x", L"$", L"-", L"+", L"3E8", L"0x3G",
                              L"\x0661\x0662"})
    EXPECT_FALSE(TryStrToInt(text).has_value()) << text;
}

TEST(TryStrToInt, RejectsValuesBeyondThirtyTwoBits) {
  EXPECT_EQ(TryStrToInt(L"2147483647"), 2147483647);
  EXPECT_EQ(TryStrToInt(L"-2147483648"), -2147483647 - 1);
  EXPECT_FALSE(TryStrToInt(L"2147483648").has_value());
  EXPECT_FALSE(TryStrToInt(L"-2147483649").has_value());
  EXPECT_FALSE(TryStrToInt(L"99999999999999999999999").has_value());
  EXPECT_FALSE(TryStrToInt(L"0x100000000").has_value());
}

TEST(StrToIntDef, GivesTheDefaultForNonNumbers) {
  EXPECT_EQ(StrToIntDef(L"abc", 2000), 2000);
  EXPECT_EQ(StrToIntDef(L"100", 2000), 100);
}

TEST(Trim, RemovesBlanksAndControlCharactersAtBothEndsOnly) {
  EXPECT_EQ(Trim(L" \t a b \r\n"), L"a b");
  EXPECT_EQ(Trim(L"   "), L"");
  EXPECT_EQ(Trim(L"\x00A0x\x00A0"), L"\x00A0x\x00A0");  // a no-break space is not a blank here
}

TEST(UpperCase, ChangesAsciiLettersOnly) {
  EXPECT_EQ(UpperCase(L"/s"), L"/S");
  EXPECT_EQ(UpperCase(L"/c:1234"), L"/C:1234");
  EXPECT_EQ(UpperCase(L"\x00E9\x0131"), L"\x00E9\x0131");
}

TEST(IncludeTrailingPathDelimiter, AddsABackslashOnlyWhenMissing) {
  EXPECT_EQ(IncludeTrailingPathDelimiter(L"C:\\Users\\me"), L"C:\\Users\\me\\");
  EXPECT_EQ(IncludeTrailingPathDelimiter(L"C:\\Users\\me\\"), L"C:\\Users\\me\\");
  EXPECT_EQ(IncludeTrailingPathDelimiter(L"Z:/tmp/"), L"Z:/tmp/");
}

TEST(GetEnvironmentVariableText, ReadsLongValuesAndUnsetOnes) {
  std::wstring value(1000, L'v');
  SetEnvironmentVariableW(L"KELPA_TEST_VARIABLE", value.c_str());
  EXPECT_EQ(GetEnvironmentVariableText(L"KELPA_TEST_VARIABLE"), value);
  SetEnvironmentVariableW(L"KELPA_TEST_VARIABLE", nullptr);
  EXPECT_EQ(GetEnvironmentVariableText(L"KELPA_TEST_VARIABLE"), L"");
}
