// The cef_time_t conversions. A cef_time_t is a UTC calendar time; time_t and the double form
// count seconds since 1 January 1970 UTC. A record that is not a valid calendar time fails.

#include <cef_capi.h>

#include <cstdint>

namespace {

constexpr int64_t kUnixEpochIn100ns = 116444736000000000LL;  // 1601-01-01 to 1970-01-01

bool ToFileTime(const cef_time_t* t, int64_t& out) {
  if (!t) return false;
  SYSTEMTIME st = {};
  st.wYear = static_cast<WORD>(t->year);
  st.wMonth = static_cast<WORD>(t->month);
  st.wDayOfWeek = static_cast<WORD>(t->day_of_week);
  st.wDay = static_cast<WORD>(t->day_of_month);
  st.wHour = static_cast<WORD>(t->hour);
  st.wMinute = static_cast<WORD>(t->minute);
  st.wSecond = static_cast<WORD>(t->second);
  st.wMilliseconds = static_cast<WORD>(t->millisecond);
  if (t->year < 1601 || t->year > 30827) return false;
  FILETIME ft;
  if (!SystemTimeToFileTime(&st, &ft)) return false;
  out = (static_cast<int64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
  return true;
}

bool FromFileTime(int64_t value, cef_time_t* t) {
  if (!t || value < 0) return false;
  FILETIME ft;
  ft.dwLowDateTime = static_cast<DWORD>(value & 0xFFFFFFFF);
  ft.dwHighDateTime = static_cast<DWORD>(value >> 32);
  SYSTEMTIME st;
  if (!FileTimeToSystemTime(&ft, &st)) return false;
  t->year = st.wYear;
  t->month = st.wMonth;
  t->day_of_week = st.wDayOfWeek;
  t->day_of_month = st.wDay;
  t->hour = st.wHour;
  t->minute = st.wMinute;
  t->second = st.wSecond;
  t->millisecond = st.wMilliseconds;
  return true;
}

}  // namespace

int cef_time_to_timet(const cef_time_t* cef_time, __time64_t* time) {
  int64_t ft;
  if (!time || !ToFileTime(cef_time, ft)) return 0;
  *time = static_cast<__time64_t>((ft - kUnixEpochIn100ns) / 10000000);
  return 1;
}

int cef_time_from_timet(__time64_t time, cef_time_t* cef_time) {
  return FromFileTime(static_cast<int64_t>(time) * 10000000 + kUnixEpochIn100ns, cef_time) ? 1 : 0;
}

int cef_time_to_doublet(const cef_time_t* cef_time, double* time) {
  int64_t ft;
  if (!time || !ToFileTime(cef_time, ft)) return 0;
  *time = static_cast<double>(ft - kUnixEpochIn100ns) / 1e7;
  return 1;
}

int cef_time_from_doublet(double time, cef_time_t* cef_time) {
  return FromFileTime(static_cast<int64_t>(time * 1e7) + kUnixEpochIn100ns, cef_time) ? 1 : 0;
}

int cef_time_now(cef_time_t* cef_time) {
  if (!cef_time) return 0;
  FILETIME ft;
  GetSystemTimeAsFileTime(&ft);
  return FromFileTime((static_cast<int64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime, cef_time) ? 1 : 0;
}

// The delta is cef_time2 - cef_time1, in milliseconds.
int cef_time_delta(const cef_time_t* cef_time1, const cef_time_t* cef_time2, long long* delta) {
  int64_t a, b;
  if (!delta || !ToFileTime(cef_time1, a) || !ToFileTime(cef_time2, b)) return 0;
  *delta = (b - a) / 10000;
  return 1;
}
