#include "ceflib/cef_time.h"

#include <cmath>
#include <cstdint>

#include "ceflib/cef_errors.h"

namespace ceflib {
namespace {

constexpr double MSecsPerDay = 86400000.0;

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
  static constexpr int Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : Days[month - 1];
}

// Days since 1 January 1970 of a proleptic Gregorian date, and back.
int64_t DaysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

// TDateTime counts days from 30 December 1899.
const int64_t DateTimeEpoch = DaysFromCivil(1899, 12, 30);
// Day 0 of TDateTime was a Saturday.
constexpr int EpochDayOfWeek = 6;

// Whole days from 1 January 1 to 31 December 9999 inclusive.
const double MinDate = static_cast<double>(DaysFromCivil(1, 1, 1) - DateTimeEpoch);
const double MaxDateExclusive = static_cast<double>(DaysFromCivil(9999, 12, 31) - DateTimeEpoch + 1);

WORD DayOfWeek(int64_t days) { return static_cast<WORD>(((days + EpochDayOfWeek) % 7 + 7) % 7); }

}  // namespace

SYSTEMTIME UnpackCefTime(const cef_time_t& time) noexcept {
  SYSTEMTIME result;
  result.wYear = static_cast<WORD>(time.year);
  result.wMonth = static_cast<WORD>(time.month);
  result.wDayOfWeek = static_cast<WORD>(time.day_of_week);
  result.wDay = static_cast<WORD>(time.day_of_month);
  result.wHour = static_cast<WORD>(time.hour);
  result.wMinute = static_cast<WORD>(time.minute);
  result.wSecond = static_cast<WORD>(time.second);
  result.wMilliseconds = static_cast<WORD>(time.millisecond);
  return result;
}

cef_time_t PackCefTime(const SYSTEMTIME& time) noexcept {
  cef_time_t result;
  result.year = time.wYear;
  result.month = time.wMonth;
  result.day_of_week = time.wDayOfWeek;
  result.day_of_month = time.wDay;
  result.hour = time.wHour;
  result.minute = time.wMinute;
  result.second = time.wSecond;
  result.millisecond = time.wMilliseconds;
  return result;
}

TDateTime EncodeDate(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
    throw EConvertError("Invalid argument to date encode");
  return static_cast<double>(DaysFromCivil(year, month, day) - DateTimeEpoch);
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
  if (hour < 0 || hour >= 24 || minute < 0 || minute >= 60 || second < 0 || second >= 60 ||
      millisecond < 0 || millisecond >= 1000)
    throw EConvertError("Invalid argument to time encode");
  return (((hour * 60 + minute) * 60 + second) * 1000 + millisecond) / MSecsPerDay;
}

TDateTime SystemTimeToDateTime(const SYSTEMTIME& time) {
  TDateTime date = EncodeDate(time.wYear, time.wMonth, time.wDay);
  TDateTime timeOfDay = EncodeTime(time.wHour, time.wMinute, time.wSecond, time.wMilliseconds);
  // Before the epoch the whole part counts back and the fraction still counts forward from it.
  return date >= 0 ? date + timeOfDay : date - timeOfDay;
}

SYSTEMTIME DateTimeToSystemTime(TDateTime time) {
  if (!(time >= MinDate && time < MaxDateExclusive)) throw EConvertError("Invalid argument to date decode");
  int64_t days = static_cast<int64_t>(std::trunc(time));
  int64_t msecs = std::llround(std::fabs(time - std::trunc(time)) * MSecsPerDay);
  if (msecs >= static_cast<int64_t>(MSecsPerDay)) {  // rounded up to the next midnight
    msecs = 0;
    days += time >= 0 ? 1 : -1;
  }
  SYSTEMTIME result{};
  int year, month, day;
  CivilFromDays(days + DateTimeEpoch, year, month, day);
  result.wYear = static_cast<WORD>(year);
  result.wMonth = static_cast<WORD>(month);
  result.wDay = static_cast<WORD>(day);
  result.wDayOfWeek = DayOfWeek(days);
  result.wHour = static_cast<WORD>(msecs / 3600000);
  result.wMinute = static_cast<WORD>(msecs / 60000 % 60);
  result.wSecond = static_cast<WORD>(msecs / 1000 % 60);
  result.wMilliseconds = static_cast<WORD>(msecs % 1000);
  return result;
}

TDateTime CefTimeToLocalDateTime(const cef_time_t& time) {
  SYSTEMTIME utc = UnpackCefTime(time);
  // Check the value itself first: some systems roll an impossible date such as 29 February
  // 2001 over into the next month instead of failing the zone conversion.
  SystemTimeToDateTime(utc);
  SYSTEMTIME local = utc;  // a failed conversion leaves the value as it was
  SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
  return SystemTimeToDateTime(local);
}

cef_time_t LocalDateTimeToCefTime(TDateTime time) {
  SYSTEMTIME local = DateTimeToSystemTime(time);
  SYSTEMTIME utc = local;  // a failed conversion leaves the value as it was
  TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc);
  // The conversion may move the date; the day of week follows the date it ends on.
  utc.wDayOfWeek = DayOfWeek(DaysFromCivil(utc.wYear, utc.wMonth, utc.wDay) - DateTimeEpoch);
  return PackCefTime(utc);
}

}  // namespace ceflib
