// The saver as a user meets it: started with /S, watched from outside, ended
// with the mouse or a key, its runtime journal read afterwards.

#include "desk.h"
#include "journal_reader.h"
#include "polling.h"
#include "saver_process.h"
#include "test_paths.h"
#include "window_tree.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace kelpa::test;

// A saver run with the runtime's journal in a folder of the test's own.
class ScreenWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    Folder = kelpa::test::MakeTempDir(L"kelpa-screen-");
    JournalPath = Folder + L"\\journal.txt";
    SetEnvironmentVariableW(L"STANDIN_RUNTIME_JOURNAL", JournalPath.c_str());
    MoveMouseTo(400, 300);
  }
  void TearDown() override {
    SetEnvironmentVariableW(L"STANDIN_RUNTIME_JOURNAL", nullptr);
    kelpa::test::RemoveTree(Folder);
  }
  HWND Start(TSaverProcess& saver) {
    HWND screen = saver.WaitForWindow(L"Screen", true, kPatience);
    EXPECT_NE(screen, nullptr);
    return screen;
  }
  void ExpectEnds(TSaverProcess& saver) {
    DWORD code = 99;
    ASSERT_TRUE(saver.WaitForExit(kPatience, code)) << "still running";
    EXPECT_EQ(code, 0u);
  }
  kelpa::test::TJournal Journal() const { return kelpa::test::TJournal(JournalPath); }

  std::wstring Folder;
  std::wstring JournalPath;
};

const std::string kTwoPages =
    "[Config]\r\nDisplayDelay=500\r\nRotateDelay=5000\r\nScreenURL1=  about:blank#one , about:blank#two\r\n";

}  // namespace

TEST_F(ScreenWindow, CoversTheVirtualDesktopAndCaptionsEachMonitorWithItsFirstAddress) {
  TSaverProcess saver(L"/S",
                      "[Config]\r\nDisplayDelay=10000\r\nScreenURL1=  about:blank#one , x\r\n"
                      "ScreenURL2=about:blank#2\r\nScreenURL3=about:blank#3\r\n");
  HWND screen = Start(saver);
  ASSERT_NE(screen, nullptr);
  RECT r;
  GetWindowRect(screen, &r);
  EXPECT_EQ(r.left, GetSystemMetrics(SM_XVIRTUALSCREEN));
  EXPECT_EQ(r.top, GetSystemMetrics(SM_YVIRTUALSCREEN));
  EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
  EXPECT_EQ(r.bottom - r.top, GetSystemMetrics(SM_CYVIRTUALSCREEN));
  std::vector<std::wstring> expected{L"Loading Screen 1/1     about:blank#one"};
  for (int n = 2; n <= std::min(GetSystemMetrics(SM_CMONITORS), 3); ++n)
    expected.push_back(L"Loading Screen " + std::to_wstring(n) + L"/1     about:blank#" + std::to_wstring(n));
  std::vector<std::wstring> captions = VisibleOverlays(screen);
  std::sort(captions.begin(), captions.end());
  EXPECT_EQ(captions, expected);
  PostMessageW(screen, WM_KEYDOWN, VK_ESCAPE, 1);
  ExpectEnds(saver);
}

TEST_F(ScreenWindow, OverlayLeavesAfterTheStartDelay) {
  TSaverProcess saver(L"/S", kTwoPages);
  HWND screen = Start(saver);
  ASSERT_NE(screen, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return VisibleOverlays(screen).empty(); }, kPatience)) << "overlay stays";
  PostMessageW(screen, WM_KEYDOWN, VK_ESCAPE, 1);
  ExpectEnds(saver);
}

TEST_F(ScreenWindow, SmallMouseDriftKeepsItRunningAndARealMoveEndsIt) {
  TSaverProcess saver(L"/S", kTwoPages);
  HWND screen = Start(saver);
  ASSERT_NE(screen, nullptr);
  Sleep(1500);  // past the grace second
  MoveMouseTo(420, 320);
  Sleep(700);
  EXPECT_TRUE(saver.Running()) << "a drift of 20 pixels ended the saver";
  MoveMouseTo(600, 500);
  ExpectEnds(saver);
}

TEST_F(ScreenWindow, RefusesTheSystemsRequestToStartAScreenSaver) {
  TSaverProcess saver(L"/S", kTwoPages);
  HWND screen = Start(saver);
  ASSERT_NE(screen, nullptr);
  DWORD_PTR result = 0;
  ASSERT_TRUE(SendMessageTimeoutW(screen, WM_SYSCOMMAND, SC_SCREENSAVE, 0, SMTO_ABORTIFHUNG, kPatience, &result));
  EXPECT_EQ(result, 1u);
  EXPECT_TRUE(saver.Running());
  PostMessageW(screen, WM_KEYDOWN, VK_ESCAPE, 1);
  ExpectEnds(saver);
}

TEST_F(ScreenWindow, ClosingFlushesTheCookieStoreBeforeTheRuntimeStopsAndLeaksNothing) {
  {
    TSaverProcess saver(L"/S", kTwoPages);
    HWND screen = Start(saver);
    ASSERT_NE(screen, nullptr);
    PostMessageW(screen, WM_KEYDOWN, VK_ESCAPE, 1);
    ExpectEnds(saver);
  }
  kelpa::test::TJournal journal = Journal();
  int storage = journal.IndexOf("cookie_storage_path", "persist_session_cookies", "1");
  int flush = journal.IndexOf("cookie_flush", "reason", "call");
  // The flush runs on the runtime's cookie thread, which the shutdown drains: it may
  // come after the shutdown line, but before the runtime's last word.
  int end = journal.IndexOf("leaks", "total", "0");
  ASSERT_GE(storage, 0) << journal.Text();
  EXPECT_NE(journal.Events()[storage].Fields.at("path").find("cookies"), std::string::npos);
  ASSERT_GE(flush, 0) << journal.Text();
  EXPECT_LT(storage, flush);
  ASSERT_GE(end, 0) << journal.Text();
  EXPECT_LT(flush, end);
}
