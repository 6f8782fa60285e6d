// The string record exports: ownership of buffers, conversions, comparison.

#include "runtime_library.h"

#include <gtest/gtest.h>

#include <string>

namespace {

int g_dtor_calls = 0;
void CountingDtor(char16*) { ++g_dtor_calls; }

std::wstring Text(const cef_string_utf16_t& s) { return std::wstring(s.str, s.length); }

TEST(RuntimeStrings, SetWithCopyOwnsAZeroTerminatedBufferThatClearFrees) {
  const std::wstring source = L"cache";
  cef_string_utf16_t s = {};
  ASSERT_EQ(CEF(cef_string_utf16_set)(source.data(), source.size(), &s, 1), 1);
  EXPECT_NE(s.str, source.data());
  EXPECT_EQ(Text(s), source);
  EXPECT_EQ(s.str[s.length], L'\0');
  EXPECT_NE(s.dtor, nullptr);
  CEF(cef_string_utf16_clear)(&s);
  EXPECT_EQ(s.str, nullptr);
  EXPECT_EQ(s.length, 0u);
  EXPECT_EQ(s.dtor, nullptr);
}

TEST(RuntimeStrings, SetWithoutCopyBorrowsTheCallersCharacters) {
  std::wstring source = L"borrowed";
  cef_string_utf16_t s = {};
  ASSERT_EQ(CEF(cef_string_utf16_set)(source.data(), source.size(), &s, 0), 1);
  EXPECT_EQ(s.str, source.data());
  EXPECT_EQ(s.length, source.size());
  EXPECT_EQ(s.dtor, nullptr);
  CEF(cef_string_utf16_clear)(&s);
  EXPECT_EQ(source, L"borrowed");
}

TEST(RuntimeStrings, ClearCallsTheRecordsOwnDtorExactlyOnce) {
  wchar_t buffer[] = L"x";
  cef_string_utf16_t s = {buffer, 1, &CountingDtor};
  g_dtor_calls = 0;
  CEF(cef_string_utf16_clear)(&s);
  CEF(cef_string_utf16_clear)(&s);
  EXPECT_EQ(g_dtor_calls, 1);
}

TEST(RuntimeStrings, SetFreesThePreviousContentThroughItsDtor) {
  wchar_t buffer[] = L"old";
  cef_string_utf16_t s = {buffer, 3, &CountingDtor};
  g_dtor_calls = 0;
  const std::wstring next = L"new";
  CEF(cef_string_utf16_set)(next.data(), next.size(), &s, 1);
  EXPECT_EQ(g_dtor_calls, 1);
  EXPECT_EQ(Text(s), L"new");
  CEF(cef_string_utf16_clear)(&s);
}

TEST(RuntimeStrings, SetFromTheRecordsOwnBufferKeepsTheText) {
  cef_string_utf16_t s = {};
  const std::wstring source = L"self";
  CEF(cef_string_utf16_set)(source.data(), source.size(), &s, 1);
  CEF(cef_string_utf16_set)(s.str, s.length, &s, 1);
  EXPECT_EQ(Text(s), L"self");
  CEF(cef_string_utf16_clear)(&s);
}

TEST(RuntimeStrings, UserFreeStringIsZeroedAndItsFreeCallsTheDtorOnce) {
  cef_string_userfree_utf16_t s = CEF(cef_string_userfree_utf16_alloc)();
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->str, nullptr);
  EXPECT_EQ(s->length, 0u);
  EXPECT_EQ(s->dtor, nullptr);
  wchar_t buffer[] = L"abc";
  s->str = buffer;
  s->length = 3;
  s->dtor = &CountingDtor;
  g_dtor_calls = 0;
  CEF(cef_string_userfree_utf16_free)(s);
  EXPECT_EQ(g_dtor_calls, 1);
  CEF(cef_string_userfree_utf16_free)(nullptr);  // tolerated
}

TEST(RuntimeStrings, UserFreeStringsOfEveryTypeHoldARuntimeCopy) {
  cef_string_userfree_utf8_t u8 = CEF(cef_string_userfree_utf8_alloc)();
  cef_string_userfree_wide_t wide = CEF(cef_string_userfree_wide_alloc)();
  ASSERT_NE(u8, nullptr);
  ASSERT_NE(wide, nullptr);
  EXPECT_EQ(CEF(cef_string_utf8_set)("bytes", 5, u8, 1), 1);
  EXPECT_EQ(CEF(cef_string_wide_set)(L"wide", 4, wide, 1), 1);
  EXPECT_EQ(std::string(u8->str, u8->length), "bytes");
  EXPECT_EQ(std::wstring(wide->str, wide->length), L"wide");
  CEF(cef_string_userfree_utf8_free)(u8);
  CEF(cef_string_userfree_wide_free)(wide);
}

