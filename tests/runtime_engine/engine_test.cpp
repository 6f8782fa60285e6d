// Real pages: script runs and paints, the program's schemes serve pages with relative links,
// the engine's errors reach the program as the runtime's codes, a person's clicks and keys
// reach a form, no renderer is kept that shows nothing, and the engine ends with the runtime.

#include "person.h"
#include "engine_fixture.h"
#include "loopback_server.h"
#include "window_capture.h"

#include <atomic>
#include <fstream>
#include <memory>
#include <sstream>
#include <mutex>
#include <optional>

namespace standin_test {
namespace {

using kelpa::test::TCapture;
using kelpa::test::TLoopbackServer;
using kelpa::test::TServedRequest;
using kelpa::test::TServerReply;

std::vector<std::string> Without(const std::vector<std::string>& events, const std::string& prefix) {
  std::vector<std::string> kept;
  for (const std::string& event : events)
    if (event.rfind(prefix, 0) != 0) kept.push_back(event);
  return kept;
}

TEST_F(EngineTest, RunsThePagesScriptAndPaintsWhatItDraws) {
  TLoopbackServer server([](const TServedRequest&) {
    return TServerReply::Html(200, "<body><script>document.title = 'Scripted';"
                                   "document.body.style.background = 'rgb(10, 200, 30)';</script></body>");
  });
  std::string url = server.Url("/page");
  cef_browser_t* browser = CreateBrowser(FClient, L"", 0, 0, 400, 300);
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("after_created:" + std::to_string(browser->get_identifier(browser))); }));
  FClient.ClearEvents();
  Load(browser, Wide(url));
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }, 20000));
  std::vector<std::string> expected = {"before_browse:" + url, "loading:1", "load_start", "address:" + url,
                                       "title:Scripted", "load_end:200", "loading:0"};
  EXPECT_EQ(Without(FClient.Events(), "before_resource_load"), expected);
  EXPECT_TRUE(FClient.Has("before_resource_load:" + url));
  ASSERT_TRUE(PumpUntil([&] { return TCapture::OfWindow(BrowserWindow(browser)).Pixel(200, 150) == RGB(10, 200, 30); }));
}

// A wall keeps no renderer it does not show: neither the start-up tab's nor one started ahead.
TEST_F(EngineTest, OnlyTheShownPageKeepsARenderer) {
  TLoopbackServer server([](const TServedRequest&) { return TServerReply::Html(200, "<title>Shown</title>"); });
  CreateBrowser(FClient, Wide(server.Url("/")));
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("load_end:200"); }, 20000));
  EXPECT_TRUE(PumpUntil([&] { return EnginePids("--type=renderer").size() == 1; }, 10000))
      << EnginePids("--type=renderer").size() << " renderers";
}

TEST_F(EngineTest, ServesTheProgramsSchemeWithRelativeLinks) {
  THandlerSetup setup;
  setup.body = "<title>Served</title><script>if (!location.pathname.endsWith('next.html')) "
               "location.href = 'next.html';</script>";
  RegisterFactory(L"test", setup);
  cef_browser_t* browser = CreateBrowser(FClient, L"test://site/dir/index.html");
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("address:test://site/dir/next.html") && FClient.Count("load_end") == 2; },
                        20000));
  EXPECT_TRUE(FClient.Has("before_browse:test://site/dir/next.html"));
  EXPECT_TRUE(FClient.Has("title:Served"));
  EXPECT_EQ(FClient.Count("load_end:200"), 2u);
  EXPECT_EQ(FrameUrl(browser), L"test://site/dir/next.html");
}

TEST_F(EngineTest, ReportsTheEnginesNetworkErrorsAsTheRuntimesCodes) {
  TLoopbackServer closed([](const TServedRequest&) { return TServerReply::Html(200, ""); });
  std::string url = closed.Url("/");
  closed.Stop();
  CreateBrowser(FClient, Wide(url));
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }, 20000));
  EXPECT_EQ(FClient.Count("load_error:" + std::to_string(ERR_CONNECTION_REFUSED) + ":ERR_CONNECTION_REFUSED:"), 1u);
  EXPECT_EQ(FClient.Count("load_end"), 0u);
}

