#include "toolkit/Application.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records its handlers' calls and whether the window was visible at each.
class TRecordingForm : public TForm {
 public:
  std::vector<std::string> Calls;
  TCloseAction ActionToGive = caHide;
  bool AllowClose = true;

 protected:
  void FormShow() override { Calls.push_back(IsWindowVisible(Handle()) ? "show:visible" : "show:hidden"); }
  void FormHide() override { Calls.push_back(IsWindowVisible(Handle()) ? "hide:visible" : "hide:hidden"); }
  void FormCloseQuery(bool& canClose) override {
    Calls.push_back("closequery");
    canClose = AllowClose;
  }
  void FormClose(TCloseAction& action) override {
    Calls.push_back("close");
    action = ActionToGive;
  }
};

DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)); }
DWORD ExStyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)); }

LOGFONTW FontOf(const TWinControl& control) {
  LOGFONTW lf{};
  auto font = reinterpret_cast<HFONT>(control.Perform(WM_GETFONT));
  EXPECT_NE(font, nullptr);
  GetObjectW(font, sizeof lf, &lf);
  return lf;
}

}  // namespace

TEST(Form, StartsHiddenAsATopLevelWindowWithTagZero) {
  TForm form;
  ASSERT_TRUE(IsWindow(form.Handle()));
  EXPECT_FALSE(IsWindowVisible(form.Handle()));
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(GetAncestor(form.Handle(), GA_PARENT), GetDesktopWindow());
  EXPECT_EQ(form.Tag, 0);
  form.Tag = 7;
  EXPECT_EQ(form.Tag, 7);
}

TEST(Form, ShowRunsFormShowBeforeTheWindowAppearsAndHideRunsFormHideAfter) {
  TRecordingForm form;
  form.Show();
  EXPECT_TRUE(IsWindowVisible(form.Handle()));
  form.Show();  // already visible: no second call
  form.Hide();
  EXPECT_FALSE(IsWindowVisible(form.Handle()));
  EXPECT_EQ(form.Calls, (std::vector<std::string>{"show:hidden", "hide:hidden"}));
}

TEST(Form, CaptionIsTheWindowText) {
  TForm form;
  form.SetCaption(L"Screen");
  wchar_t text[32];
  GetWindowTextW(form.Handle(), text, 32);
  EXPECT_STREQ(text, L"Screen");
  EXPECT_EQ(form.Caption(), L"Screen");
}

TEST(Form, DialogBorderIsFixedWithOnlyTheCloseBox) {
  TForm form;
  form.SetBorderStyle(bsDialog);
  DWORD style = StyleOf(form.Handle());
  EXPECT_EQ(style & WS_CAPTION, static_cast<DWORD>(WS_CAPTION));
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_TRUE(ExStyleOf(form.Handle()) & WS_EX_DLGMODALFRAME);
}

TEST(Form, NoBorderMeansAPopupWithoutCaptionOrFrame) {
  TForm form;
  form.SetBorderStyle(bsNone);
  DWORD style = StyleOf(form.Handle());
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_VSCROLL | WS_HSCROLL));
  form.SetBounds(0, 0, 200, 100);
  EXPECT_EQ(form.ClientWidth(), 200);
  EXPECT_EQ(form.ClientHeight(), 100);
}

TEST(Form, AlwaysOnTopIsTheTopmostFlag) {
  TForm form;
  EXPECT_FALSE(form.AlwaysOnTop());
  form.SetAlwaysOnTop(true);
  EXPECT_TRUE(form.AlwaysOnTop());
  EXPECT_TRUE(ExStyleOf(form.Handle()) & WS_EX_TOPMOST);
  form.SetAlwaysOnTop(false);
  EXPECT_FALSE(form.AlwaysOnTop());
}

TEST(Form, ClientSizeExcludesTheFrame) {
  TForm form;
  form.SetBorderStyle(bsDialog);
  form.SetClientSize(524, 211);
  EXPECT_EQ(form.ClientWidth(), 524);
  EXPECT_EQ(form.ClientHeight(), 211);
  EXPECT_GT(form.Width(), 524);
}

TEST(Form, ScreenCentredFormIsCentredWhenShown) {
  TForm form;
  form.SetBounds(0, 0, 400, 200);
  form.SetPosition(poScreenCenter);
  form.Show();
  EXPECT_EQ(form.Left(), (GetSystemMetrics(SM_CXSCREEN) - 400) / 2);
  EXPECT_EQ(form.Top(), (GetSystemMetrics(SM_CYSCREEN) - 200) / 2);
}

TEST(Form, CloseAsksRunsFormCloseAndHides) {
  TRecordingForm form;
  form.Show();
  form.Calls.clear();
  form.Close();
  EXPECT_EQ(form.Calls, (std::vector<std::string>{"closequery", "close", "hide:hidden"}));
  EXPECT_FALSE(form.Visible());
  MSG quit;
  EXPECT_FALSE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));  // not the main form: nothing ends
}

