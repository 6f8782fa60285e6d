// A dashboard behind a sign-in, the way an operator meets it: the saver stays
// up on the sign-in page, the session outlives the run, the settings dialog
// changes what the saver shows, and Clear Cache forgets the session.

#include "desk.h"
#include "person.h"
#include "saver_process.h"
#include "SignInSite.h"
#include "window_tree.h"

#include <gtest/gtest.h>

using namespace kelpa::e2e;
using namespace kelpa::test;

namespace {

std::string Settings(const std::string& list1, const std::string& list2, int displayDelay = 500,
                     int rotateDelay = 90000) {
  return "[Config]\r\nDisplayDelay=" + std::to_string(displayDelay) + "\r\nRotateDelay=" + std::to_string(rotateDelay) +
         "\r\nScreenURL1=" + list1 + "\r\nScreenURL2=" + list2 + "\r\n";
}

// Ends the saver with Escape, as the operator does, and checks that it ended cleanly.
void EscapeAndExpectCleanEnd(TSaverProcess& saver) {
  PressVirtualKey(VK_ESCAPE);
  DWORD code = 99;
  ASSERT_TRUE(saver.WaitForExit(kPatience, code)) << "Escape did not end the saver";
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(LeakReportEmpty(saver.Journal())) << saver.Journal().Text();
}

// Index of the first event of browser with keyword whose url field contains part; -1 if none.
int IndexOfLoad(const TJournal& journal, const std::string& keyword, int browser, const std::string& part,
                int from = 0) {
  const auto& events = journal.Events();
  for (int i = from; i < static_cast<int>(events.size()); ++i)
    if (events[i].Keyword == keyword && events[i].Has("browser", std::to_string(browser)) &&
        events[i].Fields.count("url") && events[i].Fields.at("url").find(part) != std::string::npos)
      return i;
  return -1;
}

bool ShowsSignIn(const TSaverProcess& saver) {
  return saver.JournalShows([](const TJournal& j) { return IndexOfLoad(j, "load_end", 1, "/LOGIN") >= 0; });
}

// A first run that signs in: the session cookie is in the profile afterwards.
void SignInOnce(TProfile& profile, TSignInSite& site) {
  TSaverProcess saver(profile, L"/S");
  ASSERT_NE(saver.WaitForWindow(L"Screen"), nullptr);
  ASSERT_TRUE(ShowsSignIn(saver)) << saver.Journal().Text();
  site.SignIn();
  ASSERT_TRUE(WaitUntil([&] { return site.DashboardsServed(true) > 0; }));
  EscapeAndExpectCleanEnd(saver);
}

HWND OpenDialog(TSaverProcess& dialog) {
  HWND window = dialog.WaitForWindow(kDialogCaption);
  EXPECT_TRUE(WaitUntilAnswering(window));
  return window;
}

std::wstring IniValue(const TProfile& profile, const wchar_t* key) {
  wchar_t value[512];
  GetPrivateProfileStringW(L"Config", key, L"<missing>", value, 512, profile.Path(L"KelpaScreenSaver.INI").c_str());
  return value;
}

// The runtime's page display for one case: its own text display, or real pages through
// Debian's chromium when that is installed.
class SignIn : public ::testing::TestWithParam<const wchar_t*> {
 protected:
  void SetUp() override {
    const std::wstring engine = GetParam();
    if (engine != L"none" && GetFileAttributesW((L"Z:" + engine).c_str()) == INVALID_FILE_ATTRIBUTES)
      GTEST_SKIP() << "no engine at " << std::string(engine.begin(), engine.end());
    SetEnvironmentVariableW(L"STANDIN_RUNTIME_BROWSER", engine.c_str());
  }
  void TearDown() override { SetEnvironmentVariableW(L"STANDIN_RUNTIME_BROWSER", L"none"); }
};

}  // namespace

INSTANTIATE_TEST_SUITE_P(Display, SignIn, ::testing::Values(L"none", L"/usr/bin/chromium"));

