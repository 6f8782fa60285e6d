// Cookies through the binding against the stand-in runtime's real store, one child process per
// step (cookie_child.cpp): persistence across processes, clearing every cookie, deleting one.

#include <gtest/gtest.h>

#include <string>

#include "child_run.h"
#include "test_paths.h"

namespace ceflib::test {
namespace {

using kelpa::test::TChildRun;

class CookieStore : public ::testing::Test {
 protected:
  void SetUp() override { FFolder = kelpa::test::MakeTempDir(L"cookies-"); }
  void TearDown() override { kelpa::test::RemoveTree(FFolder); }

  // Runs a step and checks its report and the runtime's leak report.
  TChildRun Step(const std::wstring& arguments) {
    TChildRun run = kelpa::test::RunJournalledChild(L"cookie_child.exe", arguments);
    EXPECT_EQ(run.ExitCode, 0u) << Narrow(arguments) << "\n" << run.Report << run.Journal.Text();
    auto leaks = run.Journal.All("leaks");
    EXPECT_TRUE(leaks.size() == 1 && leaks[0].Has("total", "0")) << run.Journal.Text();
    return run;
  }
  std::wstring Folder() const { return L"\"" + FFolder + L"\""; }
  static std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

  std::wstring FFolder;
};

TEST_F(CookieStore, SessionCookiesPersistInTheStorageFolderAcrossProcesses) {
  Step(L"set " + Folder());
  TChildRun run = Step(L"count " + Folder() + L" 2 1");
  auto path = run.Journal.All("cookie_storage_path");
  ASSERT_FALSE(path.empty()) << run.Journal.Text();
  EXPECT_TRUE(path[0].Has("persist_session_cookies", "1"));
  EXPECT_TRUE(path[0].Has("loaded", "2"));
}

TEST_F(CookieStore, ClearingVisitsAndDeletesEveryCookie) {
  Step(L"set " + Folder());
  TChildRun cleared = Step(L"clear " + Folder());
  auto visits = cleared.Journal.All("cookie_visit");
  ASSERT_EQ(visits.size(), 1u) << cleared.Journal.Text();
  EXPECT_TRUE(visits[0].Has("deleted", "2"));
  Step(L"count " + Folder() + L" 0 0");
}

TEST_F(CookieStore, DeletingOneCookieReportsTheCountOnTheRuntimesThread) {
  TChildRun run = Step(L"delete " + Folder());
  auto deletes = run.Journal.All("cookie_delete");
  ASSERT_EQ(deletes.size(), 1u) << run.Journal.Text();
  EXPECT_TRUE(deletes[0].Has("count", "1"));
}

}  // namespace
}  // namespace ceflib::test
