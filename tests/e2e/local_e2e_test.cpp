// Local files on a monitor: a folder's listing, then a page of that folder,
// both through the program's local: scheme.

#include "desk.h"
#include "saver_process.h"

#include <gtest/gtest.h>

#include <cwctype>

using namespace kelpa::test;

namespace {

// local://c/users/... for a Windows path such as C:\users\...
std::string LocalUrl(const std::wstring& path) {
  std::string url = "local://";
  url += static_cast<char>(std::towlower(path[0]));
  for (wchar_t c : path.substr(2)) url += c == L'\\' ? '/' : static_cast<char>(c);
  return url;
}

const TJournalEvent* LoadEnd(const TJournal& journal, const std::string& url) {
  for (const auto& e : journal.Events())
    if (e.Keyword == "load_end" && e.Has("browser", "1") && e.Has("url", url)) return &e;
  return nullptr;
}

}  // namespace

TEST(LocalFiles, AMonitorShowsAFolderListingAndThenAPageOfThatFolder) {
  TProfile profile;
  const std::string page = "<html><head><title>Shift report</title></head><body><p>All lines running.</p></body></html>";
  profile.WriteFile(L"wall\\report.html", page);
  profile.WriteFile(L"wall\\notes.txt", "notes");
  const std::string folder = LocalUrl(profile.Path(L"wall")) + "/";
  const std::string file = folder + "report.html";
  profile.WriteFile(L"KelpaScreenSaver.INI",
                    "[Config]\r\nDisplayDelay=500\r\nRotateDelay=5000\r\nScreenURL1=" + folder + "," + file + "\r\n");

  TSaverProcess saver(profile, L"/S");
  ASSERT_NE(saver.WaitForWindow(L"Screen"), nullptr);
  ASSERT_TRUE(saver.JournalShows([&](const TJournal& j) { return LoadEnd(j, file) != nullptr; }))
      << saver.Journal().Text();
  TJournal journal = saver.Journal();
  const auto* listing = LoadEnd(journal, folder);
  ASSERT_NE(listing, nullptr) << journal.Text();
  EXPECT_TRUE(listing->Has("status", "200"));
  EXPECT_TRUE(listing->Has("mime_type", "text/html"));
  // A listing of two entries is a page of its own, longer than either file.
  EXPECT_GT(std::stoul(listing->Fields.at("length")), page.size());
  const auto* shown = LoadEnd(journal, file);
  EXPECT_TRUE(shown->Has("status", "200"));
  EXPECT_TRUE(shown->Has("mime_type", "text/html")) << journal.Text();
  EXPECT_TRUE(shown->Has("length", std::to_string(page.size())));
  EXPECT_LT(journal.IndexOf("load_error"), 0) << journal.Text();

  PressVirtualKey(VK_ESCAPE);
  DWORD code = 99;
  ASSERT_TRUE(saver.WaitForExit(kPatience, code));
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(LeakReportEmpty(saver.Journal())) << saver.Journal().Text();
}