TEST_F(EngineTest, OnBeforeBrowseCancelsNavigationsThePageStarts) {
  std::atomic<int> other_requests{0};
  TLoopbackServer server([&](const TServedRequest& request) {
    if (request.target == "/other") ++other_requests;
    return TServerReply::Html(200, "<title>Start</title>");
  });
  cef_browser_t* browser = CreateBrowser(FClient, Wide(server.Url("/start")));
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }, 20000));
  FClient.cancel_browse = true;
  FClient.ClearEvents();
  RunScript(browser, L"location.href = '/other';");
  ASSERT_TRUE(PumpUntil([&] { return FClient.Count("load_error") == 1; }, 20000));
  EXPECT_TRUE(FClient.Has("before_browse:" + server.Url("/other")));
  EXPECT_EQ(other_requests, 0);
}

TEST_F(EngineTest, ClicksAndKeysInTheWindowReachTheForm) {
  std::mutex lock;
  std::string submitted;
  TLoopbackServer server([&](const TServedRequest& request) {
    if (request.target.rfind("/signin?", 0) == 0) {
      std::lock_guard<std::mutex> guard(lock);
      submitted = request.target;
      return TServerReply::Html(200, "<title>Welcome</title>");
    }
    return TServerReply::Html(200, "<title>Login</title><form action='/signin'>"
                                   "<input name='user' style='position:absolute;left:0;top:0;width:200px;height:40px'>"
                                   "</form>");
  });
  cef_browser_t* browser = CreateBrowser(FClient, Wide(server.Url("/login")), 0, 0, 400, 300);
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }, 20000));
  HWND window = BrowserWindow(browser);
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
  for (wchar_t c : std::wstring(L"ann")) PostMessageW(window, WM_CHAR, c, 0);
  PostMessageW(window, WM_KEYDOWN, VK_RETURN, 0);
  PostMessageW(window, WM_CHAR, L'\r', 0);
  PostMessageW(window, WM_KEYUP, VK_RETURN, 0);
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("title:Welcome"); }, 20000));
  std::lock_guard<std::mutex> guard(lock);
  EXPECT_EQ(submitted, "/signin?user=ann");
}

struct TTextVisitor {
  TCounted<cef_string_visitor_t> counted;  // first
  std::mutex lock;
  std::optional<std::string> text;
  TTextVisitor() { counted.data.visit = &Visit; }
  static void CEF_CALLBACK Visit(cef_string_visitor_t* self, const cef_string_t* value) {
    auto* v = reinterpret_cast<TTextVisitor*>(self);
    std::lock_guard<std::mutex> guard(v->lock);
    v->text = Narrow(value);
  }
};

