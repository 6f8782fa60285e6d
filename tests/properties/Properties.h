#pragma once
// Properties of the program's text handling, checked on generated inputs. Each check draws
// its cases from one seed (the same seed gives the same cases) and reports how many it ran
// and the first case that broke a rule. Shared by the test and by the property benchmark,
// which runs them at a much larger count.

#include <cstdint>
#include <string>
#include <vector>

namespace properties {

struct TOutcome {
  std::uint64_t Cases = 0;
  std::uint64_t Failures = 0;
  std::string FirstFailure;  // the rule and the input, escaped to ASCII
};

using TCheck = TOutcome (*)(std::uint64_t seed, std::uint64_t cases);

struct TProperty {
  const char* Name;
  TCheck Check;
  // Set where the program is known to break the property: the fault, in a few words.
  const char* KnownFault = nullptr;
};

// Every property, in a fixed order.
const std::vector<TProperty>& AllProperties();

}  // namespace properties
