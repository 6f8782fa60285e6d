#include "text_decoding.h"

#include <gtest/gtest.h>

namespace standin::page {
namespace {

TEST(TextDecoding, HonoursTheContentTypeCharset) {
  EXPECT_EQ(DecodeBody("caf\xE9", "text/html; charset=ISO-8859-1"), L"caf\u00E9");
  EXPECT_EQ(DecodeBody("caf\xC3\xA9", "text/html; charset=\"utf-8\""), L"caf\u00E9");
}

TEST(TextDecoding, ReadsACharsetDeclaredInThePage) {
  EXPECT_EQ(DecodeBody("<meta charset=\"windows-1252\">\x80", "text/html"), L"<meta charset=\"windows-1252\">\u20AC");
}

TEST(TextDecoding, PrefersAByteOrderMark) {
  EXPECT_EQ(DecodeBody("\xEF\xBB\xBFok", "text/html; charset=iso-8859-1"), L"ok");
  EXPECT_EQ(DecodeBody(std::string("\xFF\xFEo\0k\0", 6), ""), L"ok");
  EXPECT_EQ(DecodeBody(std::string("\xFE\xFF\0o\0k", 6), ""), L"ok");
}

TEST(TextDecoding, GuessesUtf8OrWindows1252WithoutADeclaration) {
  EXPECT_EQ(DecodeBody("\xC3\xA9t\xC3\xA9", ""), L"\u00E9t\u00E9");
  EXPECT_EQ(DecodeBody("\xE9t\xE9", ""), L"\u00E9t\u00E9");
  EXPECT_EQ(DecodeBody("", "text/html"), L"");
}

TEST(TextDecoding, TakesTheMimeTypeWithoutParameters) {
  EXPECT_EQ(MimeTypeOf(" Text/HTML ; charset=utf-8"), "text/html");
  EXPECT_EQ(MimeTypeOf("image/png"), "image/png");
  EXPECT_EQ(MimeTypeOf(""), "");
}

}  // namespace
}  // namespace standin::page
