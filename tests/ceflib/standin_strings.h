#pragma once
// The stand-in runtime's string and list functions, loaded into the test process without
// initialising the runtime, with counters on the calls that free or allocate.

#include <windows.h>

namespace ceflib::test {

struct TStringCallCounts {
  int UserFreeFrees = 0;
  int StringSets = 0;
  int ListAllocs = 0;
  int ListFrees = 0;
};

// Loads libcef.dll from the folder the tests run in, resolves the entry-point table and puts
// counting shims in front of the counted functions. Counts start at zero on every call.
TStringCallCounts& UseStandInStrings();

}  // namespace ceflib::test
