#include "html_entities.h"

#include <cwctype>

namespace standin::page {

namespace {

struct TNamedEntity {
  const wchar_t* name;
  wchar_t value;
};

constexpr TNamedEntity kNamed[] = {
    {L"amp", L'&'},       {L"lt", L'<'},         {L"gt", L'>'},         {L"quot", L'"'},
    {L"apos", L'\''},     {L"nbsp", 0x00A0},     {L"copy", 0x00A9},     {L"reg", 0x00AE},
    {L"trade", 0x2122},   {L"hellip", 0x2026},   {L"mdash", 0x2014},    {L"ndash", 0x2013},
    {L"lsquo", 0x2018},   {L"rsquo", 0x2019},    {L"ldquo", 0x201C},    {L"rdquo", 0x201D},
    {L"laquo", 0x00AB},   {L"raquo", 0x00BB},    {L"middot", 0x00B7},   {L"bull", 0x2022},
    {L"euro", 0x20AC},    {L"pound", 0x00A3},    {L"yen", 0x00A5},      {L"cent", 0x00A2},
    {L"sect", 0x00A7},    {L"deg", 0x00B0},      {L"times", 0x00D7},    {L"divide", 0x00F7},
    {L"auml", 0x00E4},    {L"ouml", 0x00F6},     {L"uuml", 0x00FC},     {L"Auml", 0x00C4},
    {L"Ouml", 0x00D6},    {L"Uuml", 0x00DC},     {L"szlig", 0x00DF},    {L"eacute", 0x00E9},
    {L"egrave", 0x00E8},  {L"agrave", 0x00E0},   {L"ccedil", 0x00E7},   {L"ntilde", 0x00F1},
};

void AppendCodePoint(std::wstring& out, unsigned long code) {
  if (code == 0 || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) code = 0xFFFD;
  if (code >= 0x10000) {
    code -= 0x10000;
    out += static_cast<wchar_t>(0xD800 + (code >> 10));
    out += static_cast<wchar_t>(0xDC00 + (code & 0x3FF));
  } else {
    out += static_cast<wchar_t>(code);
  }
}

// Reads the reference that starts at text[at] == '&'; returns how many characters it used
// (0 when it is not a reference).
size_t DecodeOne(std::wstring_view text, size_t at, std::wstring& out) {
  size_t i = at + 1;
  if (i < text.size() && text[i] == L'#') {
    ++i;
    bool hex = i < text.size() && (text[i] == L'x' || text[i] == L'X');
    if (hex) ++i;
    size_t digits_start = i;
    unsigned long code = 0;
    while (i < text.size() && (hex ? std::iswxdigit(text[i]) : std::iswdigit(text[i]))) {
      wchar_t c = text[i];
      unsigned digit = std::iswdigit(c) ? c - L'0' : (std::towlower(c) - L'a' + 10);
      if (code <= 0x10FFFF) code = code * (hex ? 16 : 10) + digit;
      ++i;
    }
    if (i == digits_start) return 0;
    if (i < text.size() && text[i] == L';') ++i;
    AppendCodePoint(out, code);
    return i - at;
  }
  size_t name_start = i;
  while (i < text.size() && std::iswalnum(text[i]) && i - name_start < 10) ++i;
  if (i == name_start || i >= text.size() || text[i] != L';') return 0;
  std::wstring_view name = text.substr(name_start, i - name_start);
  for (const TNamedEntity& entity : kNamed) {
    if (name == entity.name) {
      out += entity.value;
      return i + 1 - at;
    }
  }
  return 0;
}

}  // namespace

std::wstring DecodeEntities(std::wstring_view text) {
  std::wstring out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    if (text[i] == L'&') {
      if (size_t used = DecodeOne(text, i, out)) {
        i += used;
        continue;
      }
    }
    out += text[i++];
  }
  return out;
}

}  // namespace standin::page
