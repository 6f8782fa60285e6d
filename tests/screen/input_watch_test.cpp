#include "screen/InputWatch.h"

#include <gtest/gtest.h>

namespace {

constexpr TDateTime kStart = 45000.5;  // any day will do
constexpr TDateTime kSecond = 1.0 / 86400;
const POINT kCursor{1300, 400};  // on a monitor right of the primary one

TDateTime At(double seconds) { return kStart + seconds * kSecond; }

TWatchMessage Key(WPARAM key) { return {WM_KEYDOWN, key, {}}; }
TWatchMessage MoveTo(int x, int y) { return {WM_MOUSEMOVE, 0, {x, y}}; }

class InputWatch : public ::testing::Test {
 protected:
  TWatchVerdict Check(const TWatchMessage& m, double seconds, TLoginPage page = TLoginPage::Other) {
    return Watch.Check(m, At(seconds), page);
  }
  void Start(bool preview) { Watch.Start(kStart, kCursor, preview); }

  TInputWatch Watch;
};

}  // namespace

TEST(MouseScreenPoint, ReadsSignedCoordinatesRelativeToTheReceivingWindow) {
  EXPECT_EQ(MouseScreenPoint(MAKELPARAM(20, 30), {1280, 0}).x, 1300);
  EXPECT_EQ(MouseScreenPoint(MAKELPARAM(20, 30), {1280, 0}).y, 30);
  POINT p = MouseScreenPoint(MAKELPARAM(static_cast<WORD>(-5), static_cast<WORD>(-7)), {-1280, 100});
  EXPECT_EQ(p.x, -1285);
  EXPECT_EQ(p.y, 93);
}

TEST(LoginPageOf, FindsLoginInAnyLetterCase) {
  EXPECT_EQ(LoginPageOf(L"https://example.com/user/login?next=/"), TLoginPage::Login);
  EXPECT_EQ(LoginPageOf(L"HTTP://LOGIN.EXAMPLE/"), TLoginPage::Login);
  EXPECT_EQ(LoginPageOf(L"https://example.com/logout"), TLoginPage::Other);
}

TEST_F(InputWatch, MouseCountsFromTwentySixPixelsOnTheScreenAfterTheFirstSecond) {
  Start(false);
  struct TCase {
    int Dx, Dy;
    double Seconds;
    bool Dismiss;
  };
  for (TCase c : {TCase{25, 25, 1.5, false}, TCase{-25, -25, 1.5, false}, TCase{26, 0, 1.5, true},
                  TCase{0, -26, 1.5, true}, TCase{200, 200, 0.99, false}, TCase{200, 0, 0.5, false}}) {
    TWatchVerdict v = Check(MoveTo(kCursor.x + c.Dx, kCursor.y + c.Dy), c.Seconds);
    EXPECT_EQ(v.Mouse, c.Dismiss) << c.Dx << "," << c.Dy << " at " << c.Seconds;
    EXPECT_EQ(v.Dismiss, c.Dismiss) << c.Dx << "," << c.Dy << " at " << c.Seconds;
  }
}

TEST_F(InputWatch, KeysCountAfterTheFirstSecondAndEscapeAlways) {
  Start(false);
  EXPECT_FALSE(Check(Key('A'), 0.5).Dismiss);
  EXPECT_FALSE(Check(Key('A'), 0.99).Dismiss);
  EXPECT_TRUE(Check(Key('A'), 1.01).Dismiss);
  EXPECT_TRUE(Check(Key(VK_ESCAPE), 0.0).Dismiss);
  EXPECT_FALSE(Check({WM_SYSKEYDOWN, 'A', {}}, 5).Dismiss);
  EXPECT_FALSE(Check({WM_LBUTTONDOWN, 0, {}}, 5).Dismiss);
}

