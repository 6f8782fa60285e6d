// What goes wrong on a real workstation: a missing or wrong runtime, web
// servers that are down or hang, a second copy, the preview pane, a crash,
// and a damaged settings file.

#include "desk.h"
#include "loopback_server.h"
#include "person.h"
#include "saver_process.h"
#include "SignInSite.h"
#include "test_paths.h"
#include "window_tree.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

using namespace kelpa::e2e;
using namespace kelpa::test;

namespace {

std::string Settings(const std::string& list1, int rotateDelay = 90000) {
  return "[Config]\r\nDisplayDelay=500\r\nRotateDelay=" + std::to_string(rotateDelay) + "\r\nScreenURL1=" + list1 +
         "\r\n";
}

void EscapeAndExpectCleanEnd(TSaverProcess& saver) {
  PressVirtualKey(VK_ESCAPE);
  DWORD code = 99;
  ASSERT_TRUE(saver.WaitForExit(kPatience, code)) << "Escape did not end the saver";
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(LeakReportEmpty(saver.Journal())) << saver.Journal().Text();
}

int CountOf(const TJournal& journal, const std::string& keyword, const std::string& url) {
  int n = 0;
  for (const auto& e : journal.All(keyword)) n += e.Has("browser", "1") && e.Has("url", url);
  return n;
}

// The program alone in a folder of its own, with the runtime given (none when empty).
struct TInstallFolder {
  explicit TInstallFolder(const std::wstring& runtime) : Folder(MakeTempDir(L"kelpa-install-")) {
    std::filesystem::copy_file(BinFile(L"KelpaScreenSaver.scr"), Folder + L"\\KelpaScreenSaver.scr");
    if (!runtime.empty()) std::filesystem::copy_file(runtime, Folder + L"\\libcef.dll");
  }
  ~TInstallFolder() { RemoveTree(Folder); }
  std::wstring Folder;
};

// Runs /S from the folder and returns the text of the message box it shows; the
// program must end once the box is confirmed, and report the failure in its exit code.
std::wstring StartUpFailure(const TInstallFolder& install) {
  TProfile profile;
  TSaverProcess saver(profile, L"/S", install.Folder);
  HWND box = saver.WaitForMessageBox();
  if (!box) {
    ADD_FAILURE() << "no message box";
    return L"";
  }
  EXPECT_EQ(CaptionOf(box), L"KelpaScreenSaver");
  std::wstring text = ControlText(GetDlgItem(box, 0xFFFF));
  PressKey("Return");
  DWORD code = 0;
  EXPECT_TRUE(saver.WaitForExit(kPatience, code)) << "the program hangs after the message";
  EXPECT_NE(code, 0u) << "a failed start-up ended as a success";
  return text;
}

}  // namespace

TEST(Faults, WithoutTheRuntimeTheSystemsErrorIsShownAndTheProgramEnds) {
  TInstallFolder install(L"");
  std::wstring text = StartUpFailure(install);
  EXPECT_TRUE(text.starts_with(L"System Error.  Code: 126.\r\n")) << std::string(text.begin(), text.end());
  // The system's text for error 126 says only that "the specified module" is missing.
  EXPECT_NE(text.find(L"libcef.dll"), std::wstring::npos) << std::string(text.begin(), text.end());
}

TEST(Faults, ARuntimeLackingAnExportIsReportedAsTheWrongVersion) {
  TInstallFolder install(BinFile(L"badversion\\libcef.dll"));
  EXPECT_EQ(StartUpFailure(install), L"Invalid CEF Library version");
}

TEST(Faults, AServerThatIsDownGivesALoadErrorRotationGoesOnAndTheLonePageIsRetried) {
  const unsigned short downPort = TLoopbackServer::UnusedPort();
  const std::string down = "http://127.0.0.1:" + std::to_string(downPort) + "/board";
  TLoopbackServer up([](const TServedRequest&) { return TServerReply::Html(200, HtmlPage("Up")); }, kUnboundedServer);
  {
    TProfile profile;
    profile.WriteFile(L"KelpaScreenSaver.INI", Settings(down + "," + up.Url("/board"), 5000));
    TSaverProcess saver(profile, L"/S");
    ASSERT_NE(saver.WaitForWindow(L"Screen"), nullptr);
    ASSERT_TRUE(saver.JournalShows([&](const TJournal& j) { return CountOf(j, "load_end", up.Url("/board")) > 0; }))
        << saver.Journal().Text();
    EXPECT_EQ(CountOf(saver.Journal(), "load_error", down), 1) << saver.Journal().Text();
    EscapeAndExpectCleanEnd(saver);
  }
  TProfile profile;
  profile.WriteFile(L"KelpaScreenSaver.INI", Settings(down, 5000));
  TSaverProcess saver(profile, L"/S");
  ASSERT_NE(saver.WaitForWindow(L"Screen"), nullptr);
  ASSERT_TRUE(saver.JournalHas("load_error", "url", down)) << saver.Journal().Text();
  // The server comes up; the next rotation tick tries the failed page again.
  TServerOptions onDownPort = kUnboundedServer;
  onDownPort.port = downPort;
  TLoopbackServer back([](const TServedRequest&) { return TServerReply::Html(200, HtmlPage("Back")); }, onDownPort);
  ASSERT_EQ(back.Port(), downPort);
  EXPECT_TRUE(saver.JournalShows([&](const TJournal& j) { return CountOf(j, "load_end", down) > 0; }))
      << saver.Journal().Text();
  EscapeAndExpectCleanEnd(saver);
}

