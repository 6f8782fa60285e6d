// CreateBrowserSync against the stand-in runtime, loaded for real in a child process
// (ceflib_surface_create_browser_child): the runtime is started before the browser is asked
// for, and the synchronous request reaches the runtime with the address.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "child_run.h"
#include "test_paths.h"

namespace ceflib::test {
namespace {

TEST(CreateBrowserSync, LoadsAndStartsTheRuntimeBeforeAskingForTheBrowser) {
  kelpa::test::TChildRun run = kelpa::test::RunJournalledChild(L"ceflib_surface_create_browser_child.exe", L"");
  const kelpa::test::TJournal& journal = run.Journal;

  EXPECT_EQ(run.ExitCode, 0u) << run.Report << "\njournal:\n" << journal.Text();
  int initialized = journal.IndexOf("initialized");
  int created = journal.IndexOf("browser_create", "sync", "1");
  EXPECT_GE(initialized, 0) << journal.Text();
  EXPECT_GT(created, initialized) << journal.Text();
  if (created >= 0) {
    EXPECT_TRUE(journal.Events()[created].Has("url", "about:blank"));
  }
  // The binding shuts the runtime down at exit, with every object given back.
  auto leaks = journal.All("leaks");
  ASSERT_EQ(leaks.size(), 1u) << journal.Text();
  EXPECT_TRUE(leaks[0].Has("total", "0")) << journal.Text();
}

}  // namespace
}  // namespace ceflib::test
