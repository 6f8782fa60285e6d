#include "screen/MemoryStatus.h"

#include <windows.h>

#include <cstdio>

namespace {

std::wstring LocaleText(LCTYPE item, const wchar_t* fallback) {
  wchar_t text[8];
  int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, item, text, 8);
  return n > 1 ? std::wstring(text, n - 1) : fallback;
}

// Digits of a non-negative number with one decimal, the whole part grouped by threes.
std::wstring GroupedOneDecimal(double value, const TNumberSeparators& separators) {
  wchar_t digits[64];
  std::swprintf(digits, 64, L"%.1f", value);
  std::wstring text(digits);
  std::size_t point = text.find(L'.');
  std::wstring whole = text.substr(0, point);
  std::wstring grouped;
  for (std::size_t i = 0; i < whole.size(); ++i) {
    if (i > 0 && (whole.size() - i) % 3 == 0) grouped += separators.Thousands;
    grouped += whole[i];
  }
  return grouped + separators.Decimal + text.substr(point + 1);
}

}  // namespace

TNumberSeparators UserNumberSeparators() {
  return {LocaleText(LOCALE_SDECIMAL, L"."), LocaleText(LOCALE_STHOUSAND, L",")};
}

std::wstring MemoryStatusText(std::uint64_t workingSetBytes, const TNumberSeparators& separators) {
  double megabytes = static_cast<double>(workingSetBytes) / 1024 / 1024;
  return L"Total Memory Usage: " + GroupedOneDecimal(megabytes, separators) + L" MB";
}
