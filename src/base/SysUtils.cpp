#include "base/SysUtils.h"

#include <windows.h>

#include <cstdint>

std::string WideToUtf8(std::wstring_view text) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string result(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), n, nullptr, nullptr);
  return result;
}

std::wstring Utf8ToWide(std::string_view text) {
  if (text.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring result(n, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), n);
  return result;
}

namespace {

bool IsBlank(wchar_t c) { return c <= L' '; }

int DigitValue(wchar_t c, int base) {
  int v = -1;
  if (c >= L'0' && c <= L'9') v = c - L'0';
  else if (c >= L'a' && c <= L'f') v = c - L'a' + 10;
  else if (c >= L'A' && c <= L'F') v = c - L'A' + 10;
  return v < base ? v : -1;
}

}  // namespace

std::optional<int> TryStrToInt(std::wstring_view text) {
  size_t i = 0, end = text.size();
  while (i < end && IsBlank(text[i])) ++i;
  while (end > i && IsBlank(text[end - 1])) --end;
  bool negative = false;
  if (i < end && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
  int base = 10;
  if (i < end && text[i] == L'$') {
    base = 16;
    ++i;
  } else if (end - i >= 2 && text[i] == L'0' && (text[i + 1] == L'x' || text[i + 1] == L'X')) {
    base = 16;
    i += 2;
  }
  if (i == end) return std::nullopt;
  std::int64_t magnitude = 0;
  for (; i < end; ++i) {
    int d = DigitValue(text[i], base);
    if (d < 0) return std::nullopt;
    magnitude = magnitude * base + d;
    if (magnitude > std::int64_t{1} << 31) return std::nullopt;
  }
  std::int64_t value = negative ? -magnitude : magnitude;
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<int>(value);
}

int StrToIntDef(std::wstring_view text, int defaultValue) { return TryStrToInt(text).value_or(defaultValue); }

std::wstring IntToStr(long long value) { return std::to_wstring(value); }

std::wstring Trim(std::wstring_view text) {
  size_t first = 0, last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return std::wstring(text.substr(first, last - first));
}

std::wstring UpperCase(std::wstring_view text) {
  std::wstring result(text);
  for (wchar_t& c : result)
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  return result;
}

std::wstring IncludeTrailingPathDelimiter(std::wstring_view path) {
  std::wstring result(path);
  if (result.empty() || (result.back() != L'\\' && result.back() != L'/')) result += L'\\';
  return result;
}

std::wstring GetEnvironmentVariableText(const std::wstring& name) {
  std::wstring value(64, L'\0');
  for (;;) {
    SetLastError(ERROR_SUCCESS);
    DWORD n = GetEnvironmentVariableW(name.c_str(), value.data(), static_cast<DWORD>(value.size()));
    if (n == 0) return {};
    if (n < value.size()) {
      value.resize(n);
      return value;
    }
    value.resize(n);  // n counts the terminator when the buffer was too small
  }
}
