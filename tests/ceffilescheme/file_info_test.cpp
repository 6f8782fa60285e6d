// The texts of a listing row: size thresholds, dates that cannot be shown, and string
// literals that can neither break out of their script nor depend on the code page.

#include <gtest/gtest.h>

#include <cstdint>

#include "ceffilescheme/FileInfo.h"

namespace ceffilescheme {
namespace {

TFileInfo Entry(std::wstring name, int64_t size, uint64_t time = 0, DWORD attr = FILE_ATTRIBUTE_NORMAL) {
  FILETIME date{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
  return TFileInfo(std::move(name), size, date, attr);
}

TEST(DisplaySize, ChangesUnitAtEachThreshold) {
  const int64_t K = 1024;
  const struct {
    int64_t Size;
    const wchar_t* Text;
  } cases[] = {
      {0, L"0 B"},
      {1023, L"1023 B"},
      {1024, L"1.0 kB"},
      {1536, L"1.5 kB"},
      {K * K - 1, L"1024.0 kB"},
      {K * K, L"1.0 MB"},
      {K * K * K - 1, L"1024.0 MB"},
      {K * K * K, L"1.0 GB"},
      {K * K * K * K, L"1.0 TB"},
      {K * K * K * K * K, L"1.0 PB"},
      {K * K * K * K * K * K - 1, L"1024.0 PB"},
      {K * K * K * K * K * K, L"big"},
      {INT64_MAX, L"big"},
  };
  for (const auto& c : cases) EXPECT_EQ(Entry(L"f", c.Size).DisplaySize(), c.Text) << c.Size;
}

TEST(EscapeJsString, EscapesQuotesBackslashesAngleBracketsAndEverythingBeyondAscii) {
  const struct {
    std::wstring In;
    const wchar_t* Out;
  } cases[] = {
      {L"plain name.txt", L"plain name.txt"},
      {L"say \"hi\"", L"say \\\"hi\\\""},
      {L"C:\\dir\\", L"C:\\\\dir\\\\"},
      {L"</script><script>x()", L"\\u003C/script>\\u003Cscript>x()"},
      {L"caf\u00e9 \u00ff\u0080", L"caf\\u00E9 \\u00FF\\u0080"},
      {L"\u03b1\u03c9", L"\\u03B1\\u03C9"},
      {L"\U0001F600", L"\\uD83D\\uDE00"},
      {L"line\nbreak", L"line\\u000Abreak"},
      {std::wstring(L"cut\0here", 8), L"cut"},
  };
  for (const auto& c : cases) EXPECT_EQ(EscapeJsString(c.In), c.Out);
}

// The file time of a local date and time in this machine's time zone.
uint64_t LocalTime(WORD hour, WORD minute, WORD second) {
  SYSTEMTIME local{2001, 2, 0, 3, hour, minute, second, 0};
  FILETIME localFile, utc;
  SystemTimeToFileTime(&local, &localFile);
  LocalFileTimeToFileTime(&localFile, &utc);
  return (uint64_t(utc.dwHighDateTime) << 32) | utc.dwLowDateTime;
}

TEST(DisplayDate, ShowsTheLocalTimeOnlyWhenItIsNotMidnight) {
  std::wstring morning = Entry(L"f", 0, LocalTime(4, 5, 6)).DisplayDate();
  std::wstring midnight = Entry(L"f", 0, LocalTime(0, 0, 0)).DisplayDate();
  EXPECT_NE(morning.find(L"2001"), std::wstring::npos) << morning;
  EXPECT_NE(morning.find(L"05:06"), std::wstring::npos) << morning;
  EXPECT_NE(midnight.find(L"2001"), std::wstring::npos) << midnight;
  EXPECT_EQ(midnight.find(L':'), std::wstring::npos) << midnight;
}

TEST(DisplayDate, EntriesOfOneSecondShareTheirTextButMidnightItselfStaysApart) {
  const uint64_t midnight = LocalTime(0, 0, 0), halfSecondLater = midnight + 5000000;
  std::wstring alone = Entry(L"f", 0, midnight).DisplayDate();
  // In turn, as a listing meets them: each keeps its own text.
  for (int round = 0; round < 2; ++round) {
    EXPECT_EQ(Entry(L"f", 0, midnight).DisplayDate(), alone);
    EXPECT_NE(Entry(L"f", 0, halfSecondLater).DisplayDate().find(L"00:00"), std::wstring::npos);
  }
  EXPECT_NE(Entry(L"f", 0, LocalTime(4, 5, 6)).DisplayDate(), Entry(L"f", 0, LocalTime(4, 5, 7)).DisplayDate());
}

TEST(DisplayDate, IsEmptyForTimesNoDateCanShow) {
  // Year 30828, and a time the conversion refuses outright.
  for (uint64_t time : {0x7FFFFFFFFFFFFFFFull, 0xFFFFFFFFFFFFFFFFull})
    EXPECT_EQ(Entry(L"f", 0, time).DisplayDate(), L"") << time;
}

TEST(Display, WritesOneAddRowCallWithTheEscapedNameTwice) {
  TFileInfo folder = Entry(L"a\"b", 5, 0xFFFFFFFFFFFFFFFFull, FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(folder.Display(), L"<script>addRow(\"a\\\"b\",\"a\\\"b\",1,\"5 B\",\"\");</script>\r\n");
  TFileInfo file = Entry(L"\u03b1.txt", 2048, 0xFFFFFFFFFFFFFFFFull);
  EXPECT_EQ(file.Display(), L"<script>addRow(\"\\u03B1.txt\",\"\\u03B1.txt\",0,\"2.0 kB\",\"\");</script>\r\n");
}

}  // namespace
}  // namespace ceffilescheme
