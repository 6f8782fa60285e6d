// The real program with /S on pages that Debian's chromium renders, driven as a person would:
// what a page's script draws shows on the monitor, a sign-in by mouse and keys keeps its
// session cookie into the next run, a local folder listing opens a file, and the engine never
// outlives the program nor holds it up when it dies.

#include "journal_reader.h"
#include "loopback_server.h"
#include "person.h"
#include "polling.h"
#include "saver_process.h"
#include "test_paths.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <functional>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

namespace {

using kelpa::test::kPatience;
using kelpa::test::TLoopbackServer;
using kelpa::test::TSaverProcess;
using kelpa::test::TServedRequest;
using kelpa::test::TServerReply;
using kelpa::test::WaitUntil;

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

std::string ReadFile(const std::filesystem::path& path) {
  std::string text;
  if (FILE* file = _wfopen(path.c_str(), L"rb")) {
    char buffer[4096];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, got);
    std::fclose(file);
  }
  return text;
}

BOOL CALLBACK AddBrowserWindow(HWND child, LPARAM data) {
  wchar_t name[64];
  GetClassNameW(child, name, 64);
  if (std::wstring(name) == L"StandinBrowserView") reinterpret_cast<std::vector<HWND>*>(data)->push_back(child);
  return TRUE;
}

// The engine's profile holds links to Unix sockets that removing the saver's folder would
// follow (and hang on); before the saver goes, the profile moves aside into the throw-away
// prefix's temporary folder.
struct TProfileAside {
  const TSaverProcess& saver;
  ~TProfileAside() {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    std::wstring aside = std::wstring(temp) + L"engine-profile-" + std::to_wstring(GetTickCount64());
    MoveFileW((saver.Folder() + L"\\cache\\StandinEngine").c_str(), aside.c_str());
  }
};

class EngineE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    if (GetFileAttributesW(L"Z:\\usr\\bin\\chromium") == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no /usr/bin/chromium";
    Folder = kelpa::test::MakeTempDir(L"kelpa-engine-e2e-");
    JournalPath = Folder + L"\\journal.txt";
    SetEnvironmentVariableW(L"STANDIN_RUNTIME_JOURNAL", JournalPath.c_str());
    SetEnvironmentVariableW(L"STANDIN_RUNTIME_BROWSER", L"/usr/bin/chromium");
  }
  void TearDown() override {
    SetEnvironmentVariableW(L"STANDIN_RUNTIME_JOURNAL", nullptr);
    SetEnvironmentVariableW(L"STANDIN_RUNTIME_BROWSER", L"none");
    if (!Folder.empty()) kelpa::test::RemoveTree(Folder);
  }
  static std::string Settings(const std::string& url) {
    return "[Config]\r\nDisplayDelay=500\r\nRotateDelay=90000\r\nScreenURL1=" + url + "\r\n";
  }
  kelpa::test::TJournal Journal() const { return kelpa::test::TJournal(JournalPath); }
  bool JournalGets(const std::string& keyword, const std::string& key = "", const std::string& value = "") {
    return WaitUntil([&] { return Journal().IndexOf(keyword, key, value) >= 0; });
  }
  static HWND BrowserWindow(HWND screen) {
    std::vector<HWND> found;
    EnumChildWindows(screen, AddBrowserWindow, reinterpret_cast<LPARAM>(&found));
    return found.empty() ? nullptr : found.front();
  }
  // The engine's processes of one saver's run, found by its profile folder (under the saver's own).
  static std::vector<std::string> EngineProcesses(const TSaverProcess& saver, bool engine_only = false) {
    std::string marker = Narrow(saver.Folder().substr(saver.Folder().find_last_of(L"\\") + 1));
    std::vector<std::string> pids;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(L"Z:\\proc", error)) {
      std::string line = ReadFile(entry.path() / "cmdline");
      if (line.find(marker) == std::string::npos || line.find("StandinEngine") == std::string::npos) continue;
      if (engine_only && line.find("standin-engine") != std::string::npos) continue;  // its shell
      pids.push_back(Narrow(entry.path().filename().wstring()));
    }
    return pids;
  }
  void EscapeAndWait(TSaverProcess& saver, HWND screen) {
    PostMessageW(screen, WM_KEYDOWN, VK_ESCAPE, 1);
    DWORD code = 99;
    ASSERT_TRUE(saver.WaitForExit(kPatience, code)) << "still running";
    EXPECT_EQ(code, 0u);
  }

  std::wstring Folder, JournalPath;
};