TEST(Faults, AServerThatNeverAnswersLeavesTheSaverResponsiveToEscape) {
  TLoopbackServer silent([](const TServedRequest&) { return TServerReply::Silence(); }, kUnboundedServer);
  TProfile profile;
  profile.WriteFile(L"KelpaScreenSaver.INI", Settings(silent.Url("/hangs")));
  TSaverProcess saver(profile, L"/S");
  ASSERT_NE(saver.WaitForWindow(L"Screen"), nullptr);
  ASSERT_TRUE(saver.JournalHas("load_start", "url", silent.Url("/hangs")));
  Sleep(1500);
  PressVirtualKey(VK_ESCAPE);
  DWORD code = 99;
  // Far below the runtime's read timeout: the hung transfer holds up nothing.
  ASSERT_TRUE(saver.WaitForExit(8000, code)) << "the saver hangs with the server";
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(LeakReportEmpty(saver.Journal())) << saver.Journal().Text();
}

TEST(Faults, ASecondCopyAndThePreviewPaneEndAtOnceShowingNothing) {
  TLoopbackServer server([](const TServedRequest&) { return TServerReply::Html(200, HtmlPage("Board")); },
                         kUnboundedServer);
  TProfile profile;
  profile.WriteFile(L"KelpaScreenSaver.INI", Settings(server.Url("/board")));
  struct {
    const wchar_t* Arguments;
    bool WhileOneRuns;
  } cases[] = {{L"/S", true}, {L"", true}, {L"/P 1234", true}, {L"/P", false}, {L"/p", false}};
  for (const auto& c : cases) {
    std::unique_ptr<TSaverProcess> first;
    if (c.WhileOneRuns) {
      first = std::make_unique<TSaverProcess>(profile, L"/S");
      ASSERT_NE(first->WaitForWindow(L"Screen"), nullptr);
    }
    TSaverProcess second(profile, c.Arguments);
    bool shown = false;
    DWORD code = 99;
    ASSERT_TRUE(WaitUntil(
        [&] {
          shown = shown || !second.TopLevelWindows(true).empty();
          return second.WaitForExit(0, code);
        },
        10000))
        << "still running with \"" << std::string(c.Arguments, c.Arguments + wcslen(c.Arguments)) << "\"";
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(shown);
    if (first) {
      EXPECT_TRUE(first->Running());
      EscapeAndExpectCleanEnd(*first);
    }
  }
}

TEST(Faults, AfterAHardKillTheNextRunStartsCleanlyWithTheFlushedCookies) {
  TSignInSite site;
  site.SignIn();
  TProfile profile;
  profile.WriteFile(L"KelpaScreenSaver.INI", Settings(site.Dashboard()));
  {
    TSaverProcess saver(profile, L"/S");
    ASSERT_NE(saver.WaitForWindow(L"Screen"), nullptr);
    ASSERT_TRUE(saver.JournalHas("load_end", "url", site.Dashboard()));
    EscapeAndExpectCleanEnd(saver);
  }
  {
    TSaverProcess killed(profile, L"/S");
    ASSERT_NE(killed.WaitForWindow(L"Screen"), nullptr);
    ASSERT_TRUE(killed.JournalHas("load_end", "url", site.Dashboard()));
    killed.Kill();
  }
  const int signIns = site.DashboardsServed(false);
  TSaverProcess again(profile, L"/S");
  ASSERT_NE(again.WaitForWindow(L"Screen"), nullptr) << "no start after the crash";
  ASSERT_TRUE(again.JournalHas("load_end", "url", site.Dashboard())) << again.Journal().Text();
  EXPECT_EQ(site.DashboardsServed(false), signIns) << "the session cookie was lost";
  EXPECT_GE(again.Journal().IndexOf("cookie_storage_path", "file_rejected", "0"), 0) << again.Journal().Text();
  EscapeAndExpectCleanEnd(again);
}

TEST(Faults, ADamagedSettingsFileStartsTheSaverWithWhatCanBeRead) {
  TLoopbackServer server([](const TServedRequest&) { return TServerReply::Html(200, HtmlPage("Board")); },
                         kUnboundedServer);
  const std::string url = server.Url("/board");
  // UTF-16 with a byte-order mark, a lone surrogate in one address and lines of nonsense.
  std::u16string wide = u"\uFEFF\x01\x02 nonsense\r\n[Config]\r\n= = =\r\nDisplayDelay=99999999999999999999\r\n"
                        u"ScreenURL2=http://example.invalid/\xD800x\r\nScreenURL1=";
  wide += std::u16string(url.begin(), url.end()) + u"\r\n";
  const std::string utf16(reinterpret_cast<const char*>(wide.data()), wide.size() * 2);
  const char binary[] = "\xFF\x00\x13 [[[\r\n[Config]\r\nRotateDelay=-\x80\x81\r\nScreenURL2=";
  const std::string garbage = std::string(binary, sizeof binary - 1) +
                              std::string(200000, 'a') + "\r\nScreenURL1=" + url + "\r\nDisplayDelay=1e9\r\n";
  for (const std::string& file : {utf16, garbage}) {
    TProfile profile;
    profile.WriteFile(L"KelpaScreenSaver.INI", file);
    TSaverProcess saver(profile, L"/S");
    ASSERT_NE(saver.WaitForWindow(L"Screen"), nullptr) << "no start with a damaged settings file";
    EXPECT_TRUE(saver.JournalHas("load_end", "url", url)) << saver.Journal().Text();
    EscapeAndExpectCleanEnd(saver);
  }
}