TEST_F(InputWatch, ActivationChangesCountOnlyOnceTheGraceSecondHasPassed) {
  Start(false);
  for (UINT message : {WM_ACTIVATE, WM_ACTIVATEAPP, WM_NCACTIVATE}) {
    TWatchVerdict early = Check({message, 0, {}}, 0.5);
    EXPECT_TRUE(early.Keyboard) << message;
    EXPECT_FALSE(early.Dismiss) << message;
    EXPECT_TRUE(Check({message, 0, {}}, 2).Dismiss) << message;
  }
}

TEST_F(InputWatch, PreviewIgnoresInputForThirtySecondsButNotEscape) {
  Start(true);
  EXPECT_FALSE(Check(Key('A'), 29.99).Dismiss);
  EXPECT_FALSE(Check(MoveTo(0, 0), 29).Dismiss);
  EXPECT_TRUE(Check(Key(VK_ESCAPE), 0.1).Dismiss);
  EXPECT_TRUE(Check(Key('A'), 30.01).Dismiss);
  EXPECT_TRUE(Check(MoveTo(0, 0), 31).Preview);
}

TEST_F(InputWatch, LoginPageOnMonitorOneExemptsEverythingButEscape) {
  Start(false);
  EXPECT_FALSE(Check(Key('A'), 40, TLoginPage::Login).Dismiss);
  EXPECT_FALSE(Check(MoveTo(0, 0), 40, TLoginPage::Login).Dismiss);
  EXPECT_TRUE(Check(Key(VK_ESCAPE), 40, TLoginPage::Login).Dismiss);
  Start(true);
  EXPECT_FALSE(Check(Key('A'), 40, TLoginPage::Login).Dismiss);
}

TEST_F(InputWatch, LoginStateTurnsOnOnceAndItsReturnFiresOnce) {
  Start(false);
  EXPECT_FALSE(Check({WM_TIMER, 0, {}}, 2, TLoginPage::NoFrame).LoginBegins);
  TWatchVerdict first = Check({WM_TIMER, 0, {}}, 2, TLoginPage::Login);
  EXPECT_TRUE(first.LoginBegins);
  EXPECT_FALSE(Check({WM_PAINT, 0, {}}, 3, TLoginPage::Login).LoginBegins);
  EXPECT_TRUE(Watch.LoginSwitch());
  EXPECT_FALSE(Check({WM_PAINT, 0, {}}, 3, TLoginPage::NoFrame).LoginReturn) << "no frame is no page left";
  EXPECT_TRUE(Watch.LoginSwitch());
  EXPECT_TRUE(Check({WM_PAINT, 0, {}}, 4, TLoginPage::Other).LoginReturn);
  EXPECT_FALSE(Watch.LoginSwitch());
  EXPECT_FALSE(Check({WM_PAINT, 0, {}}, 5, TLoginPage::Other).LoginReturn);
  EXPECT_TRUE(Check({WM_PAINT, 0, {}}, 6, TLoginPage::Login).LoginBegins) << "a second sign-in";
}

TEST_F(InputWatch, LeavingTheLoginPageRestoresTheExitRules) {
  Start(false);
  Check({WM_PAINT, 0, {}}, 2, TLoginPage::Login);
  EXPECT_TRUE(Check(Key('A'), 3, TLoginPage::Other).Dismiss);
}

TEST_F(InputWatch, SwitchesHoldMouseAndKeyboardUntilTheNextShow) {
  Start(false);
  Check(MoveTo(0, 0), 2);
  Check(Key('A'), 2);
  Check({WM_PAINT, 0, {}}, 3);
  EXPECT_TRUE(Watch.MouseSwitch());
  EXPECT_TRUE(Watch.KeyboardSwitch());
  TWatchVerdict quiet = Check({WM_PAINT, 0, {}}, 0.5);
  EXPECT_FALSE(quiet.ShortTimer);
  EXPECT_FALSE(quiet.LongTimer);
  EXPECT_TRUE(Check({WM_PAINT, 0, {}}, 30.5).LongTimer);
  Start(false);
  EXPECT_FALSE(Watch.MouseSwitch());
  EXPECT_FALSE(Watch.KeyboardSwitch());
}