TEST(RuntimeStrings, EmbeddedZeroUnitsSurviveEveryConversion) {
  const std::wstring source(L"a\0b\0", 4);
  cef_string_utf8_t u8 = {};
  ASSERT_EQ(CEF(cef_string_utf16_to_utf8)(source.data(), source.size(), &u8), 1);
  EXPECT_EQ(std::string(u8.str, u8.length), std::string("a\0b\0", 4));
  cef_string_utf16_t back = {};
  ASSERT_EQ(CEF(cef_string_utf8_to_utf16)(u8.str, u8.length, &back), 1);
  EXPECT_EQ(Text(back), source);
  cef_string_wide_t wide = {};
  ASSERT_EQ(CEF(cef_string_utf16_to_wide)(back.str, back.length, &wide), 1);
  EXPECT_EQ(std::wstring(wide.str, wide.length), source);
  CEF(cef_string_utf8_clear)(&u8);
  CEF(cef_string_utf16_clear)(&back);
  CEF(cef_string_wide_clear)(&wide);
}

TEST(RuntimeStrings, CharactersBeyondTheBasicPlaneCrossAsSurrogatePairsAndFourUtf8Bytes) {
  const std::wstring face = L"x\xD83D\xDE00y";  // U+1F600 between two letters
  cef_string_utf8_t u8 = {};
  ASSERT_EQ(CEF(cef_string_wide_to_utf8)(face.data(), face.size(), &u8), 1);
  EXPECT_EQ(std::string(u8.str, u8.length), "x\xF0\x9F\x98\x80y");
  cef_string_wide_t back = {};
  ASSERT_EQ(CEF(cef_string_utf8_to_wide)(u8.str, u8.length, &back), 1);
  EXPECT_EQ(std::wstring(back.str, back.length), face);
  CEF(cef_string_utf8_clear)(&u8);
  CEF(cef_string_wide_clear)(&back);
}

TEST(RuntimeStrings, MalformedInputIsReplacedAndReportedAsFailure) {
  const std::wstring lone = L"a\xD800" L"b";
  cef_string_utf8_t u8 = {};
  EXPECT_EQ(CEF(cef_string_utf16_to_utf8)(lone.data(), lone.size(), &u8), 0);
  EXPECT_EQ(std::string(u8.str, u8.length), "a\xEF\xBF\xBD" "b");
  cef_string_utf16_t s = {};
  EXPECT_EQ(CEF(cef_string_utf8_to_utf16)("\xC3(", 2, &s), 0);
  EXPECT_EQ(Text(s), L"\xFFFD(");
  CEF(cef_string_utf8_clear)(&u8);
  CEF(cef_string_utf16_clear)(&s);
}

TEST(RuntimeStrings, AsciiWidensByteForByte) {
  cef_string_utf16_t s = {};
  cef_string_wide_t w = {};
  ASSERT_EQ(CEF(cef_string_ascii_to_utf16)("local", 5, &s), 1);
  ASSERT_EQ(CEF(cef_string_ascii_to_wide)("scheme", 6, &w), 1);
  EXPECT_EQ(Text(s), L"local");
  EXPECT_EQ(std::wstring(w.str, w.length), L"scheme");
  CEF(cef_string_utf16_clear)(&s);
  CEF(cef_string_wide_clear)(&w);
}

TEST(RuntimeStrings, WideToUtf16CopiesTheCodeUnits) {
  const std::wstring source = L"caf\x00E9";
  cef_string_utf16_t s = {};
  ASSERT_EQ(CEF(cef_string_wide_to_utf16)(source.data(), source.size(), &s), 1);
  EXPECT_NE(s.str, source.data());
  EXPECT_EQ(Text(s), source);
  CEF(cef_string_utf16_clear)(&s);
}

TEST(RuntimeStrings, CompareOrdersByCodeUnitThenLength) {
  auto cmp = [](const std::wstring& a, const std::wstring& b) {
    cef_string_utf16_t sa = {const_cast<wchar_t*>(a.data()), a.size(), nullptr};
    cef_string_utf16_t sb = {const_cast<wchar_t*>(b.data()), b.size(), nullptr};
    return CEF(cef_string_utf16_cmp)(&sa, &sb);
  };
  EXPECT_EQ(cmp(L"abc", L"abc"), 0);
  EXPECT_LT(cmp(L"abc", L"abd"), 0);
  EXPECT_GT(cmp(L"abd", L"abc"), 0);
  EXPECT_LT(cmp(L"ab", L"abc"), 0);
  EXPECT_GT(cmp(std::wstring(L"a\0b", 3), std::wstring(L"a\0a", 3)), 0);
  EXPECT_GT(cmp(L"\xE9", L"z"), 0);

  cef_string_utf8_t a8 = {const_cast<char*>("\xC3\xA9"), 2, nullptr};
  cef_string_utf8_t b8 = {const_cast<char*>("z"), 1, nullptr};
  EXPECT_GT(CEF(cef_string_utf8_cmp)(&a8, &b8), 0);
  cef_string_wide_t aw = {const_cast<wchar_t*>(L"b"), 1, nullptr};
  cef_string_wide_t bw = {const_cast<wchar_t*>(L"a"), 1, nullptr};
  EXPECT_GT(CEF(cef_string_wide_cmp)(&aw, &bw), 0);
}

TEST(RuntimeStrings, EmptySourceLeavesAnEmptyUnownedRecord) {
  cef_string_utf16_t s = {};
  ASSERT_EQ(CEF(cef_string_utf16_set)(L"", 0, &s, 1), 1);
  EXPECT_EQ(s.length, 0u);
  EXPECT_EQ(s.dtor, nullptr);
  EXPECT_EQ(CEF(cef_string_utf16_set)(L"x", 1, nullptr, 1), 0);
}

}  // namespace
