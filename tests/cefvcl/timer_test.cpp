// The message-loop timer shared by every client handler of windowed browsers.

#include <gtest/gtest.h>

#include "cefvcl/vcl_client_handler.h"
#include "recording_sink.h"

namespace cefvcl::test {
namespace {

// A WM_TIMER of the thread timer id arrives within a few ticks.
bool Ticks(UINT_PTR id) {
  for (int i = 0; i < 20; ++i) {
    Sleep(10);
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE))
      if (message.wParam == id) return true;
  }
  return false;
}

TEST(MessageLoopTimer, OneTimerServesEveryHandlerAndStopsWithTheLast) {
  cefgui::test::TRecordingSink sink;
  ASSERT_EQ(ClientHandlerCount.load(), 0);
  auto first = MakeRef<TVCLClientHandler>(&sink, false);
  const UINT_PTR timer = MessageLoopTimer;
  ASSERT_NE(timer, 0u);
  auto second = MakeRef<TVCLClientHandler>(&sink, false);
  auto third = MakeRef<TVCLClientHandler>(&sink, false);
  EXPECT_EQ(MessageLoopTimer, timer);
  EXPECT_EQ(ClientHandlerCount.load(), 3);
  EXPECT_TRUE(Ticks(timer));

  first.reset();
  second.reset();
  EXPECT_EQ(MessageLoopTimer, timer);
  third.reset();
  EXPECT_EQ(ClientHandlerCount.load(), 0);
  EXPECT_FALSE(KillTimer(nullptr, timer)) << "the timer outlived the last handler";
  EXPECT_FALSE(Ticks(timer));

  auto again = MakeRef<TVCLClientHandler>(&sink, false);
  ASSERT_NE(MessageLoopTimer, 0u);
  EXPECT_TRUE(Ticks(MessageLoopTimer));
  EXPECT_EQ(*sink.Calls, 0);
}

}  // namespace
}  // namespace cefvcl::test
