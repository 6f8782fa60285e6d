// A page on the engine comes back by itself from what a wall meets unattended: the engine
// killed, the page's renderer killed, a script that never yields; and the cookies a page set
// outlive a hard kill of the engine and of the program. Each case prints how long the page
// took to come back (bench/fault_recovery.sh collects these lines).

#include "engine_fixture.h"
#include "loopback_server.h"
#include "person.h"
#include "window_capture.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <set>

namespace standin_test {
namespace {

using kelpa::test::TCapture;
using kelpa::test::TLoopbackServer;
using kelpa::test::TServedRequest;
using kelpa::test::TServerReply;

constexpr COLORREF kGreen = RGB(10, 200, 30);
constexpr char kGreenPage[] = "<title>Green</title><body style='background: rgb(10, 200, 30)'></body>";
constexpr wchar_t kChildVariable[] = L"STANDIN_ENGINE_HEAL_CHILD";

void CEF_CALLBACK OnRenderProcessTerminated(cef_request_handler_t* self, cef_browser_t* browser,
                                            cef_termination_status_t status) {
  TPart<cef_request_handler_t>::Owner(self)->Record("render_terminated:" + std::to_string(status), true);
  browser->base.release(&browser->base);
}

class EngineHealTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    FClient.request.counted.data.on_render_process_terminated = &OnRenderProcessTerminated;
  }
  void TearDown() override {
    if (FManager) FManager->base.release(&FManager->base);
    EngineTest::TearDown();
  }
  bool Green(cef_browser_t* browser) { return TCapture::OfWindow(BrowserWindow(browser)).Pixel(200, 150) == kGreen; }
  cef_browser_t* GreenBrowser(const std::string& url) {
    cef_browser_t* browser = CreateBrowser(FClient, Wide(url), 0, 0, 400, 300);
    EXPECT_TRUE(PumpUntil([&] { return FClient.Has("load_end:200") && Green(browser); }, 30000));
    FClient.ClearEvents();
    return browser;
  }
  void Report(const char* fault, ULONGLONG since) {
    std::printf("recovery fault=%s ms=%llu\n", fault, GetTickCount64() - since);
  }
  void UseStore(const std::wstring& folder) {
    if (!FManager) FManager = CEF(cef_cookie_manager_get_global_manager)(nullptr);
    cef_string_t path = In(folder);
    TCompletion done;
    ASSERT_EQ(FManager->set_storage_path(FManager, &path, 1, done.counted.Hand()), 1);
    ASSERT_TRUE(PumpUntil([&] { return done.calls == 1; }));
  }
  // The cookies the server was sent for a new browser's page (its title shows them).
  std::string CookiesSentTo(const std::string& url) {
    FOther.ClearEvents();
    CreateBrowser(FOther, Wide(url));
    EXPECT_TRUE(PumpUntil([&] { return FOther.Has("loading:0"); }, 30000));
    for (const std::string& event : FOther.Events())
      if (event.rfind("title:sent:", 0) == 0) return Sorted(event.substr(11));
    return "(no title)";
  }
  cef_cookie_manager_t* FManager = nullptr;
};

TEST_F(EngineHealTest, AKilledEngineComesBackWithThePageAndTheLastPictureMeanwhile) {
  TLoopbackServer server([](const TServedRequest&) { return TServerReply::Html(200, kGreenPage); });
  cef_browser_t* browser = GreenBrowser(server.Url("/"));
  ULONGLONG fault = GetTickCount64();
  KillHard(EnginePids());
  // Looked at all along: the window never shows anything but the page.
  int other_pictures = 0;
  ASSERT_TRUE(PumpUntil([&] {
    other_pictures += Green(browser) ? 0 : 1;
    return FJournal.Entries("page_engine").size() == 2 && FClient.Has("load_end:200");
  }, 40000));
  Report("engine_killed", fault);
  EXPECT_EQ(other_pictures, 0);
  EXPECT_EQ(FJournal.Entries("page_engine_ended").back().Field("reason"), "connection_closed");
  EXPECT_EQ(FJournal.Entries("engine_start").back().Field("reason"), "connection_closed");
  EXPECT_TRUE(FClient.Has("before_browse:" + server.Url("/")));
  EXPECT_EQ(FClient.Count("load_error"), 0u);
  EXPECT_TRUE(FJournal.Entries("error_page").empty());
}

