#pragma once
// Points in time across the runtime boundary: cef_time_t (UTC) to and from TDateTime (local).

#include <windows.h>

#include <cef_capi.h>

#include "ceflib/cef_types.h"

namespace ceflib {

// Each field copied in order, keeping its low 16 bits.
SYSTEMTIME UnpackCefTime(const cef_time_t& time) noexcept;
// Each field copied in order, zero-extended to 32 bits.
cef_time_t PackCefTime(const SYSTEMTIME& time) noexcept;

// A UTC runtime time as local TDateTime. Raises EConvertError "Invalid argument to date encode"
// or "Invalid argument to time encode" for a value that is not a calendar date and time.
TDateTime CefTimeToLocalDateTime(const cef_time_t& time);
// A local TDateTime as a UTC runtime time (day_of_week filled from the date).
cef_time_t LocalDateTimeToCefTime(TDateTime time);

// The calendar conversions underneath, with the same validity rules (the day of week of the
// SYSTEMTIME is ignored; for a date before 30 December 1899 the time of day is subtracted).
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
TDateTime SystemTimeToDateTime(const SYSTEMTIME& time);
// Raises EConvertError "Invalid argument to date decode" for a value outside years 1 to 9999
// (or not a number).
SYSTEMTIME DateTimeToSystemTime(TDateTime time);

}  // namespace ceflib
