#include "screen/Rotation.h"

#include <gtest/gtest.h>

#include <vector>

TEST(Rotation, CaptionNamesMonitorPositionAndTrimmedEntry) {
  EXPECT_EQ(LoadingCaption(1, 1, L"  a.example  "), L"Loading Screen 1/1     a.example");
  EXPECT_EQ(LoadingCaption(5, 12, L"b"), L"Loading Screen 5/12     b");
}

TEST(Rotation, ListsOfOneTwoAndThreeCycleThroughTheirPositions) {
  struct TCase {
    std::size_t Count;
    std::vector<int> Tags;  // after each tick, starting from tag 0
  };
  for (const TCase& c : {TCase{2, {1, 0, 1, 0}}, TCase{3, {1, 2, 0, 1, 2, 0}}}) {
    int tag = 0;
    for (int expected : c.Tags) {
      auto next = NextRotationTag({c.Count, tag, true, false, false});
      ASSERT_TRUE(next) << c.Count;
      EXPECT_EQ(*next, expected) << c.Count;
      tag = *next;
    }
  }
  EXPECT_FALSE(NextRotationTag({1, 0, true, false, false}));
}

TEST(Rotation, SkipsMonitorsThatCannotOrMustNotMove) {
  EXPECT_FALSE(NextRotationTag({3, 1, false, false, false})) << "no main frame";
  EXPECT_FALSE(NextRotationTag({3, 1, true, true, false})) << "operator signing in";
  EXPECT_FALSE(NextRotationTag({3, 1, true, true, true})) << "operator signing in, page failed";
  EXPECT_FALSE(NextRotationTag({0, 0, true, false, true})) << "nothing to show";
}

TEST(Rotation, SingleAddressReloadsOnlyAfterAFailedLoad) {
  EXPECT_EQ(NextRotationTag({1, 0, true, false, true}), 0);
  EXPECT_FALSE(NextRotationTag({1, 0, true, false, false}));
  EXPECT_EQ(NextRotationTag({3, 0, true, false, true}), 1) << "a longer list simply moves on";
}

TEST(Rotation, TagBeyondTheListMeansEntryZero) {
  EXPECT_EQ(EntryIndex(1, 3), 1u);
  EXPECT_EQ(EntryIndex(3, 3), 0u);
  EXPECT_EQ(EntryIndex(-1, 3), 0u);
  EXPECT_EQ(EntryIndex(4, 2), 0u);
  EXPECT_EQ(NextRotationTag({2, 7, true, false, false}), 1);
}

TEST(Rotation, OverlaysLeaveBeforeTheNextRotation) {
  EXPECT_EQ(EffectiveOverlayDelay(2000, 5000), 2000);
  EXPECT_EQ(EffectiveOverlayDelay(4500, 5000), 4500);
  EXPECT_EQ(EffectiveOverlayDelay(5000, 5000), 4500);
  EXPECT_EQ(EffectiveOverlayDelay(6000, 5000), 4500);
  EXPECT_EQ(EffectiveOverlayDelay(10000, 9000), 8500);
  EXPECT_EQ(EffectiveOverlayDelay(10000, 90000), 10000);
}
