// Main-frame loads: the order of the callbacks, redirects, meta refresh, errors, aborts, and
// a slow server that never holds up the loop work.

#include "browser_fixture.h"
#include "loopback_server.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <thread>

namespace standin_test {
namespace {

using kelpa::test::TLoopbackServer;
using kelpa::test::TServedRequest;
using kelpa::test::TServerReply;

std::wstring Wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

TEST_F(BrowserTest, LoadsAPageWithTheCallbacksInTheirOrder) {
  TLoopbackServer server([](const TServedRequest&) {
    return TServerReply::Html(200, "<html><head><title>Hello Page</title></head><body><p>Text</p></body></html>");
  });
  std::string url = server.Url("/index.html");
  cef_browser_t* browser = CreateBrowser(FClient, L"");
  ASSERT_TRUE(PumpUntil([&] { return FClient.Count("after_created") == 1; }));
  FClient.ClearEvents();
  Load(browser, Wide(url));
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }));
  // on_load_start comes when the page commits, not before its request is sent.
  std::vector<std::string> expected = {"before_browse:" + url, "loading:1", "before_resource_load:" + url, "load_start",
                                       "address:" + url, "title:Hello Page", "load_end:200", "loading:0"};
  EXPECT_EQ(FClient.Events(), expected);
  EXPECT_EQ(FrameUrl(browser), Wide(url));
  EXPECT_EQ(browser->is_loading(browser), 0);
  EXPECT_EQ(browser->has_document(browser), 1);
  auto start = FJournal.Entries("load_start");
  auto end = FJournal.Entries("load_end");
  ASSERT_EQ(start.size(), 1u);
  ASSERT_EQ(end.size(), 1u);
  EXPECT_EQ(start[0].Field("url"), "\"" + url + "\"");
  EXPECT_EQ(end[0].Field("status"), "200");
  // The request handler's resource calls run on the runtime's IO thread.
  for (DWORD thread : FClient.request_threads) EXPECT_NE(thread, GetCurrentThreadId());
}

TEST_F(BrowserTest, NeverBlocksTheCallerOfLoadUrl) {
  TLoopbackServer server([](const TServedRequest&) { return TServerReply::Html(200, "<title>T</title>"); });
  cef_browser_t* browser = CreateBrowser(FClient, L"");
  Load(browser, Wide(server.Url("/")));
  EXPECT_EQ(FClient.Count("load_start"), 0u);  // nothing happens before the loop work
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("load_end:200"); }));
}

TEST_F(BrowserTest, UsesTheAddressAsTitleWhenThePageHasNone) {
  TLoopbackServer server([](const TServedRequest&) { return TServerReply::Html(200, "<p>no title</p>"); });
  std::string url = server.Url("/untitled");
  cef_browser_t* browser = CreateBrowser(FClient, Wide(url));
  ASSERT_NE(browser, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }));
  EXPECT_TRUE(FClient.Has("title:" + url));
}

// A display that rotates for months must not keep every address it ever showed.
TEST_F(BrowserTest, KeepsTheNewestFiftyAddressesOfItsHistory) {
  cef_browser_t* browser = CreateBrowser(FClient, L"");
  ASSERT_TRUE(PumpUntil([&] { return FClient.Count("after_created") == 1; }));
  for (int n = 1; n <= 60; ++n) {
    Load(browser, L"about:blank#" + std::to_wstring(n));
    ASSERT_TRUE(PumpUntil([&] { return FrameUrl(browser) == L"about:blank#" + std::to_wstring(n); }));
  }
  int steps = 0;
  for (; browser->can_go_back(browser) && steps < 60; ++steps) {
    browser->go_back(browser);
    ASSERT_TRUE(PumpUntil([&] { return FrameUrl(browser) == L"about:blank#" + std::to_wstring(59 - steps); }));
  }
  EXPECT_EQ(steps, 49);
}

