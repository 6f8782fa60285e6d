// A wall display: three monitors side by side, each rotating its own list of
// dashboards from a web server on this machine, watched and ended from outside.

#include "desk.h"
#include "loopback_server.h"
#include "saver_process.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>

using namespace kelpa::test;

namespace {

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// What one monitor's overlay showed over time: each caption as it appeared, "" while hidden.
using TOverlayHistory = std::map<int, std::vector<std::wstring>>;

void RecordOverlays(HWND screen, TOverlayHistory& history) {
  std::vector<std::wstring> visible = VisibleOverlays(screen);
  for (int monitor = 1; monitor <= 3; ++monitor) {
    std::wstring now;
    const std::wstring prefix = L"Loading Screen " + std::to_wstring(monitor) + L"/";
    for (const std::wstring& caption : visible)
      if (caption.starts_with(prefix)) now = caption;
    std::vector<std::wstring>& seen = history[monitor];
    if (seen.empty() ? !now.empty() : seen.back() != now) seen.push_back(now);
  }
}

}  // namespace

TEST(WallDisplay, EveryMonitorRotatesItsOwnListAndOnlyARealMoveEndsTheSaver) {
  const std::vector<RECT> monitors = Monitors();
  if (monitors.size() < 3) {
    std::printf("e2e-skipped: the wall display needs three monitors, this display has %zu\n", monitors.size());
    GTEST_SKIP();
  }
  TLoopbackServer server(
      [](const TServedRequest& r) {
        return TServerReply::Html(
            200,
            HtmlPage("Board " + r.target, "", "<p>Orders today: 1,284</p><p>Open tickets: 17</p><p>Build: green</p>"));
      },
      kUnboundedServer);
  const std::vector<std::vector<std::string>> lists{
      {server.Url("/sales"), server.Url("/support")},
      {server.Url("/build"), server.Url("/deploy"), server.Url("/alerts")},
      {server.Url("/weather"), server.Url("/news")}};
  std::string settings = "[Config]\r\nDisplayDelay=1500\r\nRotateDelay=5000\r\n";
  for (int n = 0; n < 3; ++n) {
    settings += "ScreenURL" + std::to_string(n + 1) + "=";
    for (const std::string& url : lists[n]) settings += " " + url + " ,";
    settings.back() = '\r';
    settings += "\n";
  }
  TProfile profile;
  profile.WriteFile(L"KelpaScreenSaver.INI", settings);
  const RECT third = monitors[2];
  const POINT start{(third.left + third.right) / 2, (third.top + third.bottom) / 2};
  MoveMouseTo(start.x, start.y);

  TSaverProcess saver(profile, L"/S");
  HWND screen = saver.WaitForWindow(L"Screen");
  ASSERT_NE(screen, nullptr);
  // Watch the overlays until monitor 2 has come round to its first board again.
  TOverlayHistory overlays;
  bool screenshot = false;
  ASSERT_TRUE(WaitUntil(
      [&] {
        RecordOverlays(screen, overlays);
        if (!screenshot && overlays[1].size() == 2) {  // the first pages, their overlays gone
          RECT firstTwo{monitors[0].left, monitors[0].top, monitors[1].right, std::max(monitors[0].bottom, monitors[1].bottom)};
          SaveScreenshot("saver-two-monitors", &firstTwo);
          screenshot = true;
        }
        return EventsOf(saver.Journal(), "load_start", 2).size() >= 4;
      },
      60000))
      << saver.Journal().Text();
  std::vector<TPageWindow> pages = PageWindows(screen);
  ASSERT_EQ(pages.size(), 3u);
  for (int n = 0; n < 3; ++n) {
    // Browsers are numbered in the order of their monitors.
    std::vector<TJournalEvent> loads = EventsOf(saver.Journal(), "load_start", n + 1);
    ASSERT_GE(loads.size(), 2u) << n;
    for (size_t i = 0; i < loads.size() && i < 4; ++i)
      EXPECT_EQ(loads[i].Fields["url"], lists[n][i % lists[n].size()]) << "monitor " << n + 1 << " load " << i;
    bool covered = false;
    for (const TPageWindow& page : pages) covered = covered || EqualRect(&page.Rect, &monitors[n]);
    EXPECT_TRUE(covered) << "no page on monitor " << n + 1;
    // Each caption comes and goes: shown for its position and address, then hidden after the start delay.
    const std::vector<std::wstring>& seen = overlays[n + 1];
    ASSERT_GE(seen.size(), 3u) << "monitor " << n + 1;
    for (size_t i = 0; i + 1 < seen.size(); i += 2) {
      size_t position = i / 2 % lists[n].size();
      EXPECT_EQ(seen[i], L"Loading Screen " + std::to_wstring(n + 1) + L"/" + std::to_wstring(position + 1) + L"     " +
                             Widen(lists[n][position]));
      EXPECT_EQ(seen[i + 1], L"") << "the overlay stayed up on monitor " << n + 1;
    }
  }
  ASSERT_TRUE(saver.Running());
  MoveMouseTo(start.x + 12, start.y + 10);
  Sleep(800);
  EXPECT_TRUE(saver.Running()) << "a move of a few pixels on monitor 3 ended the saver";
  MoveMouseTo(start.x + 150, start.y + 120);
  DWORD code = 99;
  ASSERT_TRUE(saver.WaitForExit(kPatience, code)) << "a real move on monitor 3 did not end the saver";
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(LeakReportEmpty(saver.Journal())) << saver.Journal().Text();
  // Every board was asked for by the runtime, not read from anywhere else.
  EXPECT_GE(server.Requests().size(), 7u);
}
