// The program as the system's screen-saver machinery and a user start it.

#include "saver_process.h"
#include "window_tree.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

using namespace kelpa::test;

const std::wstring kScreenCaption = L"Screen";

DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)); }
DWORD ExStyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)); }

void ExpectEndsWithCodeZero(TSaverProcess& saver) {
  DWORD code = 99;
  ASSERT_TRUE(saver.WaitForExit(kPatience, code)) << "still running";
  EXPECT_EQ(code, 0u);
}

class ScreenSaverMode : public ::testing::TestWithParam<const wchar_t*> {};
class PreviewPaneMode : public ::testing::TestWithParam<const wchar_t*> {};
class SettingsMode : public ::testing::TestWithParam<const wchar_t*> {};

}  // namespace

TEST_P(ScreenSaverMode, ShowsTheScreenWindowOverTheWholeDesktop) {
  TSaverProcess saver(GetParam());
  HWND screen = saver.WaitForWindow(kScreenCaption, true, kPatience);
  ASSERT_NE(screen, nullptr);
  RECT r;
  GetWindowRect(screen, &r);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, GetSystemMetrics(SM_CXVIRTUALSCREEN));
  EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYVIRTUALSCREEN));
  EXPECT_TRUE(ExStyleOf(screen) & WS_EX_TOPMOST);
  EXPECT_FALSE(StyleOf(screen) & (WS_CAPTION | WS_THICKFRAME));
  // The dialog exists too, hidden: the screen reads its settings from there.
  EXPECT_NE(saver.WaitForWindow(kDialogCaption, false, kPatience), nullptr);
  EXPECT_EQ(saver.TopLevelWindows(true), std::vector<HWND>{screen});
  PostMessageW(screen, WM_CLOSE, 0, 0);
  ExpectEndsWithCodeZero(saver);
}

TEST_P(ScreenSaverMode, EscapeEndsTheScreenSaver) {
  TSaverProcess saver(GetParam());
  HWND screen = saver.WaitForWindow(kScreenCaption, true, kPatience);
  ASSERT_NE(screen, nullptr);
  PostMessageW(screen, WM_KEYDOWN, VK_ESCAPE, 1);
  ExpectEndsWithCodeZero(saver);
}

INSTANTIATE_TEST_SUITE_P(Arguments, ScreenSaverMode, ::testing::Values(L"/S", L"/s"));

TEST_P(PreviewPaneMode, EndsAtOnceWithoutAWindow) {
  TSaverProcess saver(GetParam());
  DWORD code = 99;
  bool sawWindow = true;
  ASSERT_TRUE(saver.WaitForExitWatchingWindows(kPatience, code, sawWindow)) << "still running";
  EXPECT_EQ(code, 0u);
  EXPECT_FALSE(sawWindow);
}

INSTANTIATE_TEST_SUITE_P(Arguments, PreviewPaneMode, ::testing::Values(L"/P", L"/p", L"/p 1234"));

TEST_P(SettingsMode, ShowsTheDialogAndClosingItEndsTheProgram) {
  TSaverProcess saver(GetParam());
  HWND dialog = saver.WaitForWindow(kDialogCaption, true, kPatience);
  ASSERT_NE(dialog, nullptr);
  EXPECT_NE(saver.WaitForWindow(kScreenCaption, false, kPatience), nullptr);  // created, hidden
  EXPECT_EQ(saver.TopLevelWindows(true), std::vector<HWND>{dialog});
  PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box
  ExpectEndsWithCodeZero(saver);
}

INSTANTIATE_TEST_SUITE_P(Arguments, SettingsMode, ::testing::Values(L"", L"/c:1234", L"/C", L"/c 1234", L"/S1"));

TEST(Settings, DialogShowsTheSettingsFileOfTheUsersApplicationDataFolder) {
  TSaverProcess saver(L"/c", "[Config]\r\nDisplayDelay=100\r\nRotateDelay=0x7530\r\nScreenURL1=a.example,b.example\r\n");
  HWND dialog = saver.WaitForWindow(kDialogCaption, true, kPatience);
  ASSERT_NE(dialog, nullptr);
  HWND displayDelay = SettingsEdit(dialog, TSettingsEdit::StartDelay);
  HWND rotateDelay = SettingsEdit(dialog, TSettingsEdit::RotateDelay);
  HWND url1 = ScreenEdit(dialog, 1);
  ASSERT_NE(displayDelay, nullptr);
  ASSERT_NE(rotateDelay, nullptr);
  ASSERT_NE(url1, nullptr);
  EXPECT_EQ(ControlText(displayDelay), L"500");
  EXPECT_EQ(ControlText(rotateDelay), L"30000");
  EXPECT_EQ(ControlText(url1), L"a.example,b.example");
  EXPECT_EQ(ControlText(ScreenEdit(dialog, 2)), L"");
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  ExpectEndsWithCodeZero(saver);
}

TEST(SingleInstance, SecondProcessEndsSilentlyWhileTheFirstRuns) {
  TSaverProcess first(L"");
  HWND dialog = first.WaitForWindow(kDialogCaption, true, kPatience);
  ASSERT_NE(dialog, nullptr);
  for (const wchar_t* arguments : {L"/S", L"", L"/c:1234"}) {
    TSaverProcess second(arguments);
    DWORD code = 99;
    bool sawWindow = true;
    ASSERT_TRUE(second.WaitForExitWatchingWindows(kPatience, code, sawWindow)) << "second still running";
    EXPECT_EQ(code, 0u) << arguments;
    EXPECT_FALSE(sawWindow) << arguments;
  }
  EXPECT_TRUE(first.Running());
  EXPECT_EQ(first.TopLevelWindows(true), std::vector<HWND>{dialog});
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  ExpectEndsWithCodeZero(first);
}

TEST(SingleInstance, MutexNamedKelpaScreenSaverHeldByAnotherProgramEndsItSilently) {
  THandle mutex(CreateMutexW(nullptr, TRUE, L"KelpaScreenSaver"));
  ASSERT_TRUE(mutex.valid());
  for (const wchar_t* arguments : {L"/S", L""}) {
    TSaverProcess saver(arguments);
    DWORD code = 99;
    bool sawWindow = true;
    ASSERT_TRUE(saver.WaitForExitWatchingWindows(kPatience, code, sawWindow)) << "still running";
    EXPECT_EQ(code, 0u) << arguments;
    EXPECT_FALSE(sawWindow) << arguments;
  }
}

TEST(SingleInstance, ANewProcessRunsOnceTheFirstHasEnded) {
  {
    TSaverProcess first(L"/p");
    ExpectEndsWithCodeZero(first);
  }
  TSaverProcess next(L"/S");
  HWND screen = next.WaitForWindow(kScreenCaption, true, kPatience);
  ASSERT_NE(screen, nullptr);
  PostMessageW(screen, WM_CLOSE, 0, 0);
  ExpectEndsWithCodeZero(next);
}