TEST_F(BrowserTest, FollowsRedirectsAndReportsTheFinalAddress) {
  TLoopbackServer server([](const TServedRequest& request) {
    if (request.target == "/old") return TServerReply::Redirect(301, "/middle");
    if (request.target == "/middle") return TServerReply::Redirect(302, "/new");
    return TServerReply::Html(200, "<title>Arrived</title>");
  });
  cef_browser_t* browser = CreateBrowser(FClient, Wide(server.Url("/old")));
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }));
  EXPECT_TRUE(FClient.Has("address:" + server.Url("/new")));
  EXPECT_TRUE(FClient.Has("load_end:200"));
  EXPECT_EQ(FClient.Count("resource_redirect:"), 2u);
  EXPECT_TRUE(FClient.Has("resource_redirect:" + server.Url("/old") + ">" + server.Url("/middle")));
  EXPECT_EQ(FrameUrl(browser), Wide(server.Url("/new")));
  EXPECT_TRUE(FClient.Has("before_browse:" + server.Url("/middle") + ":redirect"));
  EXPECT_TRUE(FClient.Has("before_browse:" + server.Url("/new") + ":redirect"));
}

TEST_F(BrowserTest, OnBeforeBrowseCanRefuseARedirect) {
  TLoopbackServer server([](const TServedRequest& request) {
    if (request.target == "/old") return TServerReply::Redirect(302, "/new");
    return TServerReply::Html(200, "<title>Arrived</title>");
  });
  CreateBrowser(FClient, Wide(server.Url("/old")));
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:1"); }));
  FClient.cancel_browse = true;  // the first browse went through; the redirect's does not
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }));
  EXPECT_EQ(FClient.Count("load_error:" + std::to_string(ERR_ABORTED)), 1u);
  EXPECT_EQ(server.Requests().size(), 1u);
}

TEST_F(BrowserTest, LetsOnResourceRedirectChooseAnotherTarget) {
  TLoopbackServer server([](const TServedRequest& request) {
    if (request.target == "/start") return TServerReply::Redirect(302, "/planned");
    return TServerReply::Html(200, "<title>" + request.target + "</title>");
  });
  FClient.redirect_override = Wide(server.Url("/chosen"));
  CreateBrowser(FClient, Wide(server.Url("/start")));
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }));
  EXPECT_TRUE(FClient.Has("title:/chosen"));
  EXPECT_TRUE(FClient.Has("address:" + server.Url("/chosen")));
}

TEST_F(BrowserTest, FollowsAMetaRefresh) {
  TLoopbackServer server([](const TServedRequest& request) {
    if (request.target == "/first")
      return TServerReply::Html(200, "<meta http-equiv=\"refresh\" content=\"0; url=/second\"><title>First</title>");
    return TServerReply::Html(200, "<title>Second</title>");
  });
  CreateBrowser(FClient, Wide(server.Url("/first")));
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("title:Second"); }));
  EXPECT_TRUE(FClient.Has("title:First"));
  EXPECT_EQ(FClient.Count("load_end:200"), 2u);
  EXPECT_EQ(FJournal.Entries("meta_refresh").size(), 1u);
}

TEST_F(BrowserTest, ReportsARefusedConnectionAsALoadError) {
  uint16_t port;
  {
    TLoopbackServer closed([](const TServedRequest&) { return TServerReply(); });
    port = closed.Port();
  }
  std::string url = "http://127.0.0.1:" + std::to_string(port) + "/";
  CreateBrowser(FClient, Wide(url));
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }));
  EXPECT_TRUE(FClient.Has("load_error:" + std::to_string(ERR_CONNECTION_REFUSED) + ":ERR_CONNECTION_REFUSED:" + url));
  EXPECT_EQ(FClient.Count("load_end"), 0u);
  auto errors = FJournal.Entries("load_error");
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].Field("error"), std::to_string(ERR_CONNECTION_REFUSED));
}

TEST_F(BrowserTest, ReportsMissingFilesAndUnknownSchemes) {
  cef_browser_t* browser = CreateBrowser(FClient, L"file:///Z:/no/such/file.html");
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }));
  EXPECT_EQ(FClient.Count("load_error:" + std::to_string(ERR_FILE_NOT_FOUND)), 1u);
  FClient.ClearEvents();
  Load(browser, L"nosuchscheme://x/");
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }));
  EXPECT_EQ(FClient.Count("load_error:" + std::to_string(ERR_UNKNOWN_URL_SCHEME)), 1u);
}

