#include "settings/URLList.h"

#include "base/SysUtils.h"

const wchar_t* const DefaultStartPage = L"www.example.com";

namespace {

bool IsLineBreak(wchar_t c) { return c == L'\r' || c == L'\n'; }
bool IsSeparator(wchar_t c) { return c == L',' || IsLineBreak(c); }
bool IsQuote(wchar_t c) { return c == L'\'' || c == L'"'; }

}  // namespace

void ParseURLList(std::wstring_view text, TURLList& list) {
  size_t pos = 0;
  const size_t end = text.size();
  for (;;) {
    while (pos < end && IsLineBreak(text[pos])) ++pos;
    const size_t start = pos;
    wchar_t quote = 0;
    for (; pos < end; ++pos) {
      wchar_t c = text[pos];
      if (quote) {
        if (c == quote) quote = 0;
      } else if (IsSeparator(c)) {
        break;
      } else if (IsQuote(c)) {
        quote = c;
      }
    }
    if (pos > start) list.emplace_back(text.substr(start, pos - start));
    if (pos >= end) return;
    ++pos;  // past the separator
  }
}

TURLList URLListForSetting(std::wstring_view setting) {
  TURLList list;
  if (!Trim(setting).empty()) ParseURLList(setting, list);
  // A setting of separators only would leave the monitor with nothing to show.
  if (list.empty()) list.emplace_back(DefaultStartPage);
  return list;
}
