#include "text_decoding.h"

#include <windows.h>

#include <cctype>

namespace standin::page {

namespace {

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// The charset named after "charset=" in text, lower case; empty when none.
std::string CharsetIn(std::string_view text) {
  std::string lower = Lower(text);
  size_t at = lower.find("charset");
  while (at != std::string::npos) {
    size_t i = at + 7;
    while (i < lower.size() && lower[i] == ' ') ++i;
    if (i < lower.size() && lower[i] == '=') {
      ++i;
      while (i < lower.size() && (lower[i] == ' ' || lower[i] == '"' || lower[i] == '\'')) ++i;
      size_t start = i;
      while (i < lower.size() && (std::isalnum(static_cast<unsigned char>(lower[i])) || lower[i] == '-' ||
                                  lower[i] == '_' || lower[i] == ':' || lower[i] == '.'))
        ++i;
      if (i > start) return lower.substr(start, i - start);
    }
    at = lower.find("charset", at + 7);
  }
  return {};
}

UINT CodePageFor(const std::string& charset) {
  if (charset.empty()) return 0;
  if (charset == "utf-8" || charset == "utf8") return CP_UTF8;
  if (charset == "iso-8859-1" || charset == "latin1" || charset == "us-ascii" || charset == "ascii" ||
      charset == "windows-1252" || charset == "cp1252")
    return 1252;
  if (charset.rfind("windows-125", 0) == 0 && charset.size() == 12) return 1250 + (charset[11] - '0');
  if (charset == "iso-8859-2") return 28592;
  if (charset == "iso-8859-15") return 28605;
  if (charset == "koi8-r") return 20866;
  if (charset == "shift_jis" || charset == "shift-jis" || charset == "sjis") return 932;
  if (charset == "gb2312" || charset == "gbk") return 936;
  if (charset == "big5") return 950;
  if (charset == "euc-kr") return 949;
  if (charset == "utf-16" || charset == "utf-16le") return 1200;
  if (charset == "utf-16be") return 1201;
  return 0;
}

std::wstring Utf16(std::string_view bytes, bool big_endian) {
  std::wstring out;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    unsigned char a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
    out += static_cast<wchar_t>(big_endian ? (a << 8 | b) : (b << 8 | a));
  }
  return out;
}

std::wstring WithCodePage(std::string_view bytes, UINT code_page, DWORD flags = 0) {
  if (bytes.empty()) return {};
  if (code_page == 1200) return Utf16(bytes, false);
  if (code_page == 1201) return Utf16(bytes, true);
  int length = MultiByteToWideChar(code_page, flags, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  if (length <= 0) return {};
  std::wstring out(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(code_page, flags, bytes.data(), static_cast<int>(bytes.size()), out.data(), length);
  return out;
}

}  // namespace

std::string MimeTypeOf(std::string_view content_type) {
  std::string type = Lower(content_type.substr(0, content_type.find(';')));
  while (!type.empty() && type.back() == ' ') type.pop_back();
  while (!type.empty() && type.front() == ' ') type.erase(0, 1);
  return type;
}

std::wstring DecodeBody(std::string_view bytes, std::string_view content_type) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return WithCodePage(bytes.substr(3), CP_UTF8);
  if (bytes.substr(0, 2) == "\xFF\xFE") return Utf16(bytes.substr(2), false);
  if (bytes.substr(0, 2) == "\xFE\xFF") return Utf16(bytes.substr(2), true);
  UINT code_page = CodePageFor(CharsetIn(content_type));
  if (code_page == 0) code_page = CodePageFor(CharsetIn(bytes.substr(0, 1024)));
  if (code_page == 0) {
    bool valid_utf8 =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0) > 0;
    code_page = valid_utf8 ? CP_UTF8 : 1252;
  }
  std::wstring text = WithCodePage(bytes, code_page);
  // A code page this system does not have: fall back rather than show nothing.
  if (text.empty() && !bytes.empty()) text = WithCodePage(bytes, 1252);
  return text;
}

}  // namespace standin::page
