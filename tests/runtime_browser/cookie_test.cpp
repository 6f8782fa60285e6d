// The cookie manager: cookies from http: responses, the store folder, flushing, visiting and
// deleting, and a store file that survives into a new process.

#include "browser_fixture.h"
#include "loopback_server.h"
#include "test_paths.h"

#include <filesystem>
#include <fstream>

namespace standin_test {
namespace {

using kelpa::test::TLoopbackServer;
using kelpa::test::TServedRequest;
using kelpa::test::TServerReply;

struct TCompletion {
  TCounted<cef_completion_callback_t> counted;  // first
  std::atomic<int> calls{0};
  std::atomic<DWORD> thread{0};
  TCompletion() { counted.data.on_complete = &OnComplete; }
  static void CEF_CALLBACK OnComplete(cef_completion_callback_t* self) {
    auto* c = reinterpret_cast<TCompletion*>(self);
    c->thread = GetCurrentThreadId();
    ++c->calls;
  }
};

struct TVisitor {
  TCounted<cef_cookie_visitor_t> counted;  // first
  bool delete_each = false;
  int stop_after = -1;
  std::mutex lock;
  std::vector<std::string> seen;  // "name=value@domain count/total"
  std::vector<DWORD> threads;
  TVisitor() { counted.data.visit = &Visit; }
  static int CEF_CALLBACK Visit(cef_cookie_visitor_t* self, const cef_cookie_t* cookie, int count, int total,
                                int* delete_cookie) {
    auto* v = reinterpret_cast<TVisitor*>(self);
    std::lock_guard<std::mutex> guard(v->lock);
    v->seen.push_back(Narrow(&cookie->name) + "=" + Narrow(&cookie->value) + "@" + Narrow(&cookie->domain) + " " +
                      std::to_string(count) + "/" + std::to_string(total));
    v->threads.push_back(GetCurrentThreadId());
    *delete_cookie = v->delete_each ? 1 : 0;
    return v->stop_after < 0 || static_cast<int>(v->seen.size()) < v->stop_after ? 1 : 0;
  }
  std::vector<std::string> Seen() {
    std::lock_guard<std::mutex> guard(lock);
    return seen;
  }
};

struct TDeleted {
  TCounted<cef_delete_cookies_callback_t> counted;  // first
  std::atomic<int> deleted{-1};
  TDeleted() { counted.data.on_complete = &OnComplete; }
  static void CEF_CALLBACK OnComplete(cef_delete_cookies_callback_t* self, int n) {
    reinterpret_cast<TDeleted*>(self)->deleted = n;
  }
};

std::wstring Wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

class CookieTest : public BrowserTest {
 protected:
  void SetUp() override {
    BrowserTest::SetUp();
    FStore = FDir + L"\\cookies";
  }
  void TearDown() override {
    if (FManager) FManager->base.release(&FManager->base);
    FManager = nullptr;
    BrowserTest::TearDown();
  }
  cef_cookie_manager_t* Global() {
    if (!FManager) FManager = CEF(cef_cookie_manager_get_global_manager)(nullptr);
    return FManager;
  }
  void SetStoragePath(cef_cookie_manager_t* manager, const std::wstring& path, bool persist_session) {
    TCompletion done;
    cef_string_t folder = In(path);
    ASSERT_EQ(manager->set_storage_path(manager, &folder, persist_session ? 1 : 0, done.counted.Hand()), 1);
    ASSERT_TRUE(PumpUntil([&] { return done.calls == 1 && done.counted.Outstanding() == 0; }));
    EXPECT_NE(done.thread, GetCurrentThreadId());
  }
  void Flush(cef_cookie_manager_t* manager) {
    TCompletion done;
    ASSERT_EQ(manager->flush_store(manager, done.counted.Hand()), 1);
    ASSERT_TRUE(PumpUntil([&] { return done.calls == 1 && done.counted.Outstanding() == 0; }));
  }
  std::vector<std::string> VisitAll(cef_cookie_manager_t* manager, bool delete_each = false, int stop_after = -1) {
    TVisitor visitor;
    visitor.delete_each = delete_each;
    visitor.stop_after = stop_after;
    EXPECT_EQ(manager->visit_all_cookies(manager, visitor.counted.Hand()), 1);
    EXPECT_TRUE(PumpUntil([&] { return visitor.counted.Outstanding() == 0; }));
    for (DWORD thread : visitor.threads) EXPECT_NE(thread, GetCurrentThreadId());
    return visitor.Seen();
  }
  bool SetCookie(cef_cookie_manager_t* manager, const std::wstring& url, const std::wstring& name,
                 const std::wstring& value, bool session) {
    cef_cookie_t cookie = {};
    cookie.name = In(name);
    cookie.value = In(value);
    cookie.path = In(L"/");
    if (!session) {
      cookie.has_expires = 1;
      cookie.expires = {2099, 1, 5, 1, 0, 0, 0, 0};
    }
    cef_string_t address = In(url);
    return manager->set_cookie(manager, &address, &cookie, nullptr) == 1;
  }
  cef_cookie_manager_t* FManager = nullptr;
  std::wstring FStore;
};

TEST_F(CookieTest, CookiesFromAServerSurviveAFlushAndANewProcess) {
  TLoopbackServer server([](const TServedRequest& request) {
    return TServerReply::Html(200, "<title>cookie:" + request.Header("Cookie") + "</title>",
                              "Set-Cookie: kept=yes; Max-Age=3600; Path=/\r\nSet-Cookie: session=1; Path=/\r\n");
  });
  SetStoragePath(Global(), FStore, false);
  cef_browser_t* browser = CreateBrowser(FClient, Wide(server.Url("/")));
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }));
  EXPECT_TRUE(FClient.Has("title:cookie:"));
  FClient.ClearEvents();
  Load(browser, Wide(server.Url("/again")));
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }));
  EXPECT_TRUE(FClient.Has("title:cookie:kept=yes; session=1"));
  Flush(Global());

  // A new process of this test program reads the store folder.
  wchar_t exe[MAX_PATH];
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(exe) + L"\" --gtest_filter=CookieTest.ChildProcessSeesTheStoredCookies";
  SetEnvironmentVariableW(L"STANDIN_COOKIE_CHILD_STORE", FStore.c_str());
  SetEnvironmentVariableW(L"STANDIN_RUNTIME_JOURNAL", nullptr);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
  SetEnvironmentVariableW(L"STANDIN_COOKIE_CHILD_STORE", nullptr);
  SetEnvironmentVariableW(L"STANDIN_RUNTIME_JOURNAL", FJournal.Path().c_str());
  ASSERT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  EXPECT_EQ(code, 0u) << "the child process did not find exactly the persistent cookie";

  auto storage = FJournal.Entries("cookie_storage_path");
  ASSERT_EQ(storage.size(), 1u);
  EXPECT_EQ(storage[0].Field("persist_session_cookies"), "0");
  EXPECT_NE(storage[0].Field("path").find("cookies"), std::string::npos);
  auto flushes = FJournal.Entries("cookie_flush");
  ASSERT_FALSE(flushes.empty());
  EXPECT_EQ(flushes[0].Field("count"), "1");
  EXPECT_EQ(FJournal.Entries("cookie_set").size(), 4u);
}

