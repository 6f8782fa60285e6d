#include "base/Exceptions.h"
#include "toolkit/Application.h"
#include "toolkit/BitBtn.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A dialog-like form with an edit and three buttons, counting their clicks.
class BitBtnTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FForm.SetDialogKeys(true);
    FForm.SetBounds(100, 100, 400, 200);
    FEdit.SetBounds(8, 8, 200, 21);
    FOk.SetBounds(8, 100, 80, 40);
    FCancel.SetBounds(100, 100, 80, 40);
    FOther.SetBounds(200, 100, 80, 40);
    FOk.SetDefault(true);
    FCancel.SetCancel(true);
    FOk.OnClick = [this] { Clicks += "ok "; };
    FCancel.OnClick = [this] { Clicks += "cancel "; };
    FOther.OnClick = [this] { Clicks += "other "; };
    FForm.SetActiveControl(&FEdit);
    FForm.Show();
  }
  void TearDown() override { Application.ProcessMessages(); }

  void Press(WPARAM key) {
    PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
    Application.ProcessMessages();
  }

  TForm FForm;
  TEdit FEdit{FForm};
  TBitBtn FOk{FForm};
  TBitBtn FCancel{FForm};
  TBitBtn FOther{FForm};
  std::string Clicks;
};

}  // namespace

TEST_F(BitBtnTest, AClickRunsOnClick) {
  FOther.Perform(BM_CLICK);
  EXPECT_EQ(Clicks, "other ");
}

TEST_F(BitBtnTest, EnterPressesTheDefaultButtonAndTheFocusStaysPut) {
  Press(VK_RETURN);
  EXPECT_EQ(Clicks, "ok ");
  EXPECT_TRUE(FEdit.Focused());
}

TEST_F(BitBtnTest, EnterPressesTheFocusedButtonInsteadOfTheDefault) {
  FOther.SetFocus();
  Press(VK_RETURN);
  EXPECT_EQ(Clicks, "other ");
}

TEST_F(BitBtnTest, EscapePressesTheCancelButton) {
  Press(VK_ESCAPE);
  EXPECT_EQ(Clicks, "cancel ");
}

TEST_F(BitBtnTest, DisabledDefaultButtonIsNotPressed) {
  FOk.SetEnabled(false);
  Press(VK_RETURN);
  EXPECT_EQ(Clicks, "");
}

TEST_F(BitBtnTest, ADestroyedButtonIsNoLongerTheFormsDefault) {
  {
    TBitBtn temporary(FForm);
    temporary.SetDefault(true);
    temporary.SetCancel(true);
    EXPECT_EQ(FForm.DefaultButton(), &temporary);
  }
  EXPECT_EQ(FForm.DefaultButton(), nullptr);
  EXPECT_EQ(FForm.CancelButton(), nullptr);
  Press(VK_RETURN);
  Press(VK_ESCAPE);
  EXPECT_EQ(Clicks, "");
}

TEST_F(BitBtnTest, MissingGlyphResourceRaises) {
  EXPECT_THROW(FOther.LoadGlyph(L"NO_SUCH_GLYPH"), EOSError);
}

// The glyph is drawn with its see-through colour left out: the cancel cross's
// red shows on the button, its magenta background does not.
TEST_F(BitBtnTest, DrawsTheGlyphWithoutItsBackground) {
  FOther.SetCaption(L"Cancel");
  FOther.SetGlyph(sgCancel);
  BITMAP info{};
  GetObjectW(FOther.Glyph(), sizeof info, &info);
  EXPECT_EQ(info.bmWidth, 16);
  EXPECT_EQ(info.bmHeight, 16);

  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP canvas = CreateCompatibleBitmap(screen, 80, 40);
  HGDIOBJ old = SelectObject(dc, canvas);
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_BUTTON;
  item.hwndItem = FOther.Handle();
  item.hDC = dc;
  item.rcItem = RECT{0, 0, 80, 40};
  item.itemAction = ODA_DRAWENTIRE;
  SendMessageW(FForm.Handle(), WM_DRAWITEM, GetDlgCtrlID(FOther.Handle()), reinterpret_cast<LPARAM>(&item));
  int red = 0, magenta = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 80; ++x) {
      COLORREF c = GetPixel(dc, x, y);
      red += c == RGB(0xE0, 0x20, 0x20);
      magenta += c == RGB(0xFF, 0x00, 0xFF);
    }
  SelectObject(dc, old);
  DeleteObject(canvas);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  EXPECT_GT(red, 10);
  EXPECT_EQ(magenta, 0);
}
