// Browser creation, identity, the window, closing.

#include "browser_fixture.h"

namespace standin_test {
namespace {

TEST_F(BrowserTest, CreatesAChildWindowAtTheGivenPlaceAndJournalsIt) {
  cef_browser_t* browser = CreateBrowser(FClient, L"", 10, 20, 300, 200);
  ASSERT_NE(browser, nullptr);
  HWND window = BrowserWindow(browser);
  ASSERT_TRUE(IsWindow(window));
  EXPECT_EQ(GetParent(window), FParent);
  EXPECT_NE(GetWindowLongW(window, GWL_STYLE) & WS_CHILD, 0);
  RECT bounds;
  GetWindowRect(window, &bounds);
  MapWindowPoints(nullptr, FParent, reinterpret_cast<POINT*>(&bounds), 2);
  EXPECT_EQ(bounds.left, 10);
  EXPECT_EQ(bounds.top, 20);
  EXPECT_EQ(bounds.right - bounds.left, 300);
  EXPECT_EQ(bounds.bottom - bounds.top, 200);
  auto created = FJournal.Entries("browser_create");
  ASSERT_EQ(created.size(), 1u);
  char parent[32];
  snprintf(parent, sizeof parent, "0x%llx", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(FParent)));
  EXPECT_EQ(created[0].Field("parent"), parent);
  EXPECT_EQ(created[0].Field("x"), "10");
  EXPECT_EQ(created[0].Field("y"), "20");
  EXPECT_EQ(created[0].Field("width"), "300");
  EXPECT_EQ(created[0].Field("height"), "200");
  EXPECT_EQ(created[0].Field("result"), "created");
}

TEST_F(BrowserTest, TellsOfTheNewBrowserInTheLoopWorkOnly) {
  cef_browser_t* browser = CreateBrowser(FClient, L"");
  ASSERT_NE(browser, nullptr);
  EXPECT_TRUE(FClient.Events().empty());
  ASSERT_TRUE(PumpUntil([&] { return FClient.Count("after_created") == 1; }));
  EXPECT_EQ(FClient.Events()[0], "after_created:" + std::to_string(browser->get_identifier(browser)));
}

TEST_F(BrowserTest, GivesEachBrowserItsOwnPositiveIdentifier) {
  cef_browser_t* first = CreateBrowser(FClient, L"");
  cef_browser_t* second = CreateBrowser(FOther, L"");
  ASSERT_TRUE(first && second);
  EXPECT_GT(first->get_identifier(first), 0);
  EXPECT_NE(first->get_identifier(first), second->get_identifier(second));
  first->base.add_ref(&first->base);
  EXPECT_EQ(first->is_same(first, first), 1);
  second->base.add_ref(&second->base);
  EXPECT_EQ(first->is_same(first, second), 0);
}

TEST_F(BrowserTest, HasOneMainFrameThatLeadsBackToItsBrowser) {
  cef_browser_t* browser = CreateBrowser(FClient, L"");
  cef_frame_t* frame = browser->get_main_frame(browser);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->is_main(frame), 1);
  EXPECT_EQ(frame->is_valid(frame), 1);
  EXPECT_EQ(frame->get_parent(frame), nullptr);
  EXPECT_EQ(browser->get_frame_count(browser), 1u);
  cef_browser_t* back = frame->get_browser(frame);
  EXPECT_EQ(back->get_identifier(back), browser->get_identifier(browser));
  back->base.release(&back->base);
  int64 id = frame->get_identifier(frame);
  cef_frame_t* by_id = browser->get_frame_byident(browser, id);
  ASSERT_NE(by_id, nullptr);
  by_id->base.release(&by_id->base);
  EXPECT_EQ(browser->get_frame_byident(browser, id + 1000), nullptr);
  frame->base.release(&frame->base);
  cef_browser_host_t* host = browser->get_host(browser);
  cef_browser_t* from_host = host->get_browser(host);
  EXPECT_EQ(from_host->get_identifier(from_host), browser->get_identifier(browser));
  from_host->base.release(&from_host->base);
  host->set_zoom_level(host, 1.5);
  EXPECT_DOUBLE_EQ(host->get_zoom_level(host), 1.5);
  host->base.release(&host->base);
}

