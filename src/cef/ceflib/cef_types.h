#pragma once
// The binding's native value types.

#include <string>
#include <vector>

namespace ceflib {

// Native text: UTF-16 code units with an explicit length (wchar_t is 16 bits on Windows).
// May hold any code unit, zero included; the empty text is a valid value.
using ustring = std::wstring;

// An ordered list of texts, as the runtime's string lists carry them.
using ustringlist = std::vector<ustring>;

// A point in time: the whole part counts days since 30 December 1899, the fraction is the
// time of day. Values handed to or received from handlers are local time.
using TDateTime = double;

}  // namespace ceflib
