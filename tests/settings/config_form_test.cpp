#include "base/SysUtils.h"
#include "settings/ConfigForm.h"
#include "toolkit/Application.h"

#include "SettingsFixture.h"

#include <algorithm>
#include <regex>
#include <sstream>
#include <vector>

namespace {

class ConfigFormTest : public SettingsFixture {
 protected:
  void SetUp() override {
    SettingsFixture::SetUp();
    Application.OnException = [](const std::wstring& message) { ADD_FAILURE() << "exception: " << WideToUtf8(message); };
  }
  void TearDown() override {
    Application.OnException = nullptr;
    Application.DestroyForms();
    // Handle what is left and drop a quit request no loop took.
    Application.ProcessMessages();
    MSG quit;
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    SettingsFixture::TearDown();
  }

  static RECT ClientBounds(const TWinControl& control) {
    RECT r;
    GetWindowRect(control.Handle(), &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(control.Handle()), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }

  static void ExpectBounds(const TWinControl& control, int left, int top, int width, int height) {
    RECT r = ClientBounds(control);
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.right - r.left, width);
    EXPECT_EQ(r.bottom - r.top, height);
  }

  TConfigForm FForm;
};

}  // namespace

TEST_F(ConfigFormTest, IsAFixedDialogWithOnlyACloseBox) {
  EXPECT_EQ(FForm.Caption(), L"Tavrix Screen Saver v3.2 Configuration");
  EXPECT_EQ(FForm.ClientWidth(), 524);
  EXPECT_EQ(FForm.ClientHeight(), 211);
  auto style = static_cast<DWORD>(GetWindowLongPtrW(FForm.Handle(), GWL_STYLE));
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_FALSE(FForm.Visible());
}

TEST_F(ConfigFormTest, UsesButtonFaceAndTahomaElevenPixels) {
  EXPECT_EQ(ColorToRGB(FForm.Color()), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(FForm.Font().Name, L"Tahoma");
  EXPECT_EQ(FForm.Font().Height, 11);
  EXPECT_EQ(FForm.URL3.Font().Name, L"Tahoma");
  EXPECT_EQ(FForm.Label5.Font().Height, 11);
}

TEST_F(ConfigFormTest, ControlsSitWhereTheLayoutPutsThem) {
  ExpectBounds(FForm.DisplayDelay, 98, 6, 65, 22);
  ExpectBounds(FForm.RotateDelay, 451, 6, 65, 22);
  const TEdit* edits[] = {&FForm.URL1, &FForm.URL2, &FForm.URL3, &FForm.URL4, &FForm.URL5};
  const int editTops[] = {35, 61, 87, 113, 138};
  for (int i = 0; i < 5; ++i) ExpectBounds(*edits[i], 98, editTops[i], 418, 21);
  ExpectBounds(FForm.BitBtn5, 8, 165, 72, 40);
  ExpectBounds(FForm.BitBtn4, 90, 165, 100, 40);
  ExpectBounds(FForm.BitBtn1, 200, 165, 80, 40);
  ExpectBounds(FForm.BitBtn2, 366, 165, 60, 40);
  ExpectBounds(FForm.BitBtn3, 436, 165, 80, 40);
}

// Labels fit their captions, so only the edge their alignment keeps is fixed:
// the right edge of a right-aligned label (unless a wide font would push it
// past the dialog's left edge), the left edge of the others.
TEST_F(ConfigFormTest, LabelsKeepTheirAnchoredEdgeAndShowTheWholeCaption) {
  struct {
    const TLabel* Label;
    int Top, Edge;
    bool RightAligned;
  } cases[] = {{&FForm.Label1, 10, 88, true},   {&FForm.Label7, 10, 169, false}, {&FForm.Label8, 10, 445, true},
               {&FForm.Label2, 39, 88, true},   {&FForm.Label3, 65, 88, true},   {&FForm.Label4, 91, 88, true},
               {&FForm.Label5, 117, 88, true},  {&FForm.Label6, 143, 88, true}};
  for (const auto& c : cases) {
    RECT r = ClientBounds(*c.Label);
    EXPECT_EQ(r.top, c.Top) << WideToUtf8(c.Label->Caption());
    if (c.RightAligned)
      EXPECT_EQ(r.left, std::max(0L, c.Edge - (r.right - r.left))) << WideToUtf8(c.Label->Caption());
    else
      EXPECT_EQ(r.left, c.Edge) << WideToUtf8(c.Label->Caption());
    HDC dc = GetDC(c.Label->Handle());
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(c.Label->Perform(WM_GETFONT)));
    std::wstring text = c.Label->Caption();
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(c.Label->Handle(), dc);
    EXPECT_GE(r.right - r.left, extent.cx) << WideToUtf8(text);
  }
}

TEST_F(ConfigFormTest, ButtonsCarryTheirCaptionsAndGlyphs) {
  const TBitBtn* buttons[] = {&FForm.BitBtn1, &FForm.BitBtn2, &FForm.BitBtn3, &FForm.BitBtn4, &FForm.BitBtn5};
  const wchar_t* captions[] = {L"Preview", L"OK", L"Cancel", L"Clear Cache", L"Help"};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(buttons[i]->Caption(), captions[i]);
    EXPECT_NE(buttons[i]->Glyph(), nullptr) << WideToUtf8(captions[i]);
  }
  EXPECT_EQ(FForm.DefaultButton(), &FForm.BitBtn2);
  EXPECT_EQ(FForm.CancelButton(), &FForm.BitBtn3);
}

