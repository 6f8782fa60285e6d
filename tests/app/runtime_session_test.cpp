// The runtime's lifetime as the program holds it: each scenario runs in a child process
// (runtime_session_child) against the stand-in runtime, whose journal is read back here.

#include <gtest/gtest.h>

#include "child_run.h"

namespace {

kelpa::test::TChildRun RunScenario(const wchar_t* scenario) {
  return kelpa::test::RunJournalledChild(L"runtime_session_child.exe", scenario);
}

TEST(RuntimeSession, WindowsAndGlobalReferencesAreGoneBeforeTheRuntimeShutsDown) {
  kelpa::test::TChildRun run = RunScenario(L"session");
  EXPECT_EQ(run.ExitCode, 0u) << run.Report;
  EXPECT_EQ(run.Journal.All("shutdown").size(), 1u) << run.Journal.Text();
  EXPECT_EQ(run.Journal.IndexOf("misuse"), -1) << run.Journal.Text();
  ASSERT_GE(run.Journal.IndexOf("leaks"), 0) << run.Journal.Text();
  EXPECT_TRUE(run.Journal.All("leaks").back().Has("total", "0")) << run.Journal.Text();
}

// The one reference kept past the runtime's end shows in its leak report; letting go of it
// at process exit must not call into the library that is gone by then.
TEST(RuntimeSession, GlobalWrapperTornDownAfterTheUnloadCallsNothing) {
  kelpa::test::TChildRun run = RunScenario(L"plain-global");
  EXPECT_EQ(run.ExitCode, 0u) << run.Report << "\njournal:\n" << run.Journal.Text();
  ASSERT_GE(run.Journal.IndexOf("leaks"), 0) << run.Journal.Text();
  EXPECT_TRUE(run.Journal.All("leaks").back().Has("total", "1")) << run.Journal.Text();
}

}  // namespace
