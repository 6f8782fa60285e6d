#include "ceffilescheme/FileInfo.h"

#include <array>
#include <cstdio>

namespace ceffilescheme {
namespace {

const wchar_t kHex[] = L"0123456789ABCDEF";

void AppendUnicodeEscape(std::wstring& out, wchar_t c) {
  out += L"\\u";
  for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(c >> shift) & 0xF];
}

// The user's decimal separator, read once: the format settings of the process.
const std::wstring& DecimalSeparator() {
  static const std::wstring separator = [] {
    wchar_t buffer[8] = L".";
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, 8) <= 1) return std::wstring(L".");
    return std::wstring(buffer);
  }();
  return separator;
}

std::wstring OneDecimal(double value, const wchar_t* unit) {
  wchar_t buffer[64];
  std::swprintf(buffer, 64, L"%.1f", value);
  std::wstring text = buffer;
  size_t dot = text.find(L'.');
  if (dot != std::wstring::npos) text.replace(dot, 1, DecimalSeparator());
  return text + L" " + unit;
}

std::wstring DateText(const SYSTEMTIME& time, DWORD flags, bool isTime) {
  wchar_t buffer[128];
  int n = isTime ? GetTimeFormatW(LOCALE_USER_DEFAULT, flags, &time, nullptr, buffer, 128)
                 : GetDateFormatW(LOCALE_USER_DEFAULT, flags, &time, nullptr, buffer, 128);
  return n > 1 ? std::wstring(buffer, n - 1) : std::wstring();
}

}  // namespace

std::wstring EscapeJsString(std::wstring_view text) {
  std::wstring out;
  out.reserve(text.size() + 8);
  for (wchar_t c : text) {
    if (c == L'\0') break;
    if (c == L'"' || c == L'\\') {
      out += L'\\';
      out += c;
    } else if (c >= 0x80 || c < 0x20 || c == L'<') {
      AppendUnicodeEscape(out, c);
    } else {
      out += c;
    }
  }
  return out;
}

std::wstring TFileInfo::DisplaySize() const {
  constexpr int64_t kB = int64_t(1) << 10;
  if (size < kB) return std::to_wstring(size) + L" B";
  static const wchar_t* const kUnits[] = {L"kB", L"MB", L"GB", L"TB", L"PB"};
  for (int i = 0; i < 5; ++i) {
    int shift = 10 * (i + 2);
    if (size < (int64_t(1) << shift)) return OneDecimal(static_cast<double>(size) / static_cast<double>(int64_t(1) << (shift - 10)), kUnits[i]);
  }
  return L"big";
}

std::wstring TFileInfo::DisplayDate() const {
  // Files written together share their second (an unpacked archive, a copied folder), and
  // a listing meets them in name order, not in time order: the texts of the seconds this
  // thread formatted last serve them without asking the system again. A whole-second time
  // differs from one with milliseconds only at midnight, so that is part of the key.
  struct TSlot {
    uint64_t Key = ~uint64_t(0);
    std::wstring Text;
  };
  thread_local std::array<TSlot, 64> recent;
  const uint64_t ticks = (static_cast<uint64_t>(date.dwHighDateTime) << 32) | date.dwLowDateTime;
  const uint64_t key = (ticks / 10000000) * 2 + (ticks % 10000000 < 10000 ? 1 : 0);
  TSlot& slot = recent[key % recent.size()];
  if (slot.Key != key) {
    slot.Text = FormattedDate();
    slot.Key = key;
  }
  return slot.Text;
}

std::wstring TFileInfo::FormattedDate() const {
  // A time near either end of the file-time range does not survive the shift to local time
  // on every side of UTC; such an entry is listed without a date instead of failing the page.
  FILETIME local;
  SYSTEMTIME parts;
  if (!FileTimeToLocalFileTime(&date, &local) || !FileTimeToSystemTime(&local, &parts)) return {};
  if (parts.wYear < 1 || parts.wYear > 9999) return {};
  std::wstring text = DateText(parts, DATE_SHORTDATE, false);
  bool midnight = parts.wHour == 0 && parts.wMinute == 0 && parts.wSecond == 0 && parts.wMilliseconds == 0;
  if (!midnight) text += L" " + DateText(parts, 0, true);
  return text;
}

std::wstring TFileInfo::Display() const {
  std::wstring escaped = EscapeJsString(name);
  // Size and date texts come from the user's formats, which may hold any character: they
  // are escaped like the name.
  return L"<script>addRow(\"" + escaped + L"\",\"" + escaped + L"\"," + (IsFolder() ? L"1" : L"0") + L",\"" +
         EscapeJsString(DisplaySize()) + L"\",\"" + EscapeJsString(DisplayDate()) + L"\");</script>\r\n";
}

}  // namespace ceffilescheme
