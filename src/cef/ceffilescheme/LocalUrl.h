#pragma once
// From a `local:` address to a file-system path: local://c/Users/Public/a.txt names
// c:\Users\Public\a.txt.

#include <string>
#include <string_view>

namespace ceffilescheme {

// The path an address names: the drive name between "//" and the next '/', then ':' and the
// rest with every '/' turned into a backslash, unescaped. Empty when the address lacks the
// scheme, the "//", or the '/' after the drive name.
std::wstring LocalUrlToPath(std::wstring_view url);

// Undoes the escapes of an address: '+' is a space, "%%" is '%', "%hh" is the byte hh. The
// bytes decode as UTF-8 when they form it (the runtime escapes non-ASCII characters as UTF-8)
// and in the ANSI code page otherwise. An escape cut short, a NUL byte, or an escape that is
// not hexadecimal makes the whole result empty: such an address names no file.
std::wstring DecodeUrlEscapes(std::wstring_view text);

}  // namespace ceffilescheme