TEST_F(ConfigFormTest, LabelsCarryTheirCaptionsAndAlignment) {
  EXPECT_EQ(FForm.Label1.Caption(), L"Start Delay");
  EXPECT_EQ(FForm.Label7.Caption(), L"Milliseconds");
  EXPECT_EQ(FForm.Label8.Caption(), L"Rotate Delay");
  EXPECT_EQ(FForm.Label2.Caption(), L"Screen 1 URL(s)");
  EXPECT_EQ(FForm.Label6.Caption(), L"Screen 5 URL(s)");
  EXPECT_EQ(FForm.Label1.Alignment(), taRightJustify);
  EXPECT_EQ(FForm.Label8.Alignment(), taRightJustify);
  EXPECT_EQ(FForm.Label4.Alignment(), taRightJustify);
  EXPECT_EQ(FForm.Label7.Alignment(), taLeftJustify);
}

TEST_F(ConfigFormTest, SpinEditsHaveTheirRangesStepsAndInitialValues) {
  EXPECT_EQ(FForm.DisplayDelay.MinValue(), 500);
  EXPECT_EQ(FForm.DisplayDelay.MaxValue(), 10000);
  EXPECT_EQ(FForm.DisplayDelay.Increment(), 500);
  EXPECT_EQ(FForm.DisplayDelay.Value(), 2000);
  EXPECT_EQ(FForm.RotateDelay.MinValue(), 5000);
  EXPECT_EQ(FForm.RotateDelay.MaxValue(), 90000);
  EXPECT_EQ(FForm.RotateDelay.Increment(), 500);
  EXPECT_EQ(FForm.RotateDelay.Value(), 5000);
}

TEST_F(ConfigFormTest, TabGoesThroughTheDelaysTheAddressesThenTheButtons) {
  std::vector<HWND> order;
  HWND item = GetNextDlgTabItem(FForm.Handle(), nullptr, FALSE);
  for (int i = 0; i < 12 && item; ++i) {
    order.push_back(item);
    item = GetNextDlgTabItem(FForm.Handle(), item, FALSE);
  }
  std::vector<HWND> expected{FForm.DisplayDelay.Handle(), FForm.RotateDelay.Handle(), FForm.URL1.Handle(),
                             FForm.URL2.Handle(),         FForm.URL3.Handle(),        FForm.URL4.Handle(),
                             FForm.URL5.Handle(),         FForm.BitBtn5.Handle(),     FForm.BitBtn4.Handle(),
                             FForm.BitBtn1.Handle(),      FForm.BitBtn2.Handle(),     FForm.BitBtn3.Handle()};
  EXPECT_EQ(order, expected);
}

TEST_F(ConfigFormTest, ShownCentredWithTheFocusInTheStartDelay) {
  FForm.Show();
  EXPECT_TRUE(FForm.DisplayDelay.Focused());
  EXPECT_EQ(FForm.Left(), (GetSystemMetrics(SM_CXSCREEN) - FForm.Width()) / 2);
  EXPECT_EQ(FForm.Top(), (GetSystemMetrics(SM_CYSCREEN) - FForm.Height()) / 2);
}

TEST_F(ConfigFormTest, TabKeyMovesTheFocusThroughTheMessageLoop) {
  FForm.Show();
  PostMessageW(FForm.DisplayDelay.Handle(), WM_KEYDOWN, VK_TAB, 1);
  Application.ProcessMessages();
  EXPECT_TRUE(FForm.RotateDelay.Focused());
}

TEST_F(ConfigFormTest, OutOfRangeValueIsClampedWhenTheFocusLeaves) {
  FForm.Show();
  FForm.DisplayDelay.SetText(L"99999");
  FForm.URL1.SetFocus();
  EXPECT_EQ(FForm.DisplayDelay.Text(), L"10000");
}

TEST_F(ConfigFormTest, CreatedThroughTheApplicationItLoadsTheSettings) {
  WriteIni("[Config]\r\nDisplayDelay=4000\r\nScreenURL3=c.example\r\n");
  Application.CreateForm(ConfigForm);
  EXPECT_EQ(ConfigForm->DisplayDelay.Value(), 4000);
  EXPECT_EQ(ConfigForm->URL3.Text(), L"c.example");
  EXPECT_FALSE(ConfigForm->Visible());
}

TEST_F(ConfigFormTest, ClosingTheDialogTerminatesTheApplication) {
  FForm.Show();
  SendMessageW(FForm.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box
  EXPECT_FALSE(FForm.Visible());
  EXPECT_TRUE(Application.Terminated());
  Application.Run();  // ends at once: the request is waiting
  EXPECT_FALSE(Application.Terminated());
}

TEST_F(ConfigFormTest, HelpTextHasFiveLinesWithThreeExampleHosts) {
  std::vector<std::wstring> lines;
  std::wstringstream text(ConfigHelpText);
  for (std::wstring line; std::getline(text, line, L'\n');) lines.push_back(line);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], L"Each 'Screen URL' can include a comma-separated list of URLs.");
  EXPECT_EQ(lines[1], L"");
  EXPECT_TRUE(std::regex_match(lines[2], std::wregex(LR"(  Eg:  [a-z0-9.-]+\.[a-z]+, [a-z0-9.-]+\.[a-z]+, [a-z0-9.-]+\.[a-z]+)")))
      << WideToUtf8(lines[2]);
  EXPECT_EQ(lines[3], L"");
  EXPECT_EQ(lines[4], L"NOTE: The Start Delay applies to the loading of each page.");
}
