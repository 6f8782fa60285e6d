#include "toolkit/Application.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/SpinEdit.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// A shown form with a spin edit like the start delay's and a second control to move the focus to.
class SpinEditTest : public ::testing::Test {
 protected:
  SpinEditTest() {
    Form.SetBounds(100, 100, 300, 120);
    Spin.SetBounds(10, 10, 65, 22);
    Spin.SetMinValue(500);
    Spin.SetMaxValue(10000);
    Spin.SetIncrement(500);
    Spin.SetValue(2000);
    Other.SetBounds(10, 50, 100, 21);
    Form.Show();
    Application.ProcessMessages();
  }

  void MoveFocusAway() {
    Spin.SetFocus();
    ASSERT_TRUE(Spin.Focused());
    Other.SetFocus();
    ASSERT_FALSE(Spin.Focused());
  }

  void TypeAndLeave(const std::wstring& text) {
    Spin.SetFocus();
    Spin.SetText(text);
    Other.SetFocus();
  }

  void PressKey(WPARAM key) {
    Spin.SetFocus();
    PostMessageW(Spin.Handle(), WM_KEYDOWN, key, 1);
    PostMessageW(Spin.Handle(), WM_KEYUP, key, 0xC0000001);
    Application.ProcessMessages();
  }

  // Presses and releases the mouse on the upper or lower half of the arrow buttons.
  void ClickArrow(bool up) {
    HWND arrows = GetWindow(Spin.Handle(), GW_CHILD);
    ASSERT_NE(arrows, nullptr);
    RECT r;
    GetClientRect(arrows, &r);
    LPARAM at = MAKELPARAM(r.right / 2, up ? r.bottom / 4 : r.bottom * 3 / 4);
    SendMessageW(arrows, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(arrows, WM_LBUTTONUP, 0, at);
    Application.ProcessMessages();
  }

  TForm Form;
  TSpinEdit Spin{Form};
  TEdit Other{Form};
};

}  // namespace

TEST_F(SpinEditTest, SettingTheValueClampsIntoTheRange) {
  Spin.SetValue(100);
  EXPECT_EQ(Spin.Value(), 500);
  EXPECT_EQ(Spin.Text(), L"500");
  Spin.SetValue(100000);
  EXPECT_EQ(Spin.Value(), 10000);
  Spin.SetValue(INT_MIN);
  EXPECT_EQ(Spin.Value(), 500);
  Spin.SetValue(3000);
  EXPECT_EQ(Spin.Text(), L"3000");
}

TEST_F(SpinEditTest, ReadingANonNumberGivesTheMinimumWithoutTouchingTheText) {
  Spin.SetText(L"abc");
  EXPECT_EQ(Spin.Value(), 500);
  EXPECT_EQ(Spin.Text(), L"abc");
  Spin.SetText(L"");
  EXPECT_EQ(Spin.Value(), 500);
  Spin.SetText(L"12.5");
  EXPECT_EQ(Spin.Value(), 500);
}

TEST_F(SpinEditTest, ReadingDoesNotClampATypedNumber) {
  Spin.SetText(L"99999");
  EXPECT_EQ(Spin.Value(), 99999);
  Spin.SetText(L"3");
  EXPECT_EQ(Spin.Value(), 3);
  EXPECT_EQ(Spin.Text(), L"3");
}

TEST_F(SpinEditTest, LosingTheFocusClampsTheShownText) {
  TypeAndLeave(L"99999");
  EXPECT_EQ(Spin.Text(), L"10000");
  TypeAndLeave(L"100");
  EXPECT_EQ(Spin.Text(), L"500");
  TypeAndLeave(L"-7");
  EXPECT_EQ(Spin.Text(), L"500");
}

TEST_F(SpinEditTest, LosingTheFocusShowsTheMinimumForANonNumber) {
  TypeAndLeave(L"abc");
  EXPECT_EQ(Spin.Text(), L"500");
}

TEST_F(SpinEditTest, LosingTheFocusKeepsANumberInRangeAsTyped) {
  TypeAndLeave(L"1500");
  EXPECT_EQ(Spin.Text(), L"1500");
  MoveFocusAway();
  EXPECT_EQ(Spin.Text(), L"1500");
}

TEST_F(SpinEditTest, ArrowKeysStepByTheIncrementAndClamp) {
  PressKey(VK_UP);
  EXPECT_EQ(Spin.Text(), L"2500");
  PressKey(VK_DOWN);
  PressKey(VK_DOWN);
  EXPECT_EQ(Spin.Text(), L"1500");
  Spin.SetValue(9800);
  PressKey(VK_UP);
  EXPECT_EQ(Spin.Text(), L"10000");
  PressKey(VK_UP);
  EXPECT_EQ(Spin.Text(), L"10000");
  Spin.SetValue(700);
  PressKey(VK_DOWN);
  EXPECT_EQ(Spin.Text(), L"500");
}

TEST_F(SpinEditTest, ArrowKeyOnANonNumberStepsFromTheMinimum) {
  Spin.SetText(L"abc");
  PressKey(VK_UP);
  EXPECT_EQ(Spin.Text(), L"1000");
}

TEST_F(SpinEditTest, ArrowKeyOnAHugeTypedNumberClampsInsteadOfOverflowing) {
  Spin.SetText(L"2147483647");
  PressKey(VK_UP);
  EXPECT_EQ(Spin.Text(), L"10000");
  Spin.SetText(L"-2147483648");
  PressKey(VK_DOWN);
  EXPECT_EQ(Spin.Text(), L"500");
}

TEST_F(SpinEditTest, ArrowButtonsStepByTheIncrementAndClamp) {
  ClickArrow(true);
  EXPECT_EQ(Spin.Text(), L"2500");
  ClickArrow(false);
  ClickArrow(false);
  EXPECT_EQ(Spin.Text(), L"1500");
  Spin.SetValue(10000);
  ClickArrow(true);
  EXPECT_EQ(Spin.Text(), L"10000");
  Spin.SetValue(500);
  ClickArrow(false);
  EXPECT_EQ(Spin.Text(), L"500");
}

TEST_F(SpinEditTest, ArrowButtonsSitInsideTheBoxAtItsRightEdge) {
  HWND arrows = GetWindow(Spin.Handle(), GW_CHILD);
  ASSERT_NE(arrows, nullptr);
  RECT box, button;
  GetWindowRect(Spin.Handle(), &box);
  GetWindowRect(arrows, &button);
  EXPECT_GE(button.left, box.left);
  EXPECT_LE(button.right, box.right);
  EXPECT_GT(button.left, (box.left + box.right) / 2);
  EXPECT_TRUE(IsWindowVisible(arrows));
}
