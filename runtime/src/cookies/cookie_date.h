#pragma once
// The date format of a cookie's Expires attribute, read the forgiving way browsers do
// ("Wed, 21 Oct 2015 07:28:00 GMT", "Wednesday, 21-Oct-15 07:28:00 GMT", "Oct 21 2015 7:28:0").

#include <cstdint>
#include <optional>
#include <string_view>

namespace standin::cookies {

// Seconds since 1970-01-01 UTC; nothing when the text holds no valid date.
std::optional<int64_t> ParseCookieDate(std::string_view text);

// Seconds since 1970-01-01 UTC of a civil date and time (proleptic Gregorian calendar).
int64_t UtcSeconds(int year, int month, int day, int hour, int minute, int second);

}  // namespace standin::cookies