TEST_F(BrowserTest, CloseBrowserAsksDoCloseThenSaysBeforeCloseAndDestroysTheWindow) {
  cef_browser_t* browser = CreateBrowser(FClient, L"");
  HWND window = BrowserWindow(browser);
  ASSERT_TRUE(PumpUntil([&] { return FClient.Count("after_created") == 1; }));
  cef_browser_host_t* host = browser->get_host(browser);
  host->close_browser(host, 0);
  host->base.release(&host->base);
  EXPECT_EQ(FClient.Count("before_close"), 0u);
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("before_close"); }));
  auto events = FClient.Events();
  EXPECT_EQ(events[events.size() - 2], "do_close");
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(FClient.Outstanding(), 0);  // the client is given back at close
}

TEST_F(BrowserTest, DoCloseTrueKeepsTheBrowserAndFalseClosesTheTopLevelWindow) {
  cef_browser_t* browser = CreateBrowser(FClient, L"");
  ASSERT_TRUE(PumpUntil([&] { return FClient.Count("after_created") == 1; }));
  cef_browser_host_t* host = browser->get_host(browser);
  FClient.do_close_answer = 1;
  host->close_browser(host, 1);
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("do_close"); }));
  PumpFor(100);
  EXPECT_FALSE(FClient.Has("before_close"));
  EXPECT_NE(BrowserWindow(browser), nullptr);
  FClient.do_close_answer = 0;
  host->close_browser(host, 1);
  host->base.release(&host->base);
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("before_close"); }));
  EXPECT_FALSE(IsWindow(FParent));  // told to close, and its window procedure did
  FParent = nullptr;
}

TEST_F(BrowserTest, ADestroyedParentClosesTheBrowser) {
  cef_browser_t* browser = CreateBrowser(FClient, L"");
  ASSERT_NE(browser, nullptr);
  DestroyWindow(FParent);
  FParent = nullptr;
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("before_close"); }));
  EXPECT_EQ(BrowserWindow(browser), nullptr);
  EXPECT_EQ(FJournal.Entries("browser_closed").back().Field("reason"), "window_destroyed");
}

TEST_F(BrowserTest, PassesPostedFocusOnAndReportsIt) {
  cef_browser_t* browser = CreateBrowser(FClient, L"");
  HWND window = BrowserWindow(browser);
  PostMessageW(window, WM_SETFOCUS, 0, 0);  // as the program's control passes focus on
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("got_focus"); }));
  EXPECT_EQ(GetFocus(), window);
  SendMessageW(window, WM_KEYDOWN, 'K', 0);
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("key"); }));
  EXPECT_TRUE(FClient.Has("pre_key:0:75"));
}

TEST_F(BrowserTest, SetFocusAsksOnSetFocusInTheLoopWorkThenFocusesTheWindow) {
  cef_browser_t* browser = CreateBrowser(FClient, L"");
  cef_browser_host_t* host = browser->get_host(browser);
  host->set_focus(host, 1);
  host->base.release(&host->base);
  EXPECT_FALSE(FClient.Has("set_focus"));
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("got_focus"); }));
  EXPECT_TRUE(FClient.Has("set_focus"));
  EXPECT_EQ(GetFocus(), BrowserWindow(browser));
}

TEST_F(BrowserTest, RefusesWithoutAParentAndGivesTheClientBack) {
  cef_window_info_t info = {};
  info.style = WS_CHILD;
  cef_browser_settings_t settings = {};
  settings.size = sizeof settings;
  cef_string_t url = In(L"");
  EXPECT_EQ(CEF(cef_browser_host_create_browser_sync)(&info, FClient.Hand(), &url, &settings, nullptr), nullptr);
  EXPECT_EQ(FClient.Outstanding(), 0);
  EXPECT_EQ(FJournal.Entries("browser_create").back().Field("result"), "no_window");
}

