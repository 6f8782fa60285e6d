#include "utf.h"

namespace standin {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

void AppendUtf16(char32_t c, std::wstring& out) {
  if (c < 0x10000) {
    out += static_cast<wchar_t>(c);
  } else {
    c -= 0x10000;
    out += static_cast<wchar_t>(0xD800 + (c >> 10));
    out += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
  }
}

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

bool Utf16ToUtf8(std::wstring_view in, std::string& out) {
  out.clear();
  out.reserve(in.size());
  bool valid = true;
  for (size_t i = 0; i < in.size(); ++i) {
    char32_t c = static_cast<char16_t>(in[i]);
    if (IsHighSurrogate(c) && i + 1 < in.size() && IsLowSurrogate(static_cast<char16_t>(in[i + 1]))) {
      char32_t low = static_cast<char16_t>(in[++i]);
      c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
    } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
      c = kReplacement;
      valid = false;
    }
    AppendUtf8(c, out);
  }
  return valid;
}

bool Utf8ToUtf16(std::string_view in, std::wstring& out) {
  out.clear();
  out.reserve(in.size());
  bool valid = true;
  size_t i = 0;
  while (i < in.size()) {
    unsigned char b = static_cast<unsigned char>(in[i]);
    if (b < 0x80) {
      out += static_cast<wchar_t>(b);
      ++i;
      continue;
    }
    int extra = 0;
    char32_t c = 0;
    char32_t minimum = 0;
    if ((b & 0xE0) == 0xC0) {
      extra = 1, c = b & 0x1F, minimum = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
      extra = 2, c = b & 0x0F, minimum = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
      extra = 3, c = b & 0x07, minimum = 0x10000;
    } else {
      out += static_cast<wchar_t>(kReplacement);
      valid = false;
      ++i;
      continue;
    }
    int taken = 0;
    while (taken < extra && i + 1 + taken < in.size() &&
           (static_cast<unsigned char>(in[i + 1 + taken]) & 0xC0) == 0x80) {
      c = (c << 6) | (static_cast<unsigned char>(in[i + 1 + taken]) & 0x3F);
      ++taken;
    }
    if (taken < extra || c < minimum || c > 0x10FFFF || IsHighSurrogate(c) || IsLowSurrogate(c)) {
      // A truncated or overlong sequence is one replacement; its continuation bytes go with it.
      out += static_cast<wchar_t>(kReplacement);
      valid = false;
      i += 1 + taken;
      continue;
    }
    AppendUtf16(c, out);
    i += 1 + extra;
  }
  return valid;
}

std::wstring WidenBytes(std::string_view in) {
  std::wstring out;
  out.reserve(in.size());
  for (char ch : in) out += static_cast<wchar_t>(static_cast<unsigned char>(ch));
  return out;
}

std::string ToUtf8(std::wstring_view in) {
  std::string out;
  Utf16ToUtf8(in, out);
  return out;
}

std::wstring FromUtf8(std::string_view in) {
  std::wstring out;
  Utf8ToUtf16(in, out);
  return out;
}

std::wstring AsciiLower(std::wstring_view in) {
  std::wstring out(in);
  for (auto& ch : out) {
    if (ch >= L'A' && ch <= L'Z') ch = static_cast<wchar_t>(ch - L'A' + L'a');
  }
  return out;
}

}  // namespace standin
