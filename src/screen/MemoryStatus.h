#pragma once
// The status line's memory figure.

#include <cstdint>
#include <string>

struct TNumberSeparators {
  std::wstring Decimal = L".";
  std::wstring Thousands = L",";
};

// The user's locale separators.
TNumberSeparators UserNumberSeparators();

// "Total Memory Usage: <MiB with thousands separators and one decimal> MB".
std::wstring MemoryStatusText(std::uint64_t workingSetBytes, const TNumberSeparators& separators);
