#include "ceffilescheme/LocalUrl.h"

#include <windows.h>

#include <optional>
#include <string>

namespace ceffilescheme {
namespace {

std::string ToBytes(std::wstring_view text, UINT codePage) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(n, '\0');
  WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
  return bytes;
}

// MB_ERR_INVALID_CHARS makes the UTF-8 decoding refuse what is not UTF-8, so the caller can
// fall back to the ANSI code page.
std::optional<std::wstring> FromBytes(std::string_view bytes, UINT codePage, DWORD flags) {
  if (bytes.empty()) return std::wstring();
  int n = MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  if (n <= 0) return std::nullopt;
  std::wstring text(n, L'\0');
  MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), text.data(), n);
  return text;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::string> Unescape(std::string_view in) {
  std::string out;
  out.reserve(in.size());
  for (size_t i = 0; i < in.size(); ++i) {
    char c = in[i];
    if (c == '+') {
      out += ' ';
    } else if (c != '%') {
      out += c;
    } else if (i + 1 < in.size() && in[i + 1] == '%') {
      out += '%';
      ++i;
    } else {
      if (i + 2 >= in.size()) return std::nullopt;
      int high = HexDigit(in[i + 1]), low = HexDigit(in[i + 2]);
      if (high < 0 || low < 0) return std::nullopt;
      char byte = static_cast<char>(high * 16 + low);
      // A NUL would end the path early for every system call, while the extension we look
      // up would still be the one after it.
      if (byte == '\0') return std::nullopt;
      out += byte;
      i += 2;
    }
  }
  return out;
}

}  // namespace

std::wstring DecodeUrlEscapes(std::wstring_view text) {
  // UTF-8 keeps every character of the text, so only the escaped bytes decide.
  std::optional<std::string> bytes = Unescape(ToBytes(text, CP_UTF8));
  if (!bytes) return {};
  if (auto utf8 = FromBytes(*bytes, CP_UTF8, MB_ERR_INVALID_CHARS)) return *utf8;
  // Escapes of single bytes of the ANSI code page, as older links have them.
  bytes = Unescape(ToBytes(text, CP_ACP));
  if (!bytes) return {};
  return FromBytes(*bytes, CP_ACP, 0).value_or(std::wstring());
}

std::wstring LocalUrlToPath(std::wstring_view url) {
  size_t colon = url.find(L':');
  if (colon == std::wstring_view::npos) return {};
  std::wstring_view rest = url.substr(colon + 1);
  if (rest.size() < 2 || rest[0] != L'/' || rest[1] != L'/') return {};
  rest.remove_prefix(2);
  size_t slash = rest.find(L'/');
  if (slash == std::wstring_view::npos) return {};
  std::wstring path(rest.substr(0, slash));
  path += L":\\";
  for (wchar_t c : rest.substr(slash + 1)) path += c == L'/' ? L'\\' : c;
  return DecodeUrlEscapes(path);
}

}  // namespace ceffilescheme