// A frozen engine sees neither its pipe close nor anything else: it must be ended, or the next
// engine would find the profile taken and hand over to it.
TEST_F(EngineHealTest, AFrozenEngineIsEndedAndReplaced) {
  TLoopbackServer server([](const TServedRequest&) { return TServerReply::Html(200, kGreenPage); });
  cef_browser_t* browser = GreenBrowser(server.Url("/"));
  std::string frozen = ReadSmallFile(FCachePath + L"\\StandinEngine\\engine.pid");
  frozen.erase(frozen.find_last_not_of(" \r\n") + 1);
  ASSERT_FALSE(frozen.empty());
  kelpa::test::RunHostCommand("kill -STOP " + frozen);
  ULONGLONG fault = GetTickCount64();
  ASSERT_TRUE(PumpUntil([&] {
    return FJournal.Entries("page_engine").size() == 2 && FClient.Has("load_end:200") && Green(browser);
  }, 60000));
  Report("engine_frozen", fault);
  EXPECT_EQ(FJournal.Entries("page_engine_ended").back().Field("reason"), "no_heartbeat");
  EXPECT_TRUE(PumpUntil([&] { return GetFileAttributesW((L"Z:\\proc\\" + Wide(frozen)).c_str()) ==
                                     INVALID_FILE_ATTRIBUTES; }, 10000)) << "the frozen engine lives on";
}

TEST_F(EngineHealTest, ABrowserMadeWhileTheEngineIsDownGetsItWhenItComes) {
  TLoopbackServer server([](const TServedRequest&) { return TServerReply::Html(200, kGreenPage); });
  GreenBrowser(server.Url("/"));
  KillHard(EnginePids());
  ASSERT_TRUE(PumpUntil([&] { return !FJournal.Entries("page_engine_ended").empty(); }));
  cef_browser_t* later = CreateBrowser(FOther, Wide(server.Url("/")), 0, 0, 400, 300);
  EXPECT_LT(FJournal.Entries("page_engine").size(), 2u) << "made while the engine was up";
  ASSERT_TRUE(PumpUntil([&] { return FOther.Has("load_end:200") && Green(later); }, 40000));
}

TEST_F(EngineHealTest, AKilledRendererIsReportedAndTheReloadShowsThePage) {
  TLoopbackServer server([](const TServedRequest&) { return TServerReply::Html(200, kGreenPage); });
  cef_browser_t* browser = GreenBrowser(server.Url("/"));
  ULONGLONG fault = GetTickCount64();
  KillHard(EnginePids("--type=renderer"));
  ASSERT_TRUE(PumpUntil([&] { return FClient.Count("render_terminated") == 1; }, 30000));
  EXPECT_TRUE(FClient.Has("render_terminated:" + std::to_string(TS_PROCESS_WAS_KILLED)));
  // The program's part: a page whose renderer ended loads anew.
  browser->reload(browser);
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("load_end:200") && Green(browser); }, 30000));
  Report("renderer_killed", fault);
}

TEST_F(EngineHealTest, APageWhoseScriptNeverYieldsIsEndedReportedAndReplaced) {
  std::atomic<int> served{0};
  TLoopbackServer server([&](const TServedRequest& request) {
    if (request.target != "/") return TServerReply::Html(404, "");
    // The first visit hangs once it has painted; the reload is a page that behaves.
    if (served++ == 0)
      return TServerReply::Html(200, std::string(kGreenPage) + "<script>setTimeout(() => { for (;;) {} }, 500)</script>");
    return TServerReply::Html(200, kGreenPage);
  });
  cef_browser_t* browser = GreenBrowser(server.Url("/"));
  ULONGLONG fault = GetTickCount64() + 500;
  ASSERT_TRUE(PumpUntil([&] { return FClient.Count("render_terminated") == 1; }, 40000));
  EXPECT_TRUE(FClient.Has("render_terminated:" + std::to_string(TS_PROCESS_WAS_KILLED)));
  EXPECT_EQ(FJournal.Entries("engine_page_replaced").back().Field("reason"), "page_hung");
  browser->reload(browser);
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("load_end:200"); }, 30000));
  ASSERT_TRUE(PumpUntil([&] { return Green(browser); }));
  Report("page_hung", fault);
  EXPECT_EQ(served, 2);
}