TEST_F(EngineE2E, APagesScriptedTitleAndColourReachTheProgramAndTheMonitor) {
  TLoopbackServer server([](const TServedRequest&) {
    return TServerReply::Html(200, "<body><script>document.title = 'Painted by script';"
                                   "document.body.style.background = 'rgb(200, 30, 160)';</script></body>");
  });
  TSaverProcess saver(L"/S", Settings(server.Url("/")));
  TProfileAside saver_aside{saver};
  HWND screen = saver.WaitForWindow(L"Screen", true, kPatience);
  ASSERT_NE(screen, nullptr);
  ASSERT_TRUE(JournalGets("title_change", "title", "Painted by script")) << Journal().Text();
  HWND browser = BrowserWindow(screen);
  ASSERT_NE(browser, nullptr);
  RECT r;
  GetWindowRect(browser, &r);
  // The monitor as the display shows it, not as the window would paint itself.
  auto pixel = [&] {
    HDC display = GetDC(nullptr);
    COLORREF colour = GetPixel(display, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    ReleaseDC(nullptr, display);
    return colour;
  };
  EXPECT_TRUE(WaitUntil([&] { return pixel() == RGB(200, 30, 160); }, 20000)) << std::hex << pixel();
  EscapeAndWait(saver, screen);
}

TEST_F(EngineE2E, ASignInByMouseAndKeysStaysSignedInForTheNextRun) {
  std::mutex lock;
  std::vector<std::string> seen;  // "target cookie"
  TLoopbackServer server([&](const TServedRequest& request) {
    std::string cookie = request.Header("Cookie");
    {
      std::lock_guard<std::mutex> guard(lock);
      seen.push_back(request.target + " " + cookie);
    }
    if (request.target.rfind("/signin?user=", 0) == 0)
      return TServerReply::Redirect(302, "/home", "Set-Cookie: session=" + request.target.substr(13) + "\r\n");
    if (request.target == "/home" && cookie.find("session=") == std::string::npos) return TServerReply::Redirect(302, "/LOGIN");
    if (request.target == "/home") return TServerReply::Html(200, "<title>Welcome</title>");
    return TServerReply::Html(200, "<title>Sign in</title><form action='/signin'><input name='user' autofocus "
                                   "style='position:fixed;left:40%;top:40%;width:20%;height:20%'></form>");
  });
  auto saw = [&](const std::string& what) {
    std::lock_guard<std::mutex> guard(lock);
    return std::find(seen.begin(), seen.end(), what) != seen.end();
  };
  std::wstring kept = Folder + L"\\cookies-kept";
  {
    TSaverProcess saver(L"/S", Settings(server.Url("/home")));
    TProfileAside saver_aside{saver};
    HWND screen = saver.WaitForWindow(L"Screen", true, kPatience);
    ASSERT_NE(screen, nullptr);
    ASSERT_TRUE(JournalGets("title_change", "title", "Sign in")) << Journal().Text();
    kelpa::test::ClickOn(BrowserWindow(screen));
    kelpa::test::Type("ann");
    kelpa::test::PressKey("Return");
    ASSERT_TRUE(WaitUntil([&] { return saw("/home session=ann"); })) << Journal().Text();
    EscapeAndWait(saver, screen);
    std::filesystem::copy(saver.Folder() + L"\\cookies", kept);
  }
  {
    std::lock_guard<std::mutex> guard(lock);
    seen.clear();
  }
  // The next run, with the cookie folder the first one left.
  TSaverProcess again(L"/S", Settings(server.Url("/home")), [&](const std::wstring& folder) {
    std::filesystem::copy(kept, folder + L"\\cookies");
  });
  TProfileAside again_aside{again};
  HWND screen = again.WaitForWindow(L"Screen", true, kPatience);
  ASSERT_NE(screen, nullptr);
  // The journal holds the first run's lines too: the server says when this run's page came.
  ASSERT_TRUE(WaitUntil([&] {
    std::lock_guard<std::mutex> guard(lock);
    return !seen.empty();
  })) << Journal().Text();
  {
    std::lock_guard<std::mutex> guard(lock);
    EXPECT_EQ(seen.front(), "/home session=ann");
  }
  EscapeAndWait(again, screen);
}

TEST_F(EngineE2E, ALocalFolderListingShowsItsRowsAndOpensAFile) {
  // "login" in the address keeps the saver up while a person uses the page.
  std::wstring listed = Folder + L"\\login-files";
  CreateDirectoryW(listed.c_str(), nullptr);
  std::ofstream(std::filesystem::path(listed + L"\\opened.html")) << "<title>Opened file</title>";
  std::string url = "local://" + std::string(1, static_cast<char>(std::tolower(Folder[0]))) +
                    Narrow(Folder.substr(2)) + "/login-files/";
  std::replace(url.begin(), url.end(), '\\', '/');
  TSaverProcess saver(L"/S", Settings(url));
  TProfileAside saver_aside{saver};
  HWND screen = saver.WaitForWindow(L"Screen", true, kPatience);
  ASSERT_NE(screen, nullptr);
  // The listing's title and rows are written by its script.
  std::string shown = Narrow(listed) + "\\";
  shown[0] = static_cast<char>(std::tolower(shown[0]));
  ASSERT_TRUE(JournalGets("title_change", "title", "Index of " + shown)) << Journal().Text();
  kelpa::test::ClickOn(BrowserWindow(screen));
  kelpa::test::PressKey("Tab Tab Return");  // past the parent folder's row to the file's
  EXPECT_TRUE(JournalGets("title_change", "title", "Opened file")) << Journal().Text();
  EXPECT_TRUE(JournalGets("load_end", "url", url + "opened.html"));
  EscapeAndWait(saver, screen);
}

TEST_F(EngineE2E, TheEngineEndsAfterEscapeAndAfterAHardKill) {
  for (bool hard : {false, true}) {
    TSaverProcess saver(L"/S", Settings("about:blank"));
    TProfileAside saver_aside{saver};
    HWND screen = saver.WaitForWindow(L"Screen", true, kPatience);
    ASSERT_NE(screen, nullptr);
    ASSERT_TRUE(JournalGets("page_engine", "kind", "chromium")) << Journal().Text();
    EXPECT_FALSE(EngineProcesses(saver).empty());
    if (hard) {
      ASSERT_TRUE(TerminateProcess(OpenProcess(PROCESS_TERMINATE, FALSE, saver.Id()), 9));
      DWORD code = 0;
      ASSERT_TRUE(saver.WaitForExit(kPatience, code));
    } else {
      EscapeAndWait(saver, screen);
    }
    EXPECT_TRUE(WaitUntil([&] { return EngineProcesses(saver).empty(); }, 20000))
        << (hard ? "after a kill" : "after Escape");
    DeleteFileW(JournalPath.c_str());
  }
}

TEST_F(EngineE2E, WithoutAnEngineTheTextDisplayShowsThePagesAndTheJournalSaysWhy) {
  SetEnvironmentVariableW(L"STANDIN_RUNTIME_BROWSER", L"/no/such/chromium");
  TLoopbackServer server([](const TServedRequest&) { return TServerReply::Html(200, "<title>Plain</title>"); });
  TSaverProcess saver(L"/S", Settings(server.Url("/")));
  TProfileAside saver_aside{saver};
  HWND screen = saver.WaitForWindow(L"Screen", true, kPatience);
  ASSERT_NE(screen, nullptr);
  ASSERT_TRUE(JournalGets("title_change", "title", "Plain")) << Journal().Text();
  kelpa::test::TJournal journal = Journal();
  ASSERT_EQ(journal.All("page_engine").size(), 1u);
  EXPECT_TRUE(journal.All("page_engine")[0].Has("kind", "text"));
  EXPECT_NE(journal.All("page_engine")[0].Fields["reason"], "");
  EscapeAndWait(saver, screen);
}

TEST_F(EngineE2E, AnEngineThatDiesMidRunComesBackWithThePageAndEscapeStillEnds) {
  TLoopbackServer server([](const TServedRequest&) { return TServerReply::Html(200, "<title>Alive</title>"); });
  TSaverProcess saver(L"/S", Settings(server.Url("/")));
  TProfileAside saver_aside{saver};
  HWND screen = saver.WaitForWindow(L"Screen", true, kPatience);
  ASSERT_NE(screen, nullptr);
  ASSERT_TRUE(JournalGets("title_change", "title", "Alive")) << Journal().Text();
  std::string pids;
  for (const std::string& pid : EngineProcesses(saver, true)) pids += " " + pid;
  ASSERT_FALSE(pids.empty());
  kelpa::test::RunHostCommand("kill -KILL" + pids);
  ASSERT_TRUE(JournalGets("page_engine_ended")) << Journal().Text();
  ASSERT_TRUE(WaitUntil([&] { return Journal().All("page_engine").size() == 2; })) << Journal().Text();
  // The monitor's page loads again by itself on the new engine, with no error page between.
  ASSERT_TRUE(WaitUntil([&] {
    return Journal().All("engine_page_back").size() == 1 && Journal().All("load_end").size() >= 2;
  })) << Journal().Text();
  EXPECT_LT(Journal().IndexOf("error_page"), 0) << Journal().Text();
  EscapeAndWait(saver, screen);
}

}  // namespace
