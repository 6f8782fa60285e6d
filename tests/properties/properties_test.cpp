// A small share of the generated cases of every property, on fixed seeds; the property
// benchmark runs the same checks on a million cases and more.

#include <gtest/gtest.h>

#include "Properties.h"

namespace properties {
namespace {

class Property : public testing::TestWithParam<TProperty> {};

TEST_P(Property, HoldsOnGeneratedInputs) {
  const TProperty& property = GetParam();
  if (property.KnownFault) GTEST_SKIP() << "known fault: " << property.KnownFault;
  // The profile functions read and write a file per call: fewer of those.
  const std::uint64_t cases = std::string(property.Name).find("Ini") != std::string::npos ? 300 : 5000;
  for (std::uint64_t seed : {1u, 2u, 3u}) {
    TOutcome outcome = property.Check(seed, cases);
    EXPECT_EQ(outcome.Cases, cases);
    EXPECT_EQ(outcome.Failures, 0u) << property.Name << " seed " << seed << ": " << outcome.FirstFailure;
  }
}

INSTANTIATE_TEST_SUITE_P(All, Property, testing::ValuesIn(AllProperties()),
                         [](const testing::TestParamInfo<TProperty>& info) {
                           std::string name;
                           for (char c : std::string(info.param.Name))
                             if (std::isalnum(static_cast<unsigned char>(c))) name += c;
                           return name;
                         });

}  // namespace
}  // namespace properties