TEST_F(BrowserTest, CreatesAsynchronouslyAndHandsTheBrowserToOnAfterCreated) {
  cef_window_info_t info = {};
  info.style = WS_CHILD | WS_VISIBLE;
  info.parent_window = FParent;
  info.width = 100;
  info.height = 100;
  cef_browser_settings_t settings = {};
  settings.size = sizeof settings;
  cef_string_t url = In(L"about:blank");
  EXPECT_EQ(CEF(cef_browser_host_create_browser)(&info, FClient.Hand(), &url, &settings, nullptr), 1);
  EXPECT_TRUE(FJournal.Entries("browser_create").empty());
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }));
  EXPECT_EQ(FClient.Count("after_created"), 1u);
  EXPECT_EQ(FJournal.Entries("browser_create").back().Field("sync"), "0");
}

}  // namespace
}  // namespace standin_test

namespace standin_test {
namespace {

// Every slot after the base of a runtime struct is a function the program may call.
template <class Struct>
int EmptyMembers(Struct* object) {
  auto* slots = reinterpret_cast<void**>(reinterpret_cast<char*>(object) + sizeof(cef_base_t));
  size_t count = (object->base.size - sizeof(cef_base_t)) / sizeof(void*);
  int empty = 0;
  for (size_t i = 0; i < count; ++i) empty += slots[i] == nullptr ? 1 : 0;
  return empty;
}

TEST_F(BrowserTest, FillsEveryMemberOfEveryStructItHandsOut) {
  cef_browser_t* browser = CreateBrowser(FClient, L"");
  EXPECT_EQ(browser->base.size, sizeof(cef_browser_t));
  EXPECT_EQ(EmptyMembers(browser), 0);
  cef_browser_host_t* host = browser->get_host(browser);
  EXPECT_EQ(host->base.size, sizeof(cef_browser_host_t));
  EXPECT_EQ(EmptyMembers(host), 0);
  host->base.release(&host->base);
  cef_frame_t* frame = browser->get_main_frame(browser);
  EXPECT_EQ(EmptyMembers(frame), 0);
  frame->base.release(&frame->base);
  cef_request_t* request = CEF(cef_request_create)();
  EXPECT_EQ(EmptyMembers(request), 0);
  request->base.release(&request->base);
  cef_response_t* response = CEF(cef_response_create)();
  EXPECT_EQ(EmptyMembers(response), 0);
  response->base.release(&response->base);
  cef_cookie_manager_t* manager = CEF(cef_cookie_manager_get_global_manager)(nullptr);
  EXPECT_EQ(EmptyMembers(manager), 0);
  manager->base.release(&manager->base);
}

TEST_F(BrowserTest, RequestsKeepWhatTheProgramSetsUntilTheyAreReadOnly) {
  cef_request_t* request = CEF(cef_request_create)();
  cef_string_t url = In(L"http://h.test/x");
  request->set_url(request, &url);
  cef_string_multimap_t headers = CEF(cef_string_multimap_alloc)();
  cef_string_t key = In(L"X-Test"), value = In(L"1");
  CEF(cef_string_multimap_append)(headers, &key, &value);
  request->set_header_map(request, headers);
  CEF(cef_string_multimap_clear)(headers);
  request->get_header_map(request, headers);
  EXPECT_EQ(CEF(cef_string_multimap_size)(headers), 1);
  CEF(cef_string_multimap_free)(headers);
  cef_string_userfree_t read = request->get_url(request);
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(Text(read), L"http://h.test/x");
  CEF(cef_string_userfree_utf16_free)(read);
  EXPECT_EQ(request->is_read_only(request), 0);
  EXPECT_EQ(request->get_resource_type(request), RT_MAIN_FRAME);
  request->base.release(&request->base);
}

}  // namespace
}  // namespace standin_test