TEST_F(BrowserTest, LoadsLocalFiles) {
  std::wstring file = FDir + L"\\page.html";
  std::ofstream(std::filesystem::path(file)) << "<title>From Disk</title><p>file text</p>";
  std::wstring url = L"file:///" + file;
  for (wchar_t& c : url)
    if (c == L'\\') c = L'/';
  cef_browser_t* browser = CreateBrowser(FClient, url);
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }));
  EXPECT_TRUE(FClient.Has("title:From Disk"));
  // The forms a Windows user types: two slashes before the drive, escapes or none.
  std::filesystem::create_directories(std::filesystem::path(FDir) / L"Zo\u00eb");
  std::ofstream(std::filesystem::path(FDir) / L"Zo\u00eb" / L"a b.html") << "<title>Typed</title>";
  std::wstring dir = url.substr(8, url.rfind(L'/') - 8);  // C:/...
  for (const std::wstring& typed : {L"file://" + dir + L"/Zo\u00eb/a b.html", L"file:///" + dir + L"/Zo%C3%AB/a%20b.html"}) {
    FClient.ClearEvents();
    Load(browser, typed);
    ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }));
    EXPECT_TRUE(FClient.Has("title:Typed")) << Narrow(typed);
  }
}

TEST_F(BrowserTest, ABasicChallengeIsAskedForAndRefusedShowsTheServersPage) {
  TLoopbackServer server([](const TServedRequest&) {
    return TServerReply::Html(401, "<title>Denied</title>", "WWW-Authenticate: Basic realm=\"wall\"\r\n");
  });
  CreateBrowser(FClient, Wide(server.Url("/private")));
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }));
  EXPECT_TRUE(FClient.Has("auth:127.0.0.1:wall:basic"));
  EXPECT_TRUE(FClient.Has("load_end:401"));
  EXPECT_TRUE(FClient.Has("title:Denied"));
  EXPECT_EQ(server.Requests().size(), 1u);
}

TEST_F(BrowserTest, ANewLoadAbortsTheOneInFlight) {
  TLoopbackServer server([](const TServedRequest& request) {
    TServerReply reply = TServerReply::Html(200, "<title>Quick</title>");
    if (request.target == "/stuck") {
      reply = TServerReply();
      reply.send_nothing = true;
    }
    return reply;
  });
  cef_browser_t* browser = CreateBrowser(FClient, Wide(server.Url("/stuck")));
  ASSERT_TRUE(PumpUntil([&] { return server.Requests().size() == 1; }));
  Load(browser, Wide(server.Url("/quick")));
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }));
  std::vector<std::string> ui_events = FClient.Events();
  std::erase_if(ui_events, [](const std::string& e) { return e.rfind("before_", 0) == 0 || e.rfind("after_", 0) == 0; });
  // The stuck load never committed: it ends without having started.
  std::vector<std::string> expected = {"loading:1",
                                       "load_error:" + std::to_string(ERR_ABORTED) + ":ERR_ABORTED:" + server.Url("/stuck"),
                                       "load_start",
                                       "address:" + server.Url("/quick"),
                                       "title:Quick",
                                       "load_end:200",
                                       "loading:0"};
  EXPECT_EQ(ui_events, expected);
}

TEST_F(BrowserTest, StopLoadAbortsAndEndsLoading) {
  TLoopbackServer server([](const TServedRequest&) {
    TServerReply reply;
    reply.send_nothing = true;
    return reply;
  });
  cef_browser_t* browser = CreateBrowser(FClient, Wide(server.Url("/slow")));
  ASSERT_TRUE(PumpUntil([&] { return server.Requests().size() == 1; }));
  browser->stop_load(browser);
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }));
  EXPECT_EQ(FClient.Count("load_error:" + std::to_string(ERR_ABORTED)), 1u);
}

