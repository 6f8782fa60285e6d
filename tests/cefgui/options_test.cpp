// The control's options as they reach the runtime's browser-settings record.

#include <gtest/gtest.h>

#include <string>

#include "cefgui/chromium_options.h"

namespace cefgui::test {
namespace {

std::wstring Text(const cef_string_t& s) { return s.str ? std::wstring(s.str, s.length) : std::wstring(); }

TEST(ChromiumOptions, FillBrowserSettingsCopiesEveryKindOfOption) {
  TChromiumOptions options;
  options.WindowlessFrameRate = 12;
  options.Javascript = STATE_DISABLED;
  options.Webgl = STATE_ENABLED;
  options.BackgroundColor = 0xFF102030;
  options.AcceptLanguageList = L"de-CH";
  TChromiumFontOptions fonts;
  fonts.FixedFontFamily = L"Courier";
  fonts.CursiveFontFamily = L"Comic";
  fonts.MinimumLogicalFontSize = 7;
  fonts.RemoteFonts = STATE_DISABLED;
  ustring encoding = L"windows-1252";
  cef_browser_settings_t settings{};
  settings.size = sizeof settings;

  FillBrowserSettings(settings, options, fonts, encoding);

  EXPECT_EQ(settings.windowless_frame_rate, 12);
  EXPECT_EQ(settings.javascript, STATE_DISABLED);
  EXPECT_EQ(settings.javascript_open_windows, STATE_DEFAULT);
  EXPECT_EQ(settings.webgl, STATE_ENABLED);
  EXPECT_EQ(settings.background_color, 0xFF102030u);
  EXPECT_EQ(Text(settings.accept_language_list), L"de-CH");
  EXPECT_EQ(Text(settings.fixed_font_family), L"Courier");
  EXPECT_EQ(Text(settings.cursive_font_family), L"Comic");
  EXPECT_EQ(Text(settings.standard_font_family), L"");
  EXPECT_EQ(settings.minimum_logical_font_size, 7);
  EXPECT_EQ(settings.remote_fonts, STATE_DISABLED);
  EXPECT_EQ(Text(settings.default_encoding), L"windows-1252");
  // Borrowed, not copied: the record is only good during the creation call.
  EXPECT_EQ(settings.fixed_font_family.str, fonts.FixedFontFamily.c_str());
  EXPECT_EQ(settings.fixed_font_family.dtor, nullptr);
}

TEST(ChromiumOptions, FillBrowserSettingsRefusesARecordSmallerThanItsOwn) {
  cef_browser_settings_t settings{};
  settings.size = sizeof settings - 1;
  EXPECT_THROW(FillBrowserSettings(settings, TChromiumOptions{}, TChromiumFontOptions{}, L""),
               ceflib::EAssertionFailed);
  EXPECT_EQ(settings.windowless_frame_rate, 0);
}

}  // namespace
}  // namespace cefgui::test
