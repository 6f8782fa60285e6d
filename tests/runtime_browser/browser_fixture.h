#pragma once
// A running stand-in runtime for one test: journal, initialize on this (the UI) thread, a
// visible top-level window to hold browsers, a pump that runs the runtime's loop work and
// the window messages, and at the end a shutdown whose leak report must be empty.

#include "journal_file.h"
#include "runtime_library.h"
#include "test_app.h"
#include "test_client.h"
#include "test_resource_handler.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>

namespace standin_test {

class BrowserTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs loop work and window messages until done() holds or the time is up.
  bool PumpUntil(const std::function<bool()>& done, int timeout_ms = 10000);
  void PumpFor(int ms);
  // A browser in the parent window at (x, y, width, height); released by TearDown.
  cef_browser_t* CreateBrowser(TTestClient& client, const std::wstring& url, int x = 0, int y = 0, int width = 640,
                               int height = 480, uint32_t background = 0);
  void Load(cef_browser_t* browser, const std::wstring& url);
  std::wstring FrameUrl(cef_browser_t* browser);
  HWND BrowserWindow(cef_browser_t* browser);
  // Releases a browser now and lets the runtime close it with its window.
  void Discard(cef_browser_t*& browser);
  // Shuts the runtime down now (TearDown then only checks).
  void Shutdown();
  // A factory registered for scheme (any domain) that serves setup.
  TTestFactory& RegisterFactory(const std::wstring& scheme, THandlerSetup setup);

  std::wstring FDir;
  TJournalFile FJournal;
  TTestApp FApp;
  TTestClient FClient;
  TTestClient FOther;
  // Program objects the runtime may hold until shutdown live as long as the fixture.
  std::vector<std::unique_ptr<TTestFactory>> FFactories;
  std::vector<std::unique_ptr<TTestResourceHandler>> FHandlers;
  HWND FParent = nullptr;
  std::vector<cef_browser_t*> FBrowsers;
  bool FRunning = false;
  std::wstring FCachePath;
  cef_settings_t FSettings = {};
};

// A string record borrowing the text (which must outlive its use).
cef_string_t In(const std::wstring& text);
cef_string_t In(const wchar_t* literal);
cef_string_t In(std::wstring&&) = delete;

}  // namespace standin_test
