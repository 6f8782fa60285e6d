// Time conversions in a zone five hours behind UTC without summer time: the test is registered
// with TZ=EST5, which Wine follows.

#include <gtest/gtest.h>

#include "ceflib/cef_time.h"

namespace ceflib::test {
namespace {

cef_time_t Utc(int year, int month, int day, int hour, int minute) {
  cef_time_t t{};
  t.year = year;
  t.month = month;
  t.day_of_month = day;
  t.hour = hour;
  t.minute = minute;
  return t;
}

struct TFields {
  int Year, Month, Day, DayOfWeek, Hour, Minute;
  bool operator==(const TFields&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TFields& f) {
  return out << f.Year << '-' << f.Month << '-' << f.Day << " (" << f.DayOfWeek << ") " << f.Hour << ':' << f.Minute;
}

TFields LocalFields(TDateTime local) {
  SYSTEMTIME st = DateTimeToSystemTime(local);
  return {st.wYear, st.wMonth, st.wDay, st.wDayOfWeek, st.wHour, st.wMinute};
}

TFields UtcFields(const cef_time_t& t) { return {t.year, t.month, t.day_of_month, t.day_of_week, t.hour, t.minute}; }

TDateTime Local(int year, int month, int day, int hour, int minute) {
  return EncodeDate(year, month, day) + EncodeTime(hour, minute, 0, 0);
}

TEST(CefTimeInAZoneBehindUtc, ZoneIsInForce) {
  TIME_ZONE_INFORMATION zone;
  GetTimeZoneInformation(&zone);
  ASSERT_EQ(zone.Bias, 300) << "the test needs TZ=EST5";
}

TEST(CefTimeInAZoneBehindUtc, MondayEarlyInUtcIsSundayEveningHereAndBack) {
  EXPECT_EQ(LocalFields(CefTimeToLocalDateTime(Utc(2024, 3, 4, 2, 0))), (TFields{2024, 3, 3, 0, 21, 0}));
  EXPECT_EQ(UtcFields(LocalDateTimeToCefTime(Local(2024, 3, 3, 21, 0))), (TFields{2024, 3, 4, 1, 2, 0}));
}

TEST(CefTimeInAZoneBehindUtc, DateBefore1899CrossesMidnightBothWays) {
  TDateTime local = CefTimeToLocalDateTime(Utc(1850, 6, 15, 3, 0));
  EXPECT_EQ(LocalFields(local), (TFields{1850, 6, 14, 5, 22, 0}));
  EXPECT_EQ(UtcFields(LocalDateTimeToCefTime(local)), (TFields{1850, 6, 15, 6, 3, 0}));
}

TEST(CefTimeInAZoneBehindUtc, LastEveningOfTheCalendar) {
  EXPECT_EQ(LocalFields(CefTimeToLocalDateTime(Utc(9999, 12, 31, 23, 30))), (TFields{9999, 12, 31, 5, 18, 30}));
  // Local 23:30 is already year 10000 in UTC; the runtime's record takes it as it is.
  EXPECT_EQ(UtcFields(LocalDateTimeToCefTime(Local(9999, 12, 31, 23, 30))), (TFields{10000, 1, 1, 6, 4, 30}));
}

}  // namespace
}  // namespace ceflib::test
