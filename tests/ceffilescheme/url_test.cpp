// From `local:` addresses to paths: the shape of the address, and the escapes undone so that
// every name the listing page links to opens again.

#include <gtest/gtest.h>

#include "ceffilescheme/LocalUrl.h"

namespace ceffilescheme {
namespace {

struct TCase {
  const wchar_t* In;
  const wchar_t* Out;
};

TEST(LocalUrlToPath, MapsDriveAndSlashesAndRejectsOtherShapes) {
  const TCase cases[] = {
      {L"local://c/Users/Public/a.txt", L"c:\\Users\\Public\\a.txt"},
      {L"local://c/", L"c:\\"},
      {L"local://c/Windows", L"c:\\Windows"},
      {L"local://abc/x", L"abc:\\x"},
      {L"local://c/Users/Public/a%20b.txt", L"c:\\Users\\Public\\a b.txt"},
      {L"local://c/Users/Public/a+b.txt", L"c:\\Users\\Public\\a b.txt"},
      {L"local://c/x%%y", L"c:\\x%y"},
      {L"local://c", L""},
      {L"local:c/x", L""},
      {L"local:/c/x", L""},
      {L"no scheme", L""},
  };
  for (const TCase& c : cases) EXPECT_EQ(LocalUrlToPath(c.In), c.Out) << c.In;
}

TEST(DecodeUrlEscapes, DecodesUtf8EscapesAsOneCharacterAndOthersInTheAnsiCodePage) {
  const TCase cases[] = {
      {L"caf%C3%A9", L"caf\u00e9"},                  // the runtime's canonical form of "café"
      {L"%CE%B1%CE%B2", L"\u03b1\u03b2"},            // Greek letters
      {L"%F0%9F%98%80", L"\U0001F600"},              // beyond the basic plane: a surrogate pair
      {L"caf%E9", L"caf\u00e9"},                     // not UTF-8: a byte of code page 1252
      {L"\u03b1%20b", L"\u03b1 b"},                  // unescaped characters stay as they are
      {L"%25%23%2B%3F", L"%#+?"},                    // what encodeURIComponent writes for "%#+?"
      {L"100%%", L"100%"},
  };
  for (const TCase& c : cases) EXPECT_EQ(DecodeUrlEscapes(c.In), c.Out) << c.In;
}

TEST(DecodeUrlEscapes, MakesTheResultEmptyForEscapesThatNameNoByte) {
  for (const wchar_t* in : {L"a%zzb", L"a%4", L"a%", L"a%4%", L"a%00.txt", L"a%G1"})
    EXPECT_EQ(DecodeUrlEscapes(in), L"") << in;
}

}  // namespace
}  // namespace ceffilescheme
