#include "app/CommandLine.h"

#include <gtest/gtest.h>

TEST(RunMode, SlashSInAnyCaseRunsTheScreenSaver) {
  EXPECT_EQ(RunModeOf(L"/S"), rmScreenSaver);
  EXPECT_EQ(RunModeOf(L"/s"), rmScreenSaver);
}

TEST(RunMode, SlashPInAnyCaseIsThePreviewPane) {
  EXPECT_EQ(RunModeOf(L"/P"), rmPreviewPane);
  EXPECT_EQ(RunModeOf(L"/p"), rmPreviewPane);
}

TEST(RunMode, EverythingElseOpensTheSettings) {
  for (const wchar_t* argument : {L"", L"/c", L"/C", L"/c:1234", L"/S1", L"/P1", L"S", L"-s", L"/ S", L" /S", L"/\x017F"})
    EXPECT_EQ(RunModeOf(argument), rmSettings) << argument;
}
