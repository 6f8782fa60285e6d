// A page's frames on their way to the window: only the newest is decoded, a hidden window
// gets none, and the page's scale follows the monitor's DPI and the zoom.

#include "frame_keeper.h"
#include "frame_pipeline.h"
#include "viewport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace standin::engine {
namespace {

TEST(FrameKeeper, DecodesOnlyTheNewestAndHoldsBackAcknowledgementsWhileAFrameWaits) {
  TFrameKeeper keeper;
  std::vector<int> acks;
  std::vector<int> at_once;
  for (int n = 1; n <= 3; ++n) at_once.push_back(keeper.Offer({"frame" + std::to_string(n), n, false, 0}));
  EXPECT_EQ(at_once, (std::vector<int>{1, 0, 0}));
  auto taken = keeper.Take(acks);
  ASSERT_TRUE(taken.has_value());
  EXPECT_EQ(taken->data, "frame3");
  EXPECT_EQ(acks, (std::vector<int>{2, 3}));
  EXPECT_FALSE(keeper.Take(acks).has_value());
  EXPECT_TRUE(acks.empty());
  EXPECT_EQ(keeper.Dropped(), 2u);
}

TEST(FrameKeeper, KeepsNothingWhileHiddenAndALosslessPictureOnlyOfAPageThatStayedStill) {
  TFrameKeeper keeper;
  std::vector<int> acks;
  keeper.SetVisible(false);
  keeper.Offer({"hidden", 1, false, 0});
  EXPECT_FALSE(keeper.Take(acks).has_value());
  keeper.SetVisible(true);
  keeper.Offer({"moving", 2, false, 0});
  uint64_t since = keeper.Newest();
  keeper.Take(acks);
  keeper.Offer({"moved on", 3, false, 0});
  keeper.Take(acks);
  keeper.OfferLossless("stale", since);
  EXPECT_FALSE(keeper.Take(acks).has_value());
  // The screenshot makes the engine send the still picture again, before and after it comes.
  since = keeper.Newest();
  keeper.Offer({"moved on", 4, false, 0});
  keeper.Take(acks);
  keeper.OfferLossless("still", since);
  EXPECT_EQ(keeper.Offer({"moved on", 5, false, 0}), 5);
  auto taken = keeper.Take(acks);
  ASSERT_TRUE(taken.has_value());
  EXPECT_TRUE(taken->lossless);
}

TEST(FramePipeline, AHiddenWindowIsNotStreamedToAndDecodesNothing) {
  auto keeper = std::make_shared<TFrameKeeper>();
  std::atomic<bool> visible{false}, streaming{false};
  std::atomic<int> decoded{0};
  TFramePipelineEvents events;
  events.acknowledge = [](int) {};
  events.stream = [&](bool on) { streaming = on; };
  events.ask_lossless = [](uint64_t) {};
  events.visible = [&] { return visible.load(); };
  events.target = [&](int, int) -> uint8_t* { return ++decoded, nullptr; };
  events.presented = [] {};
  TFramePipeline pipeline(keeper, events);
  auto wait_for = [](auto done) {
    for (int i = 0; i < 200 && !done(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return done();
  };
  // A frame the engine had sent before it heard of the hide.
  keeper->Offer({"iVBORw0KGgo=", 1, false, 0});
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  EXPECT_FALSE(streaming);
  EXPECT_EQ(decoded, 0);
  visible = true;
  EXPECT_TRUE(wait_for([&] { return streaming.load(); }));
  visible = false;
  EXPECT_TRUE(wait_for([&] { return !streaming.load(); }));
}

TEST(Viewport, FollowsTheMonitorsDpiAndTheZoom) {
  struct TCase {
    int width, height, dpi;
    double zoom;
    int css_width, css_height;
    double scale;
  } cases[] = {
      {1920, 1080, 96, 0, 1920, 1080, 1.0},   {1920, 1080, 144, 0, 1280, 720, 1.5},
      {3840, 2160, 192, 0, 1920, 1080, 2.0},  {1280, 720, 120, 0, 1024, 576, 1.25},
      {1200, 600, 96, 1, 1000, 500, 1.2},     {1920, 1080, 0, 0, 1920, 1080, 1.0},
  };
  for (const TCase& c : cases) {
    TViewport viewport = ViewportFor(c.width, c.height, c.dpi, c.zoom);
    EXPECT_EQ(viewport.css_width, c.css_width) << c.dpi << " " << c.zoom;
    EXPECT_EQ(viewport.css_height, c.css_height) << c.dpi << " " << c.zoom;
    EXPECT_DOUBLE_EQ(viewport.scale, c.scale) << c.dpi << " " << c.zoom;
    EXPECT_EQ(viewport.device_width, c.width);
  }
}

}  // namespace
}  // namespace standin::engine