TEST_F(CookieTest, ChildProcessSeesTheStoredCookies) {
  wchar_t store[MAX_PATH];
  if (!GetEnvironmentVariableW(L"STANDIN_COOKIE_CHILD_STORE", store, MAX_PATH)) GTEST_SKIP() << "run by the test above";
  SetStoragePath(Global(), store, false);
  EXPECT_EQ(VisitAll(Global()), (std::vector<std::string>{"kept=yes@127.0.0.1 0/1"}));
}

TEST_F(CookieTest, SessionCookiesPersistOnlyWithTheFlag) {
  SetStoragePath(Global(), FStore, true);
  ASSERT_TRUE(SetCookie(Global(), L"http://site.test/", L"session", L"1", true));
  ASSERT_TRUE(SetCookie(Global(), L"http://site.test/", L"lasting", L"2", false));
  Flush(Global());
  cef_string_t folder = In(FStore);
  for (int persist : {1, 0}) {
    TCompletion ready;
    cef_cookie_manager_t* manager = CEF(cef_cookie_manager_create_manager)(&folder, persist, ready.counted.Hand());
    ASSERT_NE(manager, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return ready.calls == 1; }));
    size_t expected = persist ? 2u : 1u;
    EXPECT_EQ(VisitAll(manager).size(), expected) << "persist " << persist;
    manager->base.release(&manager->base);
  }
}

TEST_F(CookieTest, VisitingWithDeleteRemovesEveryCookie) {
  ASSERT_TRUE(SetCookie(Global(), L"http://a.test/", L"one", L"1", true));
  ASSERT_TRUE(SetCookie(Global(), L"http://b.test/", L"two", L"2", false));
  ASSERT_TRUE(SetCookie(Global(), L"http://b.test/x", L"three", L"3", true));
  auto seen = VisitAll(Global(), true);
  EXPECT_EQ(seen, (std::vector<std::string>{"one=1@a.test 0/3", "two=2@b.test 1/3", "three=3@b.test 2/3"}));
  EXPECT_TRUE(VisitAll(Global()).empty());
  auto visits = FJournal.Entries("cookie_visit");
  ASSERT_EQ(visits.size(), 2u);
  EXPECT_EQ(visits[0].Field("deleted"), "3");
}

