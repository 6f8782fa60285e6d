#pragma once
// Percent escaping of URL components (UTF-8 bytes), shared by the URI exports and the URL parser.

#include <string>
#include <string_view>

namespace standin {

// Escapes every byte of the UTF-8 form except those for which keep(byte) is true.
template <class Keep>
std::wstring PercentEscape(std::string_view utf8, Keep keep, bool space_as_plus = false) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::wstring out;
  for (char ch : utf8) {
    unsigned char b = static_cast<unsigned char>(ch);
    if (b == ' ' && space_as_plus) {
      out += L'+';
    } else if (b < 0x80 && keep(b)) {
      out += static_cast<wchar_t>(b);
    } else {
      out += L'%';
      out += static_cast<wchar_t>(kHex[b >> 4]);
      out += static_cast<wchar_t>(kHex[b & 15]);
    }
  }
  return out;
}

bool IsAsciiAlnum(unsigned char b);

}  // namespace standin
