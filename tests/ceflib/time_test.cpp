// Points in time: cef_time_t (UTC) to and from TDateTime (local), and the calendar underneath.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ceflib/cef_errors.h"
#include "ceflib/cef_time.h"

namespace ceflib::test {
namespace {

cef_time_t Time(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int ms = 0) {
  cef_time_t t{};
  t.year = year;
  t.month = month;
  t.day_of_month = day;
  t.hour = hour;
  t.minute = minute;
  t.second = second;
  t.millisecond = ms;
  return t;
}

std::string ConversionError(const cef_time_t& time) {
  try {
    CefTimeToLocalDateTime(time);
  } catch (const EConvertError& e) {
    return e.what();
  }
  return "no error";
}

TEST(CefTime, FirstOfJanuary2000RoundTripsThroughLocalTime) {
  cef_time_t utc = Time(2000, 1, 1);
  utc.day_of_week = 3;  // wrong on purpose: it is recomputed from the date
  cef_time_t back = LocalDateTimeToCefTime(CefTimeToLocalDateTime(utc));
  EXPECT_EQ(back.year, 2000);
  EXPECT_EQ(back.month, 1);
  EXPECT_EQ(back.day_of_month, 1);
  EXPECT_EQ(back.hour, 0);
  EXPECT_EQ(back.minute, 0);
  EXPECT_EQ(back.second, 0);
  EXPECT_EQ(back.millisecond, 0);
  EXPECT_EQ(back.day_of_week, 6);  // a Saturday
}

TEST(CefTime, PackKeepsEveryFieldZeroExtended) {
  SYSTEMTIME st{2024, 2, 4, 29, 23, 59, 58, 999};
  cef_time_t t = PackCefTime(st);
  EXPECT_EQ(t.year, 2024);
  EXPECT_EQ(t.month, 2);
  EXPECT_EQ(t.day_of_week, 4);
  EXPECT_EQ(t.day_of_month, 29);
  EXPECT_EQ(t.hour, 23);
  EXPECT_EQ(t.minute, 59);
  EXPECT_EQ(t.second, 58);
  EXPECT_EQ(t.millisecond, 999);
  SYSTEMTIME high{0xFFFF, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(PackCefTime(high).year, 65535);
}

TEST(CefTime, UnpackKeepsTheLow16BitsOfEachField) {
  cef_time_t t = Time(70000, 12, 31, 1, 2, 3, 999);
  t.day_of_week = -1;
  SYSTEMTIME st = UnpackCefTime(t);
  EXPECT_EQ(st.wYear, 70000 & 0xFFFF);
  EXPECT_EQ(st.wMonth, 12);
  EXPECT_EQ(st.wDayOfWeek, 0xFFFF);
  EXPECT_EQ(st.wDay, 31);
  EXPECT_EQ(st.wHour, 1);
  EXPECT_EQ(st.wMinute, 2);
  EXPECT_EQ(st.wSecond, 3);
  EXPECT_EQ(st.wMilliseconds, 999);
}

TEST(CefTime, InvalidDatesFailWithTheDateEncodeError) {
  const std::string date = "Invalid argument to date encode";
  EXPECT_EQ(ConversionError(cef_time_t{}), date);
  EXPECT_EQ(ConversionError(Time(2001, 2, 29)), date);
  EXPECT_EQ(ConversionError(Time(2000, 13, 1)), date);
  EXPECT_EQ(ConversionError(Time(2000, 4, 31)), date);
  EXPECT_EQ(ConversionError(Time(10000, 6, 15)), date);
}

TEST(CefTime, InvalidTimesFailWithTheTimeEncodeError) {
  const std::string time = "Invalid argument to time encode";
  EXPECT_EQ(ConversionError(Time(2000, 1, 1, 24)), time);
  EXPECT_EQ(ConversionError(Time(2000, 1, 1, 0, 60)), time);
  EXPECT_EQ(ConversionError(Time(2000, 1, 1, 0, 0, 60)), time);  // a leap second too
  EXPECT_EQ(ConversionError(Time(2000, 1, 1, 0, 0, 0, 1000)), time);
}

// A day inside the ends, so that no time zone moves them out of the calendar.
TEST(CefTime, DatesNearTheEndsOfTheCalendarAreValid) {
  EXPECT_EQ(ConversionError(Time(2000, 2, 29, 23, 59, 59, 999)), "no error");
  EXPECT_EQ(ConversionError(Time(1, 1, 2)), "no error");
  EXPECT_EQ(ConversionError(Time(9999, 12, 30, 23, 59, 59, 999)), "no error");
}

TEST(DateTime, CountsDaysFromThe30thOfDecember1899) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
  EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
  EXPECT_EQ(EncodeDate(1, 1, 1), -693593.0);
  EXPECT_EQ(EncodeTime(12, 0, 0, 0), 0.5);
}

TEST(DateTime, BeforeTheEpochTheTimeOfDayIsSubtracted) {
  SYSTEMTIME st{1899, 12, 0, 29, 6, 0, 0, 0};
  EXPECT_EQ(SystemTimeToDateTime(st), -1.25);
  SYSTEMTIME back = DateTimeToSystemTime(-1.25);
  EXPECT_EQ(back.wYear, 1899);
  EXPECT_EQ(back.wMonth, 12);
  EXPECT_EQ(back.wDay, 29);
  EXPECT_EQ(back.wHour, 6);
  EXPECT_EQ(back.wDayOfWeek, 5);  // a Friday
}

TEST(DateTime, SplitsIntoFieldsWithTheDayOfWeek) {
  SYSTEMTIME st = DateTimeToSystemTime(EncodeDate(2024, 2, 29) + EncodeTime(13, 14, 15, 16));
  EXPECT_EQ(st.wYear, 2024);
  EXPECT_EQ(st.wMonth, 2);
  EXPECT_EQ(st.wDay, 29);
  EXPECT_EQ(st.wDayOfWeek, 4);  // a Thursday
  EXPECT_EQ(st.wHour, 13);
  EXPECT_EQ(st.wMinute, 14);
  EXPECT_EQ(st.wSecond, 15);
  EXPECT_EQ(st.wMilliseconds, 16);
}

TEST(DateTime, FractionRoundingUpToAWholeDayGivesTheNextMidnight) {
  // 23:59:59.9996 is nearer to the next day's 00:00:00.000 than to 23:59:59.999.
  SYSTEMTIME st = DateTimeToSystemTime(EncodeDate(2024, 2, 29) + 86399999.6 / 86400000.0);
  EXPECT_EQ(st.wYear, 2024);
  EXPECT_EQ(st.wMonth, 3);
  EXPECT_EQ(st.wDay, 1);
  EXPECT_EQ(st.wDayOfWeek, 5);  // a Friday
  EXPECT_EQ(st.wHour, 0);
  EXPECT_EQ(st.wMinute, 0);
  EXPECT_EQ(st.wSecond, 0);
  EXPECT_EQ(st.wMilliseconds, 0);
}

TEST(DateTime, ValuesOutsideTheCalendarCannotBeSplit) {
  EXPECT_THROW(DateTimeToSystemTime(std::numeric_limits<double>::quiet_NaN()), EConvertError);
  EXPECT_THROW(DateTimeToSystemTime(std::numeric_limits<double>::infinity()), EConvertError);
  EXPECT_THROW(DateTimeToSystemTime(EncodeDate(9999, 12, 31) + 1), EConvertError);
  EXPECT_THROW(DateTimeToSystemTime(EncodeDate(1, 1, 1) - 1), EConvertError);
}

}  // namespace
}  // namespace ceflib::test
