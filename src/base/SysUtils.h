#pragma once
// Text, number, path and environment helpers shared by the whole program.

#include <optional>
#include <string>
#include <string_view>

std::string WideToUtf8(std::wstring_view text);
std::wstring Utf8ToWide(std::string_view text);

// A whole number in 32 bits: optional blanks around it, an optional sign, then
// decimal digits, or hexadecimal digits after "$" or "0x". Anything else,
// including a value that does not fit, is not a number.
std::optional<int> TryStrToInt(std::wstring_view text);
int StrToIntDef(std::wstring_view text, int defaultValue);
std::wstring IntToStr(long long value);

// Removes blanks and control characters from both ends.
std::wstring Trim(std::wstring_view text);

// Upper-cases the ASCII letters only, so the result never depends on the locale.
std::wstring UpperCase(std::wstring_view text);

// Appends a backslash unless the path already ends with a path delimiter.
std::wstring IncludeTrailingPathDelimiter(std::wstring_view path);

// The variable's value; empty when it is not set.
std::wstring GetEnvironmentVariableText(const std::wstring& name);
