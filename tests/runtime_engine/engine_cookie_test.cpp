// The engine's cookies through the runtime's cookie manager: what the program sets reaches the
// pages, what the pages set the program sees, and all of it (session cookies too, when asked)
// comes back in the next run from the program's storage folder.

#include "engine_fixture.h"
#include "loopback_server.h"

#include <algorithm>
#include <mutex>
#include <set>

namespace standin_test {
namespace {

using kelpa::test::TLoopbackServer;
using kelpa::test::TServedRequest;
using kelpa::test::TServerReply;

constexpr wchar_t kChildVariable[] = L"STANDIN_ENGINE_COOKIE_CHILD";

struct TNames {
  TCounted<cef_cookie_visitor_t> counted;  // first
  std::mutex lock;
  std::set<std::string> names;
  TNames() { counted.data.visit = &Visit; }
  static int CEF_CALLBACK Visit(cef_cookie_visitor_t* self, const cef_cookie_t* cookie, int, int, int*) {
    auto* v = reinterpret_cast<TNames*>(self);
    std::lock_guard<std::mutex> guard(v->lock);
    v->names.insert(Narrow(&cookie->name));
    return 1;
  }
};

class EngineCookieTest : public EngineTest {
 protected:
  void TearDown() override {
    ReleaseManager();
    EngineTest::TearDown();
  }
  void ReleaseManager() {
    if (FManager) FManager->base.release(&FManager->base);
    FManager = nullptr;
  }
  cef_cookie_manager_t* Global() {
    if (!FManager) FManager = CEF(cef_cookie_manager_get_global_manager)(nullptr);
    return FManager;
  }
  void Complete(const std::function<int(cef_completion_callback_t*)>& call) {
    TCompletion done;
    ASSERT_EQ(call(done.counted.Hand()), 1);
    ASSERT_TRUE(PumpUntil([&] { return done.calls == 1 && done.counted.Outstanding() == 0; }));
  }
  void UseStore(const std::wstring& folder) {
    cef_string_t path = In(folder);
    Complete([&](cef_completion_callback_t* done) { return Global()->set_storage_path(Global(), &path, 1, done); });
  }
  // The cookies the page's server was sent, as the page's title shows them.
  std::string CookiesSentTo(const std::string& url) {
    FClient.ClearEvents();
    CreateBrowser(FClient, Wide(url));
    EXPECT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }, 20000));
    for (const std::string& event : FClient.Events())
      if (event.rfind("title:sent:", 0) == 0) return Sorted(event.substr(11));
    return "(no title)";
  }
  cef_cookie_manager_t* FManager = nullptr;
};

TEST_F(EngineCookieTest, CookiesOfTheProgramAndThePagesComeBackInTheNextRun) {
  TLoopbackServer server([](const TServedRequest& request) {
    return TServerReply::Html(200, "<title>sent:" + request.Header("Cookie") + "</title>"
                                   "<script>document.cookie = 'scripted=1; max-age=3600';</script>",
                              "Set-Cookie: kept=yes; Max-Age=3600\r\nSet-Cookie: session=1\r\n");
  });
  std::wstring store = FDir + L"\\cookies";
  std::wstring url = Wide(server.Url("/"));
  UseStore(store);
  cef_cookie_t cookie = {};
  cookie.name = In(L"api");
  cookie.value = In(L"1");
  cef_string_t address = In(url);
  ASSERT_EQ(Global()->set_cookie(Global(), &address, &cookie, nullptr), 1);
  EXPECT_EQ(CookiesSentTo(server.Url("/")), "api=1");

  TNames seen;
  ASSERT_EQ(Global()->visit_all_cookies(Global(), seen.counted.Hand()), 1);
  ASSERT_TRUE(PumpUntil([&] { return seen.counted.Outstanding() == 0; }));
  EXPECT_EQ(seen.names, (std::set<std::string>{"api", "kept", "scripted", "session"}));
  cef_string_t name = In(L"scripted");
  ASSERT_EQ(Global()->delete_cookies(Global(), &address, &name, nullptr), 1);
  Complete([&](cef_completion_callback_t* done) { return Global()->flush_store(Global(), done); });
  ReleaseManager();
  Shutdown();

  // The next run: a new process of this program with the same storage folder.
  wchar_t exe[MAX_PATH];
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(exe) + L"\" --gtest_filter=EngineCookieTest.NextRun";
  SetEnvironmentVariableW(kChildVariable, (store + L"|" + url).c_str());
  SetEnvironmentVariableW(L"STANDIN_RUNTIME_JOURNAL", nullptr);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
  SetEnvironmentVariableW(kChildVariable, nullptr);
  SetEnvironmentVariableW(L"STANDIN_RUNTIME_JOURNAL", FJournal.Path().c_str());
  ASSERT_EQ(WaitForSingleObject(process.hProcess, 90000), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  EXPECT_EQ(code, 0u) << "the next run's page was not sent exactly the kept cookies";
}

TEST_F(EngineCookieTest, NextRun) {
  wchar_t given[2048];
  if (!GetEnvironmentVariableW(kChildVariable, given, 2048)) GTEST_SKIP() << "run by the test above";
  std::wstring text = given;
  UseStore(text.substr(0, text.find(L'|')));
  EXPECT_EQ(CookiesSentTo(Narrow(text.substr(text.find(L'|') + 1))), "api=1; kept=yes; session=1");
}

}  // namespace
}  // namespace standin_test
