// The cookie visitor as the runtime calls it: every cookie reaches the procedure, whatever its
// dates, and the procedure's answers reach the runtime.

#include <gtest/gtest.h>

#include "ceflib/cef_cookie.h"

namespace ceflib::test {
namespace {

struct TSeen {
  int Visits = 0;
  bool HasExpires = true;
  TDateTime Expires = -1, Creation = -1;
};

// Calls the visitor record as the runtime does; returns what visit answered.
int Visit(const TCefCookieVisitorProc& proc, const cef_cookie_t& cookie, int& deleteCookie) {
  auto visitor = MakeRef<TCefFastCookieVisitor>(proc);
  auto* record = static_cast<cef_cookie_visitor_t*>(CefStructOf(visitor));
  int result = record->visit(record, &cookie, 0, 1, &deleteCookie);
  record->base.release(&record->base);
  return result;
}

TCefCookieVisitorProc Recording(TSeen& seen, bool goOn, bool deleteIt) {
  return [&seen, goOn, deleteIt](const ustring&, const ustring&, const ustring&, const ustring&, bool, bool,
                                 bool hasExpires, TDateTime creation, TDateTime, TDateTime expires, int, int,
                                 bool& deleteCookie) {
    ++seen.Visits;
    seen.HasExpires = hasExpires;
    seen.Expires = expires;
    seen.Creation = creation;
    deleteCookie = deleteIt;
    return goOn;
  };
}

cef_time_t Time(int year, int month, int day) {
  cef_time_t t{};
  t.year = year;
  t.month = month;
  t.day_of_month = day;
  return t;
}

TEST(CookieVisitor, ACookieWithoutExpiryArrivesWithTheZeroDate) {
  cef_cookie_t cookie{};
  cookie.creation = Time(2020, 5, 6);
  cookie.last_access = Time(2020, 5, 6);
  cookie.expires = Time(2030, 1, 1);  // ignored without has_expires
  TSeen seen;
  int deleteCookie = 7;
  EXPECT_EQ(Visit(Recording(seen, true, false), cookie, deleteCookie), 1);
  EXPECT_EQ(seen.Visits, 1);
  EXPECT_FALSE(seen.HasExpires);
  EXPECT_EQ(seen.Expires, 0.0);
  EXPECT_EQ(deleteCookie, 0);
}

TEST(CookieVisitor, DatesWithoutALocalCalendarValueArriveAsZeroAndTheVisitGoesOn) {
  // Year 10000 is what 31 December 9999 UTC becomes east of UTC.
  const cef_time_t outOfRange[] = {Time(10000, 1, 1), Time(2020, 13, 1), Time(2021, 2, 29)};
  for (const cef_time_t& time : outOfRange) {
    cef_cookie_t cookie{};
    cookie.has_expires = 1;
    cookie.expires = time;
    cookie.creation = time;
    cookie.last_access = Time(2020, 5, 6);
    TSeen seen;
    int deleteCookie = 0;
    EXPECT_EQ(Visit(Recording(seen, true, true), cookie, deleteCookie), 1) << time.year << "-" << time.month;
    EXPECT_EQ(seen.Visits, 1);
    EXPECT_TRUE(seen.HasExpires);
    EXPECT_EQ(seen.Expires, 0.0);
    EXPECT_EQ(seen.Creation, 0.0);
    EXPECT_EQ(deleteCookie, 1);
  }
}

TEST(CookieVisitor, StoppingStillHandsTheDeleteFlagToTheRuntime) {
  cef_cookie_t cookie{};
  TSeen seen;
  int deleteCookie = 0;
  EXPECT_EQ(Visit(Recording(seen, false, true), cookie, deleteCookie), 0);
  EXPECT_EQ(deleteCookie, 1);
}

}  // namespace
}  // namespace ceflib::test
