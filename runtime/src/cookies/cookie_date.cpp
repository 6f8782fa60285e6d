#include "cookie_date.h"

#include <cctype>
#include <string>
#include <vector>

namespace standin::cookies {

namespace {

bool IsDelimiter(unsigned char c) {
  return c == 0x09 || (c >= 0x20 && c <= 0x2F) || (c >= 0x3B && c <= 0x40) || (c >= 0x5B && c <= 0x60) ||
         (c >= 0x7B && c <= 0x7E);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads 1..max digits at the start; the rest must not start with a digit.
bool LeadingNumber(std::string_view token, size_t min, size_t max, int& value, size_t& used) {
  used = 0;
  value = 0;
  while (used < token.size() && IsDigit(token[used])) {
    if (used == max) return false;
    value = value * 10 + (token[used] - '0');
    ++used;
  }
  return used >= min;
}

bool ParseTime(std::string_view token, int& hour, int& minute, int& second) {
  int parts[3];
  size_t position = 0;
  for (int i = 0; i < 3; ++i) {
    size_t used;
    if (!LeadingNumber(token.substr(position), 1, 2, parts[i], used)) return false;
    position += used;
    if (i < 2) {
      if (position >= token.size() || token[position] != ':') return false;
      ++position;
    }
  }
  hour = parts[0];
  minute = parts[1];
  second = parts[2];
  return true;
}

int ParseMonth(std::string_view token) {
  static const char* const kMonths[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                        "jul", "aug", "sep", "oct", "nov", "dec"};
  if (token.size() < 3) return 0;
  std::string prefix;
  for (size_t i = 0; i < 3; ++i) prefix += static_cast<char>(std::tolower(static_cast<unsigned char>(token[i])));
  for (int i = 0; i < 12; ++i)
    if (prefix == kMonths[i]) return i + 1;
  return 0;
}

}  // namespace

int64_t UtcSeconds(int year, int month, int day, int hour, int minute, int second) {
  // Days from civil, after Howard Hinnant's algorithm.
  int64_t y = year - (month <= 2 ? 1 : 0);
  int64_t era = (y >= 0 ? y : y - 399) / 400;
  int64_t yoe = y - era * 400;
  int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  int64_t days = era * 146097 + doe - 719468;
  return days * 86400 + hour * 3600 + minute * 60 + second;
}

std::optional<int64_t> ParseCookieDate(std::string_view text) {
  std::vector<std::string_view> tokens;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || IsDelimiter(static_cast<unsigned char>(text[i]))) {
      if (i > start) tokens.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  bool found_time = false, found_day = false, found_month = false, found_year = false;
  int hour = 0, minute = 0, second = 0, day = 0, month = 0, year = 0;
  for (std::string_view token : tokens) {
    size_t used;
    int value;
    if (!found_time && ParseTime(token, hour, minute, second)) {
      found_time = true;
    } else if (!found_day && LeadingNumber(token, 1, 2, value, used)) {
      found_day = true;
      day = value;
    } else if (!found_month && ParseMonth(token) != 0) {
      found_month = true;
      month = ParseMonth(token);
    } else if (!found_year && LeadingNumber(token, 2, 4, value, used)) {
      found_year = true;
      year = value;
    }
  }
  if (!found_time || !found_day || !found_month || !found_year) return std::nullopt;
  if (year >= 70 && year <= 99) year += 1900;
  if (year >= 0 && year <= 69) year += 2000;
  if (day < 1 || day > 31 || year < 1601 || hour > 23 || minute > 59 || second > 59) return std::nullopt;
  return UtcSeconds(year, month, day, hour, minute, second);
}

}  // namespace standin::cookies
