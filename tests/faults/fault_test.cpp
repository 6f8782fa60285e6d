// The saver against a runtime that misbehaves: the stand-in runtime commits one fault at a
// time (or all at once) while the saver shows and rotates pages at the shortest delay. The
// saver must keep running, close cleanly when asked, and leave nothing behind in the
// runtime's count of objects.

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>

#include "base/SysUtils.h"
#include "journal_reader.h"
#include "polling.h"
#include "saver_process.h"

namespace {

using namespace kelpa::test;

std::string Settings() {
  // Two pages per monitor, one served by the program's own scheme, so rotation and the
  // program's resource handler both meet the fault.
  std::wstring folder = std::filesystem::temp_directory_path().wstring();
  std::string local = "local://" + WideToUtf8(folder.substr(0, 1)) + "/" +
                      WideToUtf8(folder.substr(3));
  for (char& c : local)
    if (c == '\\') c = '/';
  return "[Config]\r\nDisplayDelay=500\r\nRotateDelay=5000\r\nScreenURL1=" + local + ",about:blank\r\n";
}

int Count(const kelpa::test::TJournal& journal, const std::string& keyword) {
  return static_cast<int>(journal.All(keyword).size());
}

class RuntimeFault : public testing::TestWithParam<const char*> {};

// The last case's screen window may still be on its way out; its going would move the
// activation to the new saver after its grace period, which ends a saver by design.
void WaitUntilNoScreenWindow() {
  WaitUntil([] { return FindWindowW(nullptr, L"Screen") == nullptr; }, 5000);
  Sleep(500);
}

TEST_P(RuntimeFault, SaverKeepsRotatingClosesCleanlyAndLeaksNothing) {
  WaitUntilNoScreenWindow();
  SetEnvironmentVariableA("STANDIN_RUNTIME_FAULTS", GetParam());
  std::wstring journalPath;
  TSaverProcess saver(L"/S", Settings(), [&](const std::wstring& folder) {
    journalPath = folder + L"\\journal.txt";
    SetEnvironmentVariableW(L"STANDIN_RUNTIME_JOURNAL", journalPath.c_str());
  });
  SetEnvironmentVariableA("STANDIN_RUNTIME_FAULTS", nullptr);
  SetEnvironmentVariableW(L"STANDIN_RUNTIME_JOURNAL", nullptr);
  HWND screen = saver.WaitForWindow(L"Screen", true, kPatience);
  ASSERT_NE(screen, nullptr);
  // Past the first rotation: the rotation step has met the fault at least once.
  Sleep(6500);
  if (!saver.Running()) {
    DWORD code = 0;
    saver.WaitForExit(0, code);
    FAIL() << "the saver ended by itself, exit code " << code << "\n" << kelpa::test::TJournal(journalPath).Text();
  }
  DWORD_PTR answer = 0;
  EXPECT_TRUE(SendMessageTimeoutW(screen, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &answer)) << "the saver stalls";
  PostMessageW(screen, WM_CLOSE, 0, 0);
  DWORD code = 99;
  ASSERT_TRUE(saver.WaitForExit(kPatience, code)) << "still running";
  EXPECT_EQ(code, 0u);
  kelpa::test::TJournal journal(journalPath);
  EXPECT_EQ(Count(journal, "shutdown"), 1) << journal.Text();
  EXPECT_GE(journal.IndexOf("leaks", "total", "0"), 0) << journal.Text();
  EXPECT_EQ(Count(journal, "leak"), 0) << journal.Text();
  EXPECT_EQ(Count(journal, "misuse"), 0) << journal.Text();
  // The faults that leave a trace in the journal did happen.
  const std::string fault = GetParam();
  // (With no main frame nothing is loaded at all, so early_release shows only alone.)
  if (fault == "no_browser") {
    EXPECT_EQ(Count(journal, "browser_create"), 0);
  }
  if (fault == "early_release") {
    EXPECT_GE(journal.IndexOf("load_error", "name", "ERR_ABORTED"), 0) << journal.Text();
  }
}

INSTANTIATE_TEST_SUITE_P(Faults, RuntimeFault,
                         testing::Values("no_browser", "no_main_frame", "null_strings", "empty_lists",
                                         "foreign_thread", "early_release",
                                         "no_main_frame,null_strings,empty_lists,foreign_thread,early_release"),
                         [](const testing::TestParamInfo<const char*>& info) {
                           std::string name;
                           for (const char* c = info.param; *c; ++c)
                             if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
                           return name.size() > 20 ? std::string("AllButNoBrowser") : name;
                         });

}  // namespace