TEST(Form, CloseStopsWhenRefusedOrWhenFormCloseSaysNone) {
  TRecordingForm form;
  form.Show();
  form.AllowClose = false;
  form.Close();
  EXPECT_TRUE(form.Visible());
  form.AllowClose = true;
  form.ActionToGive = caNone;
  form.Close();
  EXPECT_TRUE(form.Visible());
  EXPECT_EQ(form.Calls, (std::vector<std::string>{"show:hidden", "closequery", "closequery", "close"}));
}

TEST(Form, CloseBoxClosesTheForm) {
  TRecordingForm form;
  form.SetBorderStyle(bsDialog);
  form.Show();
  SendMessageW(form.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(form.Visible());
  EXPECT_TRUE(IsWindow(form.Handle()));  // hidden, not destroyed: the object still owns it
  EXPECT_EQ(form.Calls.back(), "hide:hidden");
}

TEST(Form, ControlsTakeTheFormsFontEvenWhenItIsSetAfterThem) {
  TForm form;
  TLabel label(form);
  TEdit edit(form);
  form.SetFont(TFont{L"Tahoma", 11, clWindowText});
  for (const TWinControl* control : {static_cast<const TWinControl*>(&label), static_cast<const TWinControl*>(&edit)}) {
    LOGFONTW lf = FontOf(*control);
    EXPECT_STREQ(lf.lfFaceName, L"Tahoma");
    EXPECT_EQ(lf.lfHeight, -11);
  }
}

TEST(Form, LabelPaintsOnTheParentsColourInItsFontColour) {
  TForm form;
  form.SetColor(clBlack);
  TLabel label(form);
  label.SetFont(TFont{L"Tahoma", 11, clSilver});
  HDC dc = GetDC(label.Handle());
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(form.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label.Handle())));
  EXPECT_NE(brush, nullptr);
  EXPECT_EQ(GetBkColor(dc), RGB(0, 0, 0));
  EXPECT_EQ(GetTextColor(dc), RGB(192, 192, 192));
  LOGBRUSH lb{};
  GetObjectW(brush, sizeof lb, &lb);
  EXPECT_EQ(lb.lbColor, RGB(0, 0, 0));
  ReleaseDC(label.Handle(), dc);
}

TEST(Form, LabelAlignmentIsItsStaticStyle) {
  TForm form;
  TLabel label(form);
  label.SetAlignment(taRightJustify);
  EXPECT_EQ(StyleOf(label.Handle()) & SS_TYPEMASK, static_cast<DWORD>(SS_RIGHT));
  label.SetAlignment(taLeftJustify);
  EXPECT_EQ(StyleOf(label.Handle()) & SS_TYPEMASK, static_cast<DWORD>(SS_LEFT));
}

TEST(Form, ControlBoundsAreInTheParentsClientCoordinates) {
  TForm form;
  form.SetBorderStyle(bsDialog);
  form.SetBounds(50, 60, 400, 300);
  TEdit edit(form);
  edit.SetBounds(98, 35, 418, 21);
  EXPECT_EQ(edit.Left(), 98);
  EXPECT_EQ(edit.Top(), 35);
  EXPECT_EQ(edit.Width(), 418);
  EXPECT_EQ(edit.Height(), 21);
  EXPECT_EQ(form.Left(), 50);
  EXPECT_EQ(form.Top(), 60);
}

TEST(Form, EditHoldsTextLongerThanTheSystemDefaultLimit) {
  TForm form;
  TEdit edit(form);
  std::wstring text(40000, L'u');
  edit.SetText(text);
  EXPECT_EQ(edit.Text(), text);
}

TEST(Form, TabOrderFollowsTheGivenOrder) {
  TForm form;
  TEdit a(form), b(form), c(form);
  TWinControl::SetTabOrder({&c, &a, &b});
  HWND first = GetNextDlgTabItem(form.Handle(), nullptr, FALSE);
  EXPECT_EQ(first, c.Handle());
  EXPECT_EQ(GetNextDlgTabItem(form.Handle(), c.Handle(), FALSE), a.Handle());
  EXPECT_EQ(GetNextDlgTabItem(form.Handle(), a.Handle(), FALSE), b.Handle());
}

TEST(Form, ActiveControlHasTheFocusWhenShown) {
  TForm form;
  TEdit a(form), b(form);
  form.SetActiveControl(&b);
  form.Show();
  EXPECT_TRUE(b.Focused());
}

TEST(Form, DestroyingAControlRemovesItsWindow) {
  TForm form;
  HWND window;
  {
    TEdit edit(form);
    window = edit.Handle();
    EXPECT_EQ(TWinControl::FromHandle(window), &edit);
  }
  EXPECT_FALSE(IsWindow(window));
}

TEST(Form, ControlOutlivingItsWindowIsSafe) {
  auto form = std::make_unique<TForm>();
  TEdit edit(*form);
  DestroyWindow(edit.Handle());
  EXPECT_EQ(edit.Handle(), nullptr);
  form.reset();
}
