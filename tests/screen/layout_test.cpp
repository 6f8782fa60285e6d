#include "screen/MemoryStatus.h"
#include "screen/ScreenLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct TLayoutCase {
  const char* Name;
  TScreenRect Desktop;
  std::vector<TScreenRect> Monitors;
  std::vector<TScreenRect> Expected;  // window coordinates
};

class ScreenLayoutCase : public ::testing::TestWithParam<TLayoutCase> {};

}  // namespace

TEST_P(ScreenLayoutCase, WindowCoversTheDesktopAndEachPageItsMonitor) {
  const TLayoutCase& c = GetParam();
  TScreenLayout layout = LayoutScreen(c.Desktop, c.Monitors);
  EXPECT_EQ(layout.Window, c.Desktop);
  EXPECT_EQ(layout.Monitors, c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Desks, ScreenLayoutCase,
    ::testing::Values(
        TLayoutCase{"OneAtOrigin", {0, 0, 1920, 1080}, {{0, 0, 1920, 1080}}, {{0, 0, 1920, 1080}}},
        TLayoutCase{"SideBySide",
                    {0, 0, 2304, 768},
                    {{0, 0, 1280, 720}, {1280, 0, 1024, 768}},
                    {{0, 0, 1280, 720}, {1280, 0, 1024, 768}}},
        TLayoutCase{"SecondLeftOfPrimary",
                    {-1280, 0, 3200, 1080},
                    {{0, 0, 1920, 1080}, {-1280, 56, 1280, 1024}},
                    {{1280, 0, 1920, 1080}, {0, 56, 1280, 1024}}},
        TLayoutCase{"SecondAbovePrimary",
                    {0, -900, 1920, 1980},
                    {{0, 0, 1920, 1080}, {200, -900, 1600, 900}},
                    {{0, 900, 1920, 1080}, {200, 0, 1600, 900}}},
        TLayoutCase{"SixMonitorsKeepFive",
                    {0, 0, 600, 100},
                    {{0, 0, 100, 100}, {100, 0, 100, 100}, {200, 0, 100, 100}, {300, 0, 100, 100},
                     {400, 0, 100, 100}, {500, 0, 100, 100}},
                    {{0, 0, 100, 100}, {100, 0, 100, 100}, {200, 0, 100, 100}, {300, 0, 100, 100},
                     {400, 0, 100, 100}}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(MemoryStatus, ShowsMebibytesWithOneDecimalAndGroupedThousands) {
  const TNumberSeparators english{L".", L","};
  const TNumberSeparators german{L",", L"."};
  constexpr std::uint64_t MiB = 1024 * 1024;
  EXPECT_EQ(MemoryStatusText(100 * MiB, english), L"Total Memory Usage: 100.0 MB");
  EXPECT_EQ(MemoryStatusText(0, english), L"Total Memory Usage: 0.0 MB");
  EXPECT_EQ(MemoryStatusText(MiB + MiB / 8 * 3, english), L"Total Memory Usage: 1.4 MB");
  EXPECT_EQ(MemoryStatusText(1536 * MiB + MiB / 2, german), L"Total Memory Usage: 1.536,5 MB");
  EXPECT_EQ(MemoryStatusText(1234567 * MiB, english), L"Total Memory Usage: 1,234,567.0 MB");
  EXPECT_EQ(MemoryStatusText(999 * MiB, german), L"Total Memory Usage: 999,0 MB");
}

TEST(ScreenLayout, PrimaryMonitorsCornerIsTheScreenOriginInWindowCoordinates) {
  EXPECT_EQ(LayoutScreen({-1280, -200, 3200, 1280}, {}).PrimaryOrigin, (TScreenPoint{1280, 200}));
}
