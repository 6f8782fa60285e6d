#include "browser_fixture.h"

#include "test_paths.h"

#include <thread>

namespace standin_test {

cef_string_t In(const std::wstring& text) {
  return cef_string_t{const_cast<wchar_t*>(text.c_str()), text.size(), nullptr};
}

cef_string_t In(const wchar_t* literal) {
  return cef_string_t{const_cast<wchar_t*>(literal), wcslen(literal), nullptr};
}

void BrowserTest::SetUp() {
  FApp.schemes.push_back({L"test", 1, 0, 0});
  FDir = kelpa::test::MakeTempDir(L"standin-browser-");
  FCachePath = FDir + L"\\cache";
  FSettings.size = sizeof FSettings;
  FSettings.single_process = 1;
  FSettings.no_sandbox = 1;
  FSettings.log_severity = LOGSEVERITY_DISABLE;
  FSettings.cache_path = In(FCachePath);
  cef_main_args_t args = {GetModuleHandleW(nullptr)};
  ASSERT_EQ(CEF(cef_initialize)(&args, &FSettings, FApp.Hand(), nullptr), 1);
  FRunning = true;
  FParent = CreateWindowExW(0, L"STATIC", L"browser test", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                            800, 600, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(FParent, nullptr);
}

void BrowserTest::Shutdown() {
  if (!FRunning) return;
  for (cef_browser_t* browser : FBrowsers) browser->base.release(&browser->base);
  FBrowsers.clear();
  if (FParent) DestroyWindow(FParent);
  FParent = nullptr;
  PumpFor(50);
  CEF(cef_shutdown)();
  FRunning = false;
}

void BrowserTest::TearDown() {
  Shutdown();
  auto leaks = FJournal.Entries("leaks");
  ASSERT_FALSE(leaks.empty());
  EXPECT_EQ(leaks.back().Field("total"), "0");
  for (const auto& leak : FJournal.Entries("leak")) ADD_FAILURE() << leak.line;
  EXPECT_EQ(FApp.Outstanding(), 0);
  EXPECT_EQ(FClient.Outstanding(), 0);
  EXPECT_EQ(FOther.Outstanding(), 0);
  EXPECT_EQ(FClient.off_thread_ui_events, 0);
  EXPECT_EQ(FOther.off_thread_ui_events, 0);
  for (auto& factory : FFactories) EXPECT_EQ(factory->counted.Outstanding(), 0);
  for (auto& factory : FFactories)
    for (auto& handler : factory->handlers) EXPECT_EQ(handler->counted.Outstanding(), 0);
  for (auto& handler : FHandlers) EXPECT_EQ(handler->counted.Outstanding(), 0);
  kelpa::test::RemoveTree(FDir);
}

bool BrowserTest::PumpUntil(const std::function<bool()>& done, int timeout_ms) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  for (;;) {
    CEF(cef_do_message_loop_work)();
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (done()) return true;
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

void BrowserTest::PumpFor(int ms) {
  PumpUntil([] { return false; }, ms);
}

cef_browser_t* BrowserTest::CreateBrowser(TTestClient& client, const std::wstring& url, int x, int y, int width,
                                          int height, uint32_t background) {
  cef_window_info_t info = {};
  info.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_TABSTOP;
  info.parent_window = FParent;
  info.x = x;
  info.y = y;
  info.width = width;
  info.height = height;
  cef_browser_settings_t settings = {};
  settings.size = sizeof settings;
  settings.background_color = background;
  cef_string_t address = In(url);
  cef_browser_t* browser =
      CEF(cef_browser_host_create_browser_sync)(&info, client.Hand(), &address, &settings, nullptr);
  if (browser) FBrowsers.push_back(browser);
  return browser;
}

void BrowserTest::Load(cef_browser_t* browser, const std::wstring& url) {
  cef_frame_t* frame = browser->get_main_frame(browser);
  cef_string_t address = In(url);
  frame->load_url(frame, &address);
  frame->base.release(&frame->base);
}

std::wstring BrowserTest::FrameUrl(cef_browser_t* browser) {
  cef_frame_t* frame = browser->get_main_frame(browser);
  cef_string_userfree_t url = frame->get_url(frame);
  std::wstring text = url ? std::wstring(url->str, url->length) : std::wstring();
  if (url) CEF(cef_string_userfree_utf16_free)(url);
  frame->base.release(&frame->base);
  return text;
}

HWND BrowserTest::BrowserWindow(cef_browser_t* browser) {
  cef_browser_host_t* host = browser->get_host(browser);
  HWND window = host->get_window_handle(host);
  host->base.release(&host->base);
  return window;
}

void BrowserTest::Discard(cef_browser_t*& browser) {
  std::erase(FBrowsers, browser);
  browser->base.release(&browser->base);
  browser = nullptr;
}

}  // namespace standin_test

namespace standin_test {

TTestFactory& BrowserTest::RegisterFactory(const std::wstring& scheme, THandlerSetup setup) {
  FFactories.push_back(std::make_unique<TTestFactory>());
  TTestFactory& factory = *FFactories.back();
  factory.setup = std::move(setup);
  cef_string_t name = In(scheme);
  cef_string_t domain = In(L"");
  EXPECT_EQ(CEF(cef_register_scheme_handler_factory)(&name, &domain, factory.Hand()), 1);
  return factory;
}

}  // namespace standin_test