TEST_F(EngineTest, FrameOperationsWorkThroughTheEngine) {
  std::atomic<int> first_requests{0};
  TLoopbackServer server([&](const TServedRequest& request) {
    if (request.target == "/first") ++first_requests;
    return TServerReply::Html(200, "<title>First</title>");
  });
  cef_browser_t* browser = CreateBrowser(FClient, Wide(server.Url("/first")));
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }, 20000));
  cef_frame_t* frame = browser->get_main_frame(browser);
  std::unique_ptr<cef_frame_t, void (*)(cef_frame_t*)> held(frame, [](cef_frame_t* f) { f->base.release(&f->base); });
  auto visit = [&](void(CEF_CALLBACK * member)(cef_frame_t*, cef_string_visitor_t*)) {
    TTextVisitor visitor;
    member(frame, visitor.counted.Hand());
    EXPECT_TRUE(PumpUntil([&] { return visitor.counted.Outstanding() == 0; }));
    return visitor.text.value_or("(not visited)");
  };

  FClient.ClearEvents();
  std::wstring given = Wide(server.Url("/given"));
  cef_string_t html = In(L"<title>Given</title><body>hello <b>there</b></body>");
  cef_string_t address = In(given);
  frame->load_string(frame, &html, &address);
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }, 20000));
  EXPECT_TRUE(FClient.Has("title:Given"));
  EXPECT_EQ(FrameUrl(browser), given);
  EXPECT_EQ(visit(frame->get_text), "hello there");
  EXPECT_NE(visit(frame->get_source).find("<b>there</b>"), std::string::npos);
  RunScript(browser, L"document.title = 'Scripted'");
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("title:Scripted"); }, 20000));

  ASSERT_TRUE(PumpUntil([&] { return browser->can_go_back(browser) == 1; }));
  browser->go_back(browser);
  ASSERT_TRUE(PumpUntil([&] { return FrameUrl(browser) == Wide(server.Url("/first")); }, 20000));
  ASSERT_TRUE(PumpUntil([&] { return browser->can_go_forward(browser) == 1; }));
  browser->go_forward(browser);
  ASSERT_TRUE(PumpUntil([&] { return FrameUrl(browser) == given; }, 20000));
  // The page commits before the engine's history has the step forward.
  ASSERT_TRUE(PumpUntil([&] { return browser->can_go_back(browser) == 1; }));
  FClient.ClearEvents();
  browser->go_back(browser);
  ASSERT_TRUE(PumpUntil([&] { return FrameUrl(browser) == Wide(server.Url("/first")); }, 20000));
  ASSERT_TRUE(PumpUntil([&] { return browser->is_loading(browser) == 0; }, 20000));
  int before_reload = first_requests;
  FClient.ClearEvents();
  browser->reload(browser);
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("load_end:200"); }, 20000));
  EXPECT_EQ(first_requests, before_reload + 1);
}

TEST_F(EngineTest, TheEngineEndsWithTheRuntime) {
  CreateBrowser(FClient, L"about:blank");
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }, 20000));
  EXPECT_GT(EngineProcesses(), 0);
  Shutdown();
  ASSERT_TRUE(PumpUntil([&] { return EngineProcesses() == 0; }, 15000));
}

TEST_F(EngineTest, NoPortOfTheEngineAnswersAnotherProcessAndItsProfileIsPrivate) {
  CreateBrowser(FClient, L"about:blank");
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }, 20000));
  // As any other local process would look: every TCP port the engine's processes listen on,
  // asked for the protocol's version.
  std::string marker = Narrow(FDir.substr(FDir.find_last_of(L"\\") + 1));
  std::string report = "/tmp/kelpa-doors-" + std::to_string(GetCurrentProcessId());
  kelpa::test::RunHostCommand(
      "for p in $(grep -lF " + marker + " /proc/[0-9]*/cmdline | cut -d/ -f3); do "
      "readlink /proc/$p/exe | grep -q chromium || continue; echo engine; "
      "tr '\\0' '\\n' </proc/$p/cmdline | sed -n 's/^--user-data-dir=//p' | xargs -r -d '\\n' stat -c 'mode %a'; "
      "for port in $(ss -Hltnp | grep pid=$p, | awk '{print $4}' | sed 's/.*://'); do echo port; "
      "curl -s -m 2 http://127.0.0.1:$port/json/version | grep -q webSocketDebuggerUrl && echo answered; done; "
      "done >" + report + " 2>/dev/null");
  std::ifstream file("Z:" + report);
  std::stringstream text;
  text << file.rdbuf();
  file.close();
  DeleteFileA(("Z:" + report).c_str());
  std::string found = text.str();
  EXPECT_NE(found.find("engine"), std::string::npos) << "no engine process found";
  EXPECT_EQ(found.find("answered"), std::string::npos) << found;
  EXPECT_NE(found.find("mode 700"), std::string::npos) << found;
  for (size_t at = found.find("mode "); at != std::string::npos; at = found.find("mode ", at + 1))
    EXPECT_EQ(found.compare(at, 9, "mode 700\n"), 0) << found;
}

}  // namespace
}  // namespace standin_test