TEST_F(BrowserTest, ASilentServerHoldsUpNeitherTheLoopWorkNorOtherBrowsers) {
  TLoopbackServer dead([](const TServedRequest&) {
    TServerReply reply;
    reply.send_nothing = true;
    return reply;
  });
  TLoopbackServer alive([](const TServedRequest&) { return TServerReply::Html(200, "<title>Alive</title>"); });
  CreateBrowser(FClient, Wide(dead.Url("/")));
  ASSERT_TRUE(PumpUntil([&] { return dead.Requests().size() == 1 && FClient.Has("loading:1"); }));
  CreateBrowser(FOther, Wide(alive.Url("/")));
  ASSERT_TRUE(PumpUntil([&] { return FOther.Has("loading:0"); }));
  EXPECT_TRUE(FOther.Has("title:Alive"));
  EXPECT_EQ(FClient.Count("loading:0"), 0u);  // the first load is still waiting
}

TEST_F(BrowserTest, GivesUpOnASilentServerAfterTheReadTimeout) {
  SetEnvironmentVariableW(L"STANDIN_RUNTIME_HTTP_TIMEOUT_MS", L"300");
  TLoopbackServer dead([](const TServedRequest&) {
    TServerReply reply;
    reply.send_nothing = true;
    return reply;
  });
  CreateBrowser(FClient, Wide(dead.Url("/")));
  bool ended = PumpUntil([&] { return FClient.Has("loading:0"); });
  SetEnvironmentVariableW(L"STANDIN_RUNTIME_HTTP_TIMEOUT_MS", nullptr);
  ASSERT_TRUE(ended);
  EXPECT_EQ(FClient.Count("load_error:" + std::to_string(ERR_TIMED_OUT)), 1u);
}

TEST_F(BrowserTest, OnBeforeBrowseCanCancelALoad) {
  FClient.cancel_browse = true;
  CreateBrowser(FClient, L"about:blank");
  ASSERT_TRUE(PumpUntil([&] { return FClient.Count("load_error") == 1; }));
  PumpFor(50);
  EXPECT_EQ(FClient.Count("load_start"), 0u);
  EXPECT_EQ(FClient.Count("loading:"), 0u);
}

TEST_F(BrowserTest, OnBeforeResourceLoadCanHoldALoadAndLetItGoLater) {
  TLoopbackServer server([](const TServedRequest&) { return TServerReply::Html(200, "<title>Released</title>"); });
  FClient.resource_load_answer = RV_CONTINUE_ASYNC;
  CreateBrowser(FClient, Wide(server.Url("/")));
  ASSERT_TRUE(PumpUntil([&] {
    std::lock_guard<std::mutex> guard(FClient.lock);
    return FClient.pending_resource_callback != nullptr;
  }));
  PumpFor(50);
  EXPECT_TRUE(server.Requests().empty());
  cef_request_callback_t* callback = std::exchange(FClient.pending_resource_callback, nullptr);
  std::thread([callback] {
    callback->cont(callback, 1);
    callback->base.release(&callback->base);
  }).join();
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }));
  EXPECT_TRUE(FClient.Has("title:Released"));
}

TEST_F(BrowserTest, OnBeforeResourceLoadCanCancelALoad) {
  FClient.resource_load_answer = RV_CANCEL;
  CreateBrowser(FClient, L"http://127.0.0.1:1/");
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }));
  EXPECT_EQ(FClient.Count("load_error:" + std::to_string(ERR_ABORTED)), 1u);
}

TEST_F(BrowserTest, ShowsLoadedStringsAsPages) {
  cef_browser_t* browser = CreateBrowser(FClient, L"");
  cef_frame_t* frame = browser->get_main_frame(browser);
  cef_string_t html = In(L"<title>Inline</title><p>made here</p>");
  cef_string_t url = In(L"about:inline");
  frame->load_string(frame, &html, &url);
  frame->base.release(&frame->base);
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }));
  EXPECT_TRUE(FClient.Has("title:Inline"));
  EXPECT_EQ(FrameUrl(browser), L"about:inline");
}

}  // namespace
}  // namespace standin_test