TEST_F(CookieTest, AVisitorThatSaysStopEndsTheVisitButItsDeleteCounts) {
  for (const wchar_t* name : {L"a", L"b", L"c"}) ASSERT_TRUE(SetCookie(Global(), L"http://h.test/", name, L"v", true));
  EXPECT_EQ(VisitAll(Global(), true, 1).size(), 1u);
  EXPECT_EQ(VisitAll(Global()).size(), 2u);
}

TEST_F(CookieTest, DeletesCookiesAndSaysHowMany) {
  ASSERT_TRUE(SetCookie(Global(), L"http://h.test/", L"a", L"1", true));
  ASSERT_TRUE(SetCookie(Global(), L"http://h.test/", L"b", L"1", true));
  TDeleted done;
  cef_string_t url = In(L"http://h.test/");
  cef_string_t name = In(L"a");
  ASSERT_EQ(Global()->delete_cookies(Global(), &url, &name, done.counted.Hand()), 1);
  ASSERT_TRUE(PumpUntil([&] { return done.deleted == 1 && done.counted.Outstanding() == 0; }));
  EXPECT_EQ(VisitAll(Global()).size(), 1u);
  cef_string_t bad = In(L"not a url");
  EXPECT_EQ(Global()->delete_cookies(Global(), &bad, &name, nullptr), 0);
  EXPECT_EQ(FJournal.Entries("cookie_delete").back().Field("count"), "1");
}

TEST_F(CookieTest, ADamagedStoreFileIsSurvived) {
  std::filesystem::create_directories(std::filesystem::path(FStore));
  std::ofstream(std::filesystem::path(FStore) / L"StandinCookies.txt", std::ios::binary) << "standin-cookie-store 1\nbroken";
  SetStoragePath(Global(), FStore, true);
  auto storage = FJournal.Entries("cookie_storage_path");
  ASSERT_EQ(storage.size(), 1u);
  EXPECT_EQ(storage[0].Field("file_rejected"), "1");
  EXPECT_EQ(storage[0].Field("loaded"), "0");
  ASSERT_TRUE(SetCookie(Global(), L"http://h.test/", L"fresh", L"1", true));
  Flush(Global());
  EXPECT_EQ(FJournal.Entries("cookie_flush").back().Field("written"), "1");
  EXPECT_EQ(VisitAll(Global()).size(), 1u);
}

TEST_F(CookieTest, VisitsTheCookiesOfOneAddress) {
  ASSERT_TRUE(SetCookie(Global(), L"http://a.test/", L"mine", L"1", true));
  ASSERT_TRUE(SetCookie(Global(), L"http://b.test/", L"other", L"2", true));
  TVisitor visitor;
  cef_string_t url = In(L"http://a.test/page");
  ASSERT_EQ(Global()->visit_url_cookies(Global(), &url, 1, visitor.counted.Hand()), 1);
  ASSERT_TRUE(PumpUntil([&] { return visitor.counted.Outstanding() == 0; }));
  EXPECT_EQ(visitor.Seen(), (std::vector<std::string>{"mine=1@a.test 0/1"}));
  EXPECT_EQ(FJournal.Entries("cookie_visit").back().Field("scope"), "url");
}

TEST_F(CookieTest, CarriesCookiesForFurtherSchemesOnceSupported) {
  EXPECT_TRUE(SetCookie(Global(), L"local://c/page", L"early", L"1", true));
  EXPECT_TRUE(VisitAll(Global()).empty());  // local: cookies are refused at first
  cef_string_list_t schemes = CEF(cef_string_list_alloc)();
  cef_string_t local = In(L"local");
  CEF(cef_string_list_append)(schemes, &local);
  TCompletion done;
  Global()->set_supported_schemes(Global(), schemes, done.counted.Hand());
  CEF(cef_string_list_free)(schemes);
  ASSERT_TRUE(PumpUntil([&] { return done.calls == 1; }));
  EXPECT_TRUE(SetCookie(Global(), L"local://c/page", L"later", L"2", true));
  EXPECT_EQ(VisitAll(Global()).size(), 1u);
  EXPECT_EQ(FJournal.Entries("cookie_schemes").back().Field("schemes"), "\"local\"");
}

TEST_F(CookieTest, SendsStoredCookiesOnlyToTheirOwnSite) {
  TLoopbackServer server([](const TServedRequest& request) {
    return TServerReply::Html(200, "<title>got:" + request.Header("Cookie") + "</title>");
  });
  ASSERT_TRUE(SetCookie(Global(), Wide(server.Url("/")), L"mine", L"1", true));
  ASSERT_TRUE(SetCookie(Global(), L"http://elsewhere.test/", L"theirs", L"2", true));
  CreateBrowser(FClient, Wide(server.Url("/")));
  ASSERT_TRUE(PumpUntil([&] { return FClient.Has("loading:0"); }));
  EXPECT_TRUE(FClient.Has("title:got:mine=1"));
}

}  // namespace
}  // namespace standin_test
