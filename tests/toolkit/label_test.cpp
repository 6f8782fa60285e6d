#include "toolkit/Form.h"
#include "toolkit/Label.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The caption's size in the label's own font, measured here, not by the label.
SIZE CaptionExtent(const TLabel& label) {
  HDC dc = GetDC(label.Handle());
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(label.Perform(WM_GETFONT)));
  std::wstring text = label.Caption();
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(label.Handle(), dc);
  return size;
}

}  // namespace

// Outside the anonymous namespace: GoogleTest's factories hold test parameters.
struct TLabelAutoSizeCase {
  TAlignment Alignment;
  TFont Font;
  const wchar_t* Caption;
};

namespace {

class LabelAutoSize : public ::testing::TestWithParam<TLabelAutoSizeCase> {
 protected:
  TForm FForm;
};

}  // namespace

// Placed at (8, 39), 80 wide: whatever the font, the label fits its caption
// exactly and keeps the edge its alignment names, unless that edge would push
// it past the form's left edge.
TEST_P(LabelAutoSize, FitsItsCaptionAndKeepsItsAnchoredEdge) {
  const TLabelAutoSizeCase& c = GetParam();
  FForm.SetFont(c.Font);
  TLabel label(FForm);
  label.SetAlignment(c.Alignment);
  label.SetBounds(8, 39, 80, 16);
  label.SetCaption(c.Caption);
  SIZE extent = CaptionExtent(label);
  EXPECT_EQ(label.Width(), extent.cx);
  EXPECT_EQ(label.Height(), extent.cy);
  EXPECT_EQ(label.Top(), 39);
  switch (c.Alignment) {
    case taLeftJustify: EXPECT_EQ(label.Left(), 8); break;
    case taRightJustify: EXPECT_EQ(label.Left(), std::max(0, 88 - label.Width())); break;
    case taCenter: EXPECT_NEAR(label.Left(), std::max(0.0, 48 - label.Width() / 2.0), 1); break;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Fonts, LabelAutoSize,
    ::testing::Values(TLabelAutoSizeCase{taRightJustify, TFont{L"Tahoma", 11, clWindowText}, L"Screen 1 URL(s)"},
                      TLabelAutoSizeCase{taRightJustify, TFont{L"Courier New", 14, clWindowText}, L"Rotate Delay"},
                      TLabelAutoSizeCase{taRightJustify, TFont{L"Courier New", 20, clWindowText}, L"Screen 1 URL(s)"},
                      TLabelAutoSizeCase{taRightJustify, TFont{L"No Such Font Here", 16, clWindowText}, L"Screen 5 URL(s)"},
                      TLabelAutoSizeCase{taLeftJustify, TFont{L"Courier New", 20, clWindowText}, L"Milliseconds"},
                      TLabelAutoSizeCase{taCenter, TFont{L"Courier New", 20, clWindowText}, L"Start Delay"}));

TEST(Label, FollowsAFontSetOnItsFormLater) {
  TForm form;
  TLabel label(form);
  label.SetAlignment(taRightJustify);
  label.SetBounds(8, 10, 80, 16);
  label.SetCaption(L"Rotate Delay");
  const int narrow = label.Width();
  form.SetFont(TFont{L"Courier New", 24, clWindowText});
  EXPECT_GT(label.Width(), narrow);
  EXPECT_EQ(label.Width(), CaptionExtent(label).cx);
  EXPECT_EQ(label.Left(), std::max(0, 88 - label.Width()));
}

TEST(Label, WithoutAutoSizeKeepsItsBounds) {
  TForm form;
  TLabel label(form);
  label.SetAutoSize(false);
  label.SetBounds(8, 10, 80, 16);
  label.SetCaption(L"A caption far longer than eighty pixels of any font");
  EXPECT_EQ(label.Left(), 8);
  EXPECT_EQ(label.Width(), 80);
  EXPECT_EQ(label.Height(), 16);
}
