#include "cookie_date.h"

#include <gtest/gtest.h>

namespace standin::cookies {
namespace {

TEST(CookieDate, ReadsTheCommonFormats) {
  int64_t expected = UtcSeconds(2015, 10, 21, 7, 28, 0);
  EXPECT_EQ(ParseCookieDate("Wed, 21 Oct 2015 07:28:00 GMT"), expected);
  EXPECT_EQ(ParseCookieDate("Wednesday, 21-Oct-15 07:28:00 GMT"), expected);
  EXPECT_EQ(ParseCookieDate("Wed Oct 21 07:28:00 2015"), expected);
  EXPECT_EQ(ParseCookieDate("21 october 2015 7:28:0"), expected);
}

TEST(CookieDate, MapsTwoDigitYearsAroundSeventy) {
  EXPECT_EQ(ParseCookieDate("1 Jan 70 00:00:00"), 0);
  EXPECT_EQ(ParseCookieDate("1 Jan 69 00:00:00"), UtcSeconds(2069, 1, 1, 0, 0, 0));
}

TEST(CookieDate, KnowsTheCalendar) {
  EXPECT_EQ(UtcSeconds(1970, 1, 1, 0, 0, 0), 0);
  EXPECT_EQ(UtcSeconds(2000, 3, 1, 0, 0, 0), 951868800);
  EXPECT_EQ(UtcSeconds(2038, 1, 19, 3, 14, 8), 2147483648LL);
}

TEST(CookieDate, RejectsIncompleteOrImpossibleDates) {
  EXPECT_FALSE(ParseCookieDate(""));
  EXPECT_FALSE(ParseCookieDate("Wed, 21 Oct 2015"));        // no time
  EXPECT_FALSE(ParseCookieDate("21 Foo 2015 07:28:00"));     // no month
  EXPECT_FALSE(ParseCookieDate("32 Oct 2015 07:28:00"));     // day
  EXPECT_FALSE(ParseCookieDate("21 Oct 2015 24:00:00"));     // hour
  EXPECT_FALSE(ParseCookieDate("21 Oct 1600 07:28:00"));     // year
  EXPECT_FALSE(ParseCookieDate("21 Oct 2015 07:28:000"));    // three-digit seconds
}

}  // namespace
}  // namespace standin::cookies
