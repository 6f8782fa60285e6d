#pragma once
// The browser control's settings for the runtime's browser-settings record: the browser
// options and the font options, and the copy of both into the record.

#include <cstdint>

#include "ceflib/ceflib.h"

namespace cefgui {

using ceflib::ustring;

class TChromiumOptions {
 public:
  int32_t WindowlessFrameRate = 30;
  // In the order of the record's fields, which FillBrowserSettings relies on.
  cef_state_t Javascript = STATE_DEFAULT;
  cef_state_t JavascriptOpenWindows = STATE_DEFAULT;
  cef_state_t JavascriptCloseWindows = STATE_DEFAULT;
  cef_state_t JavascriptAccessClipboard = STATE_DEFAULT;
  cef_state_t JavascriptDomPaste = STATE_DEFAULT;
  cef_state_t CaretBrowsing = STATE_DEFAULT;
  cef_state_t Java = STATE_DEFAULT;
  cef_state_t Plugins = STATE_DEFAULT;
  cef_state_t UniversalAccessFromFileUrls = STATE_DEFAULT;
  cef_state_t FileAccessFromFileUrls = STATE_DEFAULT;
  cef_state_t WebSecurity = STATE_DEFAULT;
  cef_state_t ImageLoading = STATE_DEFAULT;
  cef_state_t ImageShrinkStandaloneToFit = STATE_DEFAULT;
  cef_state_t TextAreaResize = STATE_DEFAULT;
  cef_state_t TabToLinks = STATE_DEFAULT;
  cef_state_t LocalStorage = STATE_DEFAULT;
  cef_state_t Databases = STATE_DEFAULT;
  cef_state_t ApplicationCache = STATE_DEFAULT;
  cef_state_t Webgl = STATE_DEFAULT;
  uint32_t BackgroundColor = 0;  // ARGB; 0 leaves the runtime's default
  ustring AcceptLanguageList;
};

class TChromiumFontOptions {
 public:
  // The standard family has no setter: it always reaches the runtime empty.
  const ustring& StandardFontFamily() const noexcept { return FStandardFontFamily; }
  ustring CursiveFontFamily;
  ustring SansSerifFontFamily;
  int32_t MinimumLogicalFontSize = 0;
  ustring FantasyFontFamily;
  ustring SerifFontFamily;
  int32_t DefaultFixedFontSize = 0;
  int32_t DefaultFontSize = 0;
  cef_state_t RemoteFonts = STATE_DEFAULT;
  ustring FixedFontFamily;
  int32_t MinimumFontSize = 0;

 private:
  ustring FStandardFontFamily;
};

// Copies the options into settings, whose size must be set and cover the whole record (raises
// ceflib::EAssertionFailed "Assertion failure" otherwise). The texts are borrowed: the record is
// valid only while the options and defaultEncoding stay unchanged.
void FillBrowserSettings(cef_browser_settings_t& settings, const TChromiumOptions& options,
                         const TChromiumFontOptions& fonts, const ustring& defaultEncoding);

}  // namespace cefgui
