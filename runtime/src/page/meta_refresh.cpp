#include "meta_refresh.h"

#include <cwctype>

namespace standin::page {

namespace {

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\f'; }

}  // namespace

std::optional<TMetaRefresh> ParseRefreshContent(std::wstring_view content) {
  size_t i = 0;
  while (i < content.size() && IsSpace(content[i])) ++i;
  size_t number_start = i;
  double seconds = 0;
  while (i < content.size() && std::iswdigit(content[i])) seconds = seconds * 10 + (content[i++] - L'0');
  bool had_digits = i > number_start;
  if (i < content.size() && content[i] == L'.') {
    ++i;
    double scale = 0.1;
    while (i < content.size() && std::iswdigit(content[i])) {
      seconds += (content[i++] - L'0') * scale;
      scale /= 10;
    }
    had_digits = had_digits || i > number_start + 1;
  }
  if (!had_digits) return std::nullopt;
  TMetaRefresh refresh;
  refresh.seconds = seconds;
  if (i < content.size() && !IsSpace(content[i]) && content[i] != L';' && content[i] != L',') return std::nullopt;
  while (i < content.size() && (IsSpace(content[i]) || content[i] == L';' || content[i] == L',')) ++i;
  std::wstring_view rest = content.substr(i);
  // "url=" is optional, in any letter case, with blanks around '='.
  if (rest.size() >= 3 && std::towlower(rest[0]) == L'u' && std::towlower(rest[1]) == L'r' &&
      std::towlower(rest[2]) == L'l') {
    size_t j = 3;
    while (j < rest.size() && IsSpace(rest[j])) ++j;
    if (j < rest.size() && rest[j] == L'=') {
      ++j;
      while (j < rest.size() && IsSpace(rest[j])) ++j;
      rest = rest.substr(j);
    }
  }
  if (!rest.empty() && (rest.front() == L'"' || rest.front() == L'\'')) {
    wchar_t quote = rest.front();
    rest.remove_prefix(1);
    rest = rest.substr(0, rest.find(quote));
  }
  while (!rest.empty() && IsSpace(rest.back())) rest.remove_suffix(1);
  refresh.url = std::wstring(rest);
  return refresh;
}

}  // namespace standin::page