TEST_P(SignIn, TheSaverWaitsForTheOperatorAndTheSessionOutlivesTheRun) {
  TSignInSite site;
  TProfile profile;
  profile.WriteFile(L"KelpaScreenSaver.INI", Settings(site.Dashboard(), site.StatusBoard()));
  const std::vector<RECT> monitors = Monitors();
  MoveMouseTo(monitors[0].left + 300, monitors[0].top + 200);
  {
    TSaverProcess saver(profile, L"/S");
    HWND screen = saver.WaitForWindow(L"Screen");
    ASSERT_NE(screen, nullptr);
    ASSERT_TRUE(ShowsSignIn(saver)) << saver.Journal().Text();
    if (std::wstring(GetParam()) != L"none") {
      EXPECT_GE(saver.Journal().IndexOf("page_engine", "kind", "chromium"), 0) << saver.Journal().Text();
    }
    EXPECT_EQ(site.DashboardsServed(false), 1);
    Sleep(1200);  // past the grace second
    MoveMouseTo(monitors[0].left + 500, monitors[0].top + 400);
    PressVirtualKey('A');
    PressVirtualKey(VK_RETURN);
    Sleep(1000);
    ASSERT_TRUE(saver.Running()) << "input ended the saver on the sign-in page";
    HWND page1 = nullptr;
    for (const TPageWindow& page : PageWindows(screen))
      if (EqualRect(&page.Rect, &monitors[0])) page1 = page.Window;
    ASSERT_NE(page1, nullptr);
    HWND focus = FocusOf(screen);
    EXPECT_TRUE(focus == page1 || IsChild(page1, focus)) << "monitor 1 does not have the keyboard";
    CURSORINFO cursor{};
    cursor.cbSize = sizeof cursor;
    ASSERT_TRUE(GetCursorInfo(&cursor));
    EXPECT_TRUE(cursor.flags & CURSOR_SHOWING) << "the cursor stays hidden on the sign-in page";

    const int before = static_cast<int>(saver.Journal().Events().size());
    site.SignIn();
    // The sign-in moves monitor 1 on to the dashboard, and then every monitor reloads its address once.
    ASSERT_TRUE(saver.JournalShows([&](const TJournal& j) {
      int arrived = IndexOfLoad(j, "load_end", 1, "/dashboard", before);
      return arrived >= 0 && IndexOfLoad(j, "load_end", 1, "/dashboard", arrived + 1) >= 0 &&
             (monitors.size() < 2 || IndexOfLoad(j, "load_end", 2, "/status", arrived + 1) >= 0);
    })) << saver.Journal().Text();
    Sleep(1500);  // time for any further reload that should not come
    TJournal journal = saver.Journal();
    const int arrived = IndexOfLoad(journal, "load_end", 1, "/dashboard", before);
    int reloads1 = 0, reloads2 = 0;
    for (int i = arrived + 1; i < static_cast<int>(journal.Events().size()); ++i) {
      const auto& e = journal.Events()[i];
      if (e.Keyword != "load_start") continue;
      reloads1 += e.Has("browser", "1") && e.Has("url", site.Dashboard());
      reloads2 += e.Has("browser", "2") && e.Has("url", site.StatusBoard());
    }
    EXPECT_EQ(reloads1, 1) << journal.Text();
    if (monitors.size() >= 2) {
      EXPECT_EQ(reloads2, 1) << journal.Text();
    }
    EXPECT_GE(site.DashboardsServed(true), 2);
    EscapeAndExpectCleanEnd(saver);
  }
  EXPECT_NE(profile.ReadFile(L"cookies\\StandinCookies.txt").find("kelpa-7f3a"), std::string::npos);

  // The next run goes straight to the dashboard: the session cookie persisted.
  const int signInsBefore = site.DashboardsServed(false);
  TSaverProcess again(profile, L"/S");
  ASSERT_NE(again.WaitForWindow(L"Screen"), nullptr);
  ASSERT_TRUE(again.JournalShows([](const TJournal& j) { return IndexOfLoad(j, "load_end", 1, "/dashboard") >= 0; }))
      << again.Journal().Text();
  EXPECT_LT(IndexOfLoad(again.Journal(), "load_start", 1, "/LOGIN"), 0) << again.Journal().Text();
  EXPECT_EQ(site.DashboardsServed(false), signInsBefore);
  EscapeAndExpectCleanEnd(again);
}

