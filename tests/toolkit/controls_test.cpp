// Panels, toggle switches and timers, painted and run for real.

#include "base/Exceptions.h"
#include "toolkit/Application.h"
#include "toolkit/Panel.h"
#include "toolkit/Timer.h"
#include "toolkit/ToggleSwitch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Runs the message loop until the condition holds or the time is up.
template <class Condition>
bool PumpUntil(Condition done, DWORD milliseconds) {
  ULONGLONG end = GetTickCount64() + milliseconds;
  while (!done() && GetTickCount64() < end) {
    Application.ProcessMessages();
    Sleep(5);
  }
  return done();
}

// The columns of one row of a window's pixels that differ from `background`.
std::vector<int> InkColumns(HWND window, int row, COLORREF background) {
  UpdateWindow(window);
  RECT r;
  GetClientRect(window, &r);
  HDC dc = GetDC(window);
  std::vector<int> columns;
  for (int x = 0; x < r.right; ++x)
    if (GetPixel(dc, x, row) != background) columns.push_back(x);
  ReleaseDC(window, dc);
  return columns;
}

class Controls : public ::testing::Test {
 protected:
  void SetUp() override {
    Form.SetBorderStyle(bsNone);
    Form.SetBounds(0, 0, 300, 100);
    Form.SetColor(clBlack);
    Form.Show();
  }
  TForm Form;
};

}  // namespace

TEST_F(Controls, PanelPaintsItsColourAndCentresItsCaption) {
  TPanel panel(Form);
  panel.SetBounds(0, 0, 240, 40);
  panel.SetColor(clBlack);
  panel.SetFont(TFont{L"Tahoma", 11, clGray});
  EXPECT_TRUE(InkColumns(panel.Handle(), 20, RGB(0, 0, 0)).empty());
  panel.SetCaption(L"Loading Screen 1/1");
  int leftmost = 240, rightmost = -1;
  for (int row = 0; row < 40; ++row)
    for (int x : InkColumns(panel.Handle(), row, RGB(0, 0, 0))) {
      leftmost = std::min(leftmost, x);
      rightmost = std::max(rightmost, x);
    }
  ASSERT_GE(rightmost, 0) << "no caption painted";
  int leftMargin = leftmost;
  int rightMargin = 239 - rightmost;
  EXPECT_GT(leftMargin, 20);
  EXPECT_NEAR(leftMargin, rightMargin, 12);
}

TEST_F(Controls, ToggleSwitchFlipsOnClickAndLooksDifferentWhenOn) {
  TToggleSwitch toggle(Form);
  toggle.SetBounds(8, 8, 44, 20);
  EXPECT_EQ(toggle.State(), tssOff);
  std::vector<int> off = InkColumns(toggle.Handle(), 10, ColorToRGB(clBlack));
  toggle.SetState(tssOn);
  EXPECT_TRUE(toggle.IsOn());
  EXPECT_NE(InkColumns(toggle.Handle(), 10, ColorToRGB(clBlack)), off);
  toggle.Perform(WM_LBUTTONUP);
  EXPECT_EQ(toggle.State(), tssOff);
}

TEST(Timer, FiresWhileEnabledAndNeverOnceDisabled) {
  TTimer timer;
  int ticks = 0;
  timer.OnTimer = [&](TTimer&) { ++ticks; };
  timer.SetInterval(20);
  EXPECT_FALSE(timer.Enabled());
  PumpUntil([] { return false; }, 100);
  EXPECT_EQ(ticks, 0) << "created disabled";
  timer.SetEnabled(true);
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }, 5000));
  timer.SetEnabled(false);
  int stopped = ticks;
  PumpUntil([] { return false; }, 100);
  EXPECT_EQ(ticks, stopped);
}

TEST(Timer, RestartPutsTheNextFiringOneFullIntervalLater) {
  TTimer timer;
  ULONGLONG firedAt = 0;
  timer.OnTimer = [&](TTimer& t) {
    firedAt = GetTickCount64();
    t.SetEnabled(false);
  };
  timer.SetInterval(400);
  timer.SetEnabled(true);
  PumpUntil([] { return false; }, 300);
  ULONGLONG restarted = GetTickCount64();
  timer.SetEnabled(false);
  timer.SetEnabled(true);
  ASSERT_TRUE(PumpUntil([&] { return firedAt != 0; }, 5000));
  EXPECT_GE(firedAt - restarted, 380u);
}

TEST(Timer, AnExceptionIsShownAndTheTimerGoesOn) {
  std::vector<std::wstring> shown;
  Application.OnException = [&](const std::wstring& message) { shown.push_back(message); };
  TTimer timer;
  int ticks = 0;
  timer.OnTimer = [&](TTimer&) {
    if (++ticks == 1) throw Exception(L"tick failed");
  };
  timer.SetInterval(20);
  timer.SetEnabled(true);
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 2; }, 5000));
  Application.OnException = nullptr;
  EXPECT_EQ(shown, std::vector<std::wstring>{L"tick failed"});
}
