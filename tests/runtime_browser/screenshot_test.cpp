// What a person sees: the page's title and text painted in the browser window.

#include "browser_fixture.h"
#include "test_paths.h"
#include "window_capture.h"

#include <filesystem>

namespace standin_test {
namespace {

using kelpa::test::TCapture;

// Saves a capture for people under the test's folder, and under STANDIN_SCREENSHOT_DIR when set.
void Keep(const TCapture& capture, const std::wstring& dir, const std::wstring& name) {
  EXPECT_TRUE(capture.SaveBmp((std::filesystem::path(dir) / name).wstring()));
  wchar_t extra[MAX_PATH];
  if (GetEnvironmentVariableW(L"STANDIN_SCREENSHOT_DIR", extra, MAX_PATH))
    capture.SaveBmp((std::filesystem::path(extra) / name).wstring());
}

void ShowPage(cef_browser_t* browser, const std::wstring& html) {
  cef_frame_t* frame = browser->get_main_frame(browser);
  cef_string_t text = In(html);
  cef_string_t url = In(L"http://example.test/page");
  frame->load_string(frame, &text, &url);
  frame->base.release(&frame->base);
}

class ScreenshotTest : public BrowserTest {};

TEST_F(ScreenshotTest, PaintsTheTitleAndTextOfThePage) {
  cef_browser_t* browser = CreateBrowser(FClient, L"", 20, 30, 600, 400);
  ShowPage(browser,
           L"<title>Dashboard Title</title><p>The quarterly numbers are in and they look good.</p>");
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }));
  PumpFor(50);
  TCapture capture = TCapture::OfWindow(BrowserWindow(browser));
  Keep(capture, FDir, L"page.bmp");
  ASSERT_EQ(capture.Width(), 600);
  ASSERT_EQ(capture.Height(), 400);
  EXPECT_EQ(capture.Pixel(599, 399), RGB(255, 255, 255));
  EXPECT_GT(capture.DarkPixels({16, 16, 400, 46}), 100);   // the title
  EXPECT_GT(capture.DarkPixels({16, 90, 584, 140}), 100);  // the first paragraph
  EXPECT_EQ(capture.DarkPixels({16, 200, 600, 400}), 0);   // nothing below the text
}

TEST_F(ScreenshotTest, PaintsOnTheBackgroundColourSetting) {
  cef_browser_t* browser = CreateBrowser(FClient, L"", 0, 0, 300, 200, 0xFF203040);
  ShowPage(browser, L"<title>Night</title>");
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }));
  TCapture capture = TCapture::OfWindow(BrowserWindow(browser));
  Keep(capture, FDir, L"background.bmp");
  EXPECT_EQ(capture.Pixel(299, 199), RGB(0x20, 0x30, 0x40));
  EXPECT_GT(capture.BrightPixels({16, 16, 284, 46}), 50);
}

TEST_F(ScreenshotTest, RepaintsAtTheNewSizeAfterTheParentResizesIt) {
  cef_browser_t* browser = CreateBrowser(FClient, L"", 0, 0, 200, 100);
  ShowPage(browser, L"<title>Resized</title>");
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }));
  HWND window = BrowserWindow(browser);
  SetWindowPos(window, nullptr, 0, 0, 500, 300, SWP_NOZORDER);
  PumpFor(20);
  TCapture capture = TCapture::OfWindow(window);
  EXPECT_EQ(capture.Width(), 500);
  EXPECT_EQ(capture.Height(), 300);
  EXPECT_GT(capture.DarkPixels({16, 16, 300, 46}), 50);
}

TEST_F(ScreenshotTest, DevToolsOpenAnHonestlyLabelledWindow) {
  cef_browser_t* browser = CreateBrowser(FClient, L"", 0, 0, 200, 100);
  ShowPage(browser, L"<title>Source</title>");
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }));
  cef_browser_host_t* host = browser->get_host(browser);
  cef_window_info_t info = {};
  info.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VISIBLE;
  info.x = info.y = info.width = info.height = static_cast<int>(CW_USEDEFAULT);
  info.parent_window = host->get_window_handle(host);
  cef_browser_settings_t settings = {};
  settings.size = sizeof settings;
  TTestClient devtools_client;
  host->show_dev_tools(host, &info, devtools_client.Hand(), &settings, nullptr);
  EXPECT_EQ(devtools_client.Outstanding(), 0);
  HWND devtools = FindWindowW(L"StandinBrowserView", L"DevTools (stand-in runtime)");
  EXPECT_NE(devtools, nullptr);
  host->close_dev_tools(host);
  EXPECT_FALSE(IsWindow(devtools));
  host->base.release(&host->base);
  auto lines = FJournal.Entries("devtools");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].Field("action"), "close");
}

}  // namespace
}  // namespace standin_test
