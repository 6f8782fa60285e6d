#include "cefgui/chromium_options.h"

namespace cefgui {

void FillBrowserSettings(cef_browser_settings_t& settings, const TChromiumOptions& options,
                         const TChromiumFontOptions& fonts, const ustring& defaultEncoding) {
  // A record from an older header would be written past its end.
  if (settings.size < sizeof(cef_browser_settings_t)) throw ceflib::EAssertionFailed("Assertion failure");
  using ceflib::CefStringView;
  settings.windowless_frame_rate = options.WindowlessFrameRate;
  settings.standard_font_family = CefStringView(fonts.StandardFontFamily());
  settings.fixed_font_family = CefStringView(fonts.FixedFontFamily);
  settings.serif_font_family = CefStringView(fonts.SerifFontFamily);
  settings.sans_serif_font_family = CefStringView(fonts.SansSerifFontFamily);
  settings.cursive_font_family = CefStringView(fonts.CursiveFontFamily);
  settings.fantasy_font_family = CefStringView(fonts.FantasyFontFamily);
  settings.default_font_size = fonts.DefaultFontSize;
  settings.default_fixed_font_size = fonts.DefaultFixedFontSize;
  settings.minimum_font_size = fonts.MinimumFontSize;
  settings.minimum_logical_font_size = fonts.MinimumLogicalFontSize;
  settings.remote_fonts = fonts.RemoteFonts;
  settings.default_encoding = CefStringView(defaultEncoding);
  settings.javascript = options.Javascript;
  settings.javascript_open_windows = options.JavascriptOpenWindows;
  settings.javascript_close_windows = options.JavascriptCloseWindows;
  settings.javascript_access_clipboard = options.JavascriptAccessClipboard;
  settings.javascript_dom_paste = options.JavascriptDomPaste;
  settings.caret_browsing = options.CaretBrowsing;
  settings.java = options.Java;
  settings.plugins = options.Plugins;
  settings.universal_access_from_file_urls = options.UniversalAccessFromFileUrls;
  settings.file_access_from_file_urls = options.FileAccessFromFileUrls;
  settings.web_security = options.WebSecurity;
  settings.image_loading = options.ImageLoading;
  settings.image_shrink_standalone_to_fit = options.ImageShrinkStandaloneToFit;
  settings.text_area_resize = options.TextAreaResize;
  settings.tab_to_links = options.TabToLinks;
  settings.local_storage = options.LocalStorage;
  settings.databases = options.Databases;
  settings.application_cache = options.ApplicationCache;
  settings.webgl = options.Webgl;
  settings.background_color = options.BackgroundColor;
  settings.accept_language_list = CefStringView(options.AcceptLanguageList);
}

}  // namespace cefgui
