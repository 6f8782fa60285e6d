// The saver's browsers as the stand-in runtime sees them: one per monitor on
// its monitor's rectangle, rotating, exempt on a sign-in page, blanked at close.

#include "desk.h"
#include "journal_reader.h"
#include "polling.h"
#include "saver_process.h"
#include "test_paths.h"
#include "window_tree.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace kelpa::test;

// The rectangles of the runtime's browser windows inside the saver's screen window.
std::vector<RECT> BrowserWindowRects(HWND screen) {
  std::vector<RECT> rects;
  for (const TPageWindow& page : PageWindows(screen)) rects.push_back(page.Rect);
  return rects;
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// A file URL for a page written into folder.
std::wstring WritePage(const std::wstring& folder, const std::wstring& name, const std::string& title) {
  std::ofstream(std::filesystem::path(folder + L"\\" + name))
      << "<html><head><title>" << title << "</title></head><body>" << title << "</body></html>";
  std::wstring url = L"file:///" + folder + L"\\" + name;
  std::replace(url.begin(), url.end(), L'\\', L'/');
  return url;
}

class ScreenBrowsers : public ::testing::Test {
 protected:
  void SetUp() override {
    Folder = kelpa::test::MakeTempDir(L"kelpa-browsers-");
    JournalPath = Folder + L"\\journal.txt";
    SetEnvironmentVariableW(L"STANDIN_RUNTIME_JOURNAL", JournalPath.c_str());
    PageA = WritePage(Folder, L"a.html", "Page A");
    PageB = WritePage(Folder, L"b.html", "Page B");
    LoginPage = WritePage(Folder, L"Login.html", "Sign in");
  }
  void TearDown() override {
    SetEnvironmentVariableW(L"STANDIN_RUNTIME_JOURNAL", nullptr);
    kelpa::test::RemoveTree(Folder);
  }
  std::string Settings(const std::wstring& list1, int rotateDelay = 90000, int displayDelay = 500) {
    return "[Config]\r\nDisplayDelay=" + std::to_string(displayDelay) +
           "\r\nRotateDelay=" + std::to_string(rotateDelay) + "\r\nScreenURL1=" + Narrow(list1) +
           "\r\nScreenURL2=" + Narrow(PageB) + "\r\n";
  }
  kelpa::test::TJournal Journal() const { return kelpa::test::TJournal(JournalPath); }
  bool JournalGets(const std::string& keyword, const std::string& key, const std::string& value) {
    return WaitUntil([&] { return Journal().IndexOf(keyword, key, value) >= 0; });
  }
  // Waits for browser (the runtime's identifier, 1 for monitor 1's) to start loading url.
  bool BrowserLoads(int browser, const std::wstring& url) {
    return WaitUntil([&] {
      for (const TJournalEvent& e : Journal().All("load_start"))
        if (e.Has("browser", std::to_string(browser)) && e.Has("url", Narrow(url))) return true;
      return false;
    });
  }
  void EscapeAndWait(TSaverProcess& saver, HWND screen) {
    PostMessageW(screen, WM_KEYDOWN, VK_ESCAPE, 1);
    DWORD code = 99;
    ASSERT_TRUE(saver.WaitForExit(kPatience, code)) << "still running";
    EXPECT_EQ(code, 0u);
  }

  std::wstring Folder, JournalPath, PageA, PageB, LoginPage;
};

}  // namespace

TEST_F(ScreenBrowsers, EachMonitorGetsABrowserOnItsRectangleShowingItsFirstAddress) {
  TSaverProcess saver(L"/S", Settings(L" " + PageA + L" ," + PageB));
  HWND screen = saver.WaitForWindow(L"Screen", true, kPatience);
  ASSERT_NE(screen, nullptr);
  ASSERT_TRUE(JournalGets("load_start", "url", Narrow(PageA))) << Journal().Text();
  std::vector<RECT> monitors = Monitors();
  std::vector<RECT> browsers = BrowserWindowRects(screen);
  ASSERT_EQ(browsers.size(), std::min<size_t>(monitors.size(), 5));
  for (size_t i = 0; i < browsers.size(); ++i)
    EXPECT_TRUE(std::any_of(monitors.begin(), monitors.end(), [&](const RECT& m) { return SameRect(m, browsers[i]); }))
        << "browser " << i << " is on no monitor";
  EscapeAndWait(saver, screen);
}

TEST_F(ScreenBrowsers, RotationLoadsTheNextAddressUnderItsOverlay) {
  TSaverProcess saver(L"/S", Settings(PageA + L"," + PageB, 5000, 4000));
  HWND screen = saver.WaitForWindow(L"Screen", true, kPatience);
  ASSERT_NE(screen, nullptr);
  EXPECT_TRUE(BrowserLoads(1, PageB)) << Journal().Text();
  std::wstring caption = L"Loading Screen 1/2     " + PageB;
  bool shown = false;
  for (HWND child = GetWindow(screen, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    shown = shown || (IsWindowVisible(child) && ControlText(child) == caption);
  EXPECT_TRUE(shown) << "no overlay for the second address";
  EscapeAndWait(saver, screen);
}

TEST_F(ScreenBrowsers, ASignInPageOnMonitorOneLeavesOnlyEscape) {
  TSaverProcess saver(L"/S", Settings(LoginPage));
  HWND screen = saver.WaitForWindow(L"Screen", true, kPatience);
  ASSERT_NE(screen, nullptr);
  ASSERT_TRUE(JournalGets("load_end", "url", Narrow(LoginPage))) << Journal().Text();
  Sleep(1500);  // past the grace second
  PostMessageW(screen, WM_KEYDOWN, 'A', 1);
  PostMessageW(screen, WM_MOUSEMOVE, 0, MAKELPARAM(700, 700));
  Sleep(1000);
  EXPECT_TRUE(saver.Running()) << "input ended the saver on a sign-in page";
  EscapeAndWait(saver, screen);
}

TEST_F(ScreenBrowsers, ClosingFlushesCookiesThenBlanksEveryPageAndLeaksNothing) {
  {
    TSaverProcess saver(L"/S", Settings(PageA));
    HWND screen = saver.WaitForWindow(L"Screen", true, kPatience);
    ASSERT_NE(screen, nullptr);
    ASSERT_TRUE(JournalGets("load_end", "url", Narrow(PageA))) << Journal().Text();
    EscapeAndWait(saver, screen);
  }
  kelpa::test::TJournal journal = Journal();
  int flush = journal.IndexOf("cookie_flush", "reason", "call");
  int blank = journal.IndexOf("load_start", "url", "about:blank");
  ASSERT_GE(flush, 0) << journal.Text();
  ASSERT_GE(blank, 0) << journal.Text();
  // The flush is asked for without waiting and runs on the runtime's own thread, so the
  // journal may record it before or after the shutdown; the blank pages come before it.
  EXPECT_LT(blank, journal.IndexOf("shutdown")) << journal.Text();
  EXPECT_GE(journal.IndexOf("leaks", "total", "0"), 0) << journal.Text();
}