TEST(SettingsRoundTrip, EditedValuesArePreviewedSavedAndUsedAndClearCacheEndsTheSession) {
  TSignInSite site;
  TProfile profile;
  profile.WriteFile(L"KelpaScreenSaver.INI", Settings(site.StatusBoard(), site.StatusBoard()));
  const std::string list1 = site.Dashboard() + "," + site.StatusBoard();
  {
    TSaverProcess dialogRun(profile, L"");
    HWND dialog = OpenDialog(dialogRun);
    ASSERT_NE(dialog, nullptr);
    Retype(SettingsEdit(dialog, TSettingsEdit::StartDelay), "800");
    Retype(SettingsEdit(dialog, TSettingsEdit::RotateDelay), "6000");
    Retype(ScreenEdit(dialog, 1), list1);
    Retype(ScreenEdit(dialog, 2), site.Dashboard());
    RECT r;
    GetWindowRect(dialog, &r);
    SaveScreenshot("settings-dialog", &r);
    const std::string saved = profile.ReadFile(L"KelpaScreenSaver.INI");

    // Preview shows what the dialog holds, saved or not; Escape returns to the dialog.
    ClickOn(ChildWithText(dialog, L"Preview"));
    HWND screen = dialogRun.WaitForWindow(L"Screen");
    ASSERT_NE(screen, nullptr);
    EXPECT_TRUE(dialogRun.JournalShows([](const TJournal& j) { return IndexOfLoad(j, "load_start", 1, "/dashboard") >= 0; }))
        << dialogRun.Journal().Text();
    EXPECT_EQ(profile.ReadFile(L"KelpaScreenSaver.INI"), saved);
    PressKey("Escape");
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(screen) && IsWindowVisible(dialog); }));
    ASSERT_TRUE(dialogRun.Running());

    ClickOn(ChildWithText(dialog, L"OK"));
    DWORD code = 99;
    ASSERT_TRUE(dialogRun.WaitForExit(kPatience, code));
    EXPECT_EQ(code, 0u);
  }
  const std::pair<const wchar_t*, std::string> expected[] = {
      {L"DisplayDelay", "800"}, {L"RotateDelay", "6000"}, {L"ScreenURL1", list1}, {L"ScreenURL2", site.Dashboard()},
      {L"ScreenURL3", ""},      {L"ScreenURL4", ""},      {L"ScreenURL5", ""}};
  for (const auto& [key, value] : expected)
    EXPECT_EQ(IniValue(profile, key), std::wstring(value.begin(), value.end())) << std::string(key, key + wcslen(key));

  // /S uses the saved values: monitor 1 starts on the dashboard (signing in) and rotates after 6 s.
  SignInOnce(profile, site);
  {
    TSaverProcess saver(profile, L"/S");
    ASSERT_NE(saver.WaitForWindow(L"Screen"), nullptr);
    ASSERT_TRUE(saver.JournalShows([](const TJournal& j) { return IndexOfLoad(j, "load_end", 1, "/status") >= 0; }))
        << saver.Journal().Text();
    TJournal journal = saver.Journal();
    EXPECT_LT(IndexOfLoad(journal, "load_start", 1, "/LOGIN"), 0) << "the session was lost";
    EXPECT_LT(IndexOfLoad(journal, "load_end", 1, "/dashboard"), IndexOfLoad(journal, "load_end", 1, "/status"));
    EscapeAndExpectCleanEnd(saver);
  }

  // Clear Cache forgets the session: the next run asks for the sign-in again.
  {
    TSaverProcess dialogRun(profile, L"");
    HWND dialog = OpenDialog(dialogRun);
    ASSERT_NE(dialog, nullptr);
    ClickOn(ChildWithText(dialog, L"Clear Cache"));
    HWND box = dialogRun.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(ControlText(GetDlgItem(box, 0xFFFF)), L"Cache has been cleared.");
    PressKey("Return");
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(box); }));
    PressKey("Escape");
    DWORD code = 99;
    ASSERT_TRUE(dialogRun.WaitForExit(kPatience, code));
    EXPECT_TRUE(LeakReportEmpty(dialogRun.Journal())) << dialogRun.Journal().Text();
  }
  EXPECT_EQ(profile.ReadFile(L"cookies\\StandinCookies.txt").find("kelpa-7f3a"), std::string::npos);
  site.SignOut();  // a new session needs the operator again
  TSaverProcess after(profile, L"/S");
  ASSERT_NE(after.WaitForWindow(L"Screen"), nullptr);
  EXPECT_TRUE(ShowsSignIn(after)) << after.Journal().Text();
  EscapeAndExpectCleanEnd(after);
}