// Before a target or the engine can grow without bound, the next load the program asks for
// goes to a fresh one; the page never shows anything else meanwhile, and its session cookie
// comes along to the fresh engine.
TEST_F(EngineHealTest, ATargetAndThenTheEngineAreRecycledOnTheProgramsNextLoad) {
  TLoopbackServer server([](const TServedRequest& request) {
    return TServerReply::Html(200, "<title>sent:" + request.Header("Cookie") + "</title>" +
                                       "<body style='background: rgb(10, 200, 30)'></body>",
                              "Set-Cookie: sid=1\r\n");
  });
  struct TRecycle {
    const wchar_t* limits;
    const char* scope;
    const char* reason;
  } recycles[] = {{L"loads=2", "target", "loads"}, {L"engine_seconds=1", "engine", "time"}};
  cef_browser_t* browser = GreenBrowser(server.Url("/"));
  browser->reload(browser);
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("load_end:200"); }, 30000));
  for (const TRecycle& recycle : recycles) {
    SCOPED_TRACE(recycle.scope);
    FClient.ClearEvents();
    size_t before = FJournal.Entries("engine_recycle").size();
    PumpFor(1000);  // the engine's second
    SetEnvironmentVariableW(L"STANDIN_RUNTIME_RECYCLE", recycle.limits);
    browser->reload(browser);
    int other_pictures = 0;
    ASSERT_TRUE(PumpUntil([&] {
      other_pictures += Green(browser) ? 0 : 1;
      return FClient.Has("load_end:200") && FJournal.Entries("engine_recycle").size() > before;
    }, 40000));
    SetEnvironmentVariableW(L"STANDIN_RUNTIME_RECYCLE", nullptr);
    EXPECT_EQ(other_pictures, 0);
    TJournalEntry line = FJournal.Entries("engine_recycle").back();
    EXPECT_EQ(line.Field("scope"), recycle.scope);
    EXPECT_EQ(line.Field("reason"), recycle.reason);
    EXPECT_TRUE(FClient.Has("title:sent:sid=1"));
  }
  EXPECT_EQ(FJournal.Entries("page_engine").size(), 2u);
  EXPECT_EQ(FJournal.Entries("engine_start").back().Field("reason"), "recycle");
}

// The run that is killed: its page sets a session cookie and a scripted one, its engine is
// killed once they are saved, and it checks the restarted engine still sends them. The file
// it leaves says what its page was sent; then it waits to be killed.
TEST_F(EngineHealTest, CookieRun) {
  wchar_t given[2048];
  if (!GetEnvironmentVariableW(kChildVariable, given, 2048)) GTEST_SKIP() << "run by the test below";
  std::wstring text = given;
  std::wstring store = text.substr(0, text.find(L'|'));
  std::string url = Narrow(text.substr(text.find(L'|') + 1));
  UseStore(store);
  CreateBrowser(FClient, Wide(url) + L"set");
  ASSERT_TRUE(PumpUntil([&] {
    for (const TJournalEntry& flush : FJournal.Entries("cookie_flush"))
      if (flush.Field("reason") == "engine_load" && flush.Field("count") == "2") return true;
    return false;
  }, 40000));
  KillHard(EnginePids());
  ASSERT_TRUE(PumpUntil([&] { return FJournal.Entries("page_engine").size() == 2; }, 30000));
  std::string sent = CookiesSentTo(url);
  std::FILE* out = _wfopen((store + L"\\sent.txt").c_str(), L"wb");
  ASSERT_NE(out, nullptr);
  std::fputs(sent.c_str(), out);
  std::fclose(out);
  Sleep(INFINITE);
}

TEST_F(EngineHealTest, CookiesAPageSetSurviveAHardKillOfTheEngineAndOfTheProgram) {
  TLoopbackServer server([](const TServedRequest& request) {
    if (request.target == "/set")
      return TServerReply::Html(200, "<script>document.cookie = 'scripted=1; max-age=3600';</script>",
                                "Set-Cookie: sid=1\r\n");
    return TServerReply::Html(200, "<title>sent:" + request.Header("Cookie") + "</title>");
  });
  std::wstring store = FDir + L"\\cookies";
  wchar_t exe[MAX_PATH];
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(exe) + L"\" --gtest_filter=EngineHealTest.CookieRun";
  SetEnvironmentVariableW(kChildVariable, (store + L"|" + Wide(server.Url("/"))).c_str());
  SetEnvironmentVariableW(L"STANDIN_RUNTIME_JOURNAL", nullptr);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child = {};
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child));
  SetEnvironmentVariableW(kChildVariable, nullptr);
  SetEnvironmentVariableW(L"STANDIN_RUNTIME_JOURNAL", FJournal.Path().c_str());
  std::wstring sent_file = store + L"\\sent.txt";
  bool reported = PumpUntil([&] {
    return GetFileAttributesW(sent_file.c_str()) != INVALID_FILE_ATTRIBUTES ||
           WaitForSingleObject(child.hProcess, 0) == WAIT_OBJECT_0;
  }, 150000);
  Sleep(200);
  TerminateProcess(child.hProcess, 9);
  WaitForSingleObject(child.hProcess, 10000);
  CloseHandle(child.hThread);
  CloseHandle(child.hProcess);
  ASSERT_TRUE(reported);
  std::string sent;
  if (std::FILE* in = _wfopen(sent_file.c_str(), L"rb")) {
    char buffer[256] = {};
    sent = std::string(buffer, std::fread(buffer, 1, sizeof buffer - 1, in));
    std::fclose(in);
  }
  EXPECT_EQ(sent, "scripted=1; sid=1") << "what the restarted engine sent in the killed run";
  // The next run: the cookies the killed run saved, the session cookie among them.
  UseStore(store);
  EXPECT_EQ(CookiesSentTo(server.Url("/")), "scripted=1; sid=1");
}

}  // namespace
}  // namespace standin_test
