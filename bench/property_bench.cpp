// Every property of tests/properties on a large number of generated cases: by default
// 1 000 000 cases each, spread over ten seeds (the test runs the first few thousand of
// the first three). The INI round trip goes through the system's profile functions, a file
// per call (about 3 ms a case under Wine), and has its own count, 100 000 by default; a
// property the program is known to break runs 10 000 cases, enough to show how often.
//   property_bench [cases per property] [cases of the INI round trip]

#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string>

#include "Properties.h"

int wmain(int argc, wchar_t** argv) {
  const std::uint64_t cases = argc > 1 ? std::wcstoull(argv[1], nullptr, 10) : 1000000;
  const std::uint64_t iniCases = argc > 2 ? std::wcstoull(argv[2], nullptr, 10) : 100000;
  const std::uint64_t seeds = 10;
  int failed = 0;
  for (const properties::TProperty& property : properties::AllProperties()) {
    std::uint64_t total = std::string(property.Name).find("Ini") != std::string::npos ? iniCases : cases;
    if (property.KnownFault && total > 10000) total = 10000;
    auto start = std::chrono::steady_clock::now();
    std::uint64_t ran = 0, failures = 0;
    std::string first;
    for (std::uint64_t seed = 1; seed <= seeds; ++seed) {
      properties::TOutcome outcome = property.Check(seed * 7919, total / seeds);
      ran += outcome.Cases;
      failures += outcome.Failures;
      if (first.empty() && outcome.Failures) first = "seed " + std::to_string(seed * 7919) + ": " + outcome.FirstFailure;
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("property %-32s cases %9llu  failures %6llu  %7.1f s%s%s%s%s\n", property.Name,
                static_cast<unsigned long long>(ran), static_cast<unsigned long long>(failures), seconds,
                property.KnownFault ? "  known fault: " : "", property.KnownFault ? property.KnownFault : "",
                first.empty() ? "" : "  first: ", first.c_str());
    std::fflush(stdout);
    failed += failures > 0 && !property.KnownFault;
  }
  return failed;
}
