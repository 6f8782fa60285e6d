#pragma once
// UTF-8 / UTF-16 conversion used by the string exports, the parsers and the journal.
// Invalid input is replaced by U+FFFD and reported through the result flag.

#include <string>
#include <string_view>

namespace standin {

// UTF-16 to UTF-8. Lone surrogates become U+FFFD; the result says whether the input was valid.
bool Utf16ToUtf8(std::wstring_view in, std::string& out);

// UTF-8 to UTF-16. Malformed bytes become U+FFFD; the result says whether the input was valid.
bool Utf8ToUtf16(std::string_view in, std::wstring& out);

// Each byte widened as it is (ASCII and Latin-1).
std::wstring WidenBytes(std::string_view in);

std::string ToUtf8(std::wstring_view in);
std::wstring FromUtf8(std::string_view in);

// ASCII lower case; other code units unchanged.
std::wstring AsciiLower(std::wstring_view in);

}  // namespace standin
