// cef_execute_process in a process the runtime started as a sub-process (a "--type" switch on
// the command line) and in a browser process, each run in a helper process of its own.

#include "journal_file.h"
#include "runtime_library.h"
#include "test_paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

using namespace standin_test;

std::wstring HelperPath() {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  return (std::filesystem::path(self).parent_path() / L"runtime_process_helper.exe").wstring();
}

class RuntimeSubProcess : public ::testing::Test {
 protected:
  RuntimeSubProcess() : FDir(kelpa::test::MakeTempDir(L"standin-sub-")), FReport(FDir + L"\\report.txt") {
    SetEnvironmentVariableW(L"STANDIN_HELPER_REPORT", FReport.c_str());
  }
  ~RuntimeSubProcess() override {
    SetEnvironmentVariableW(L"STANDIN_HELPER_REPORT", nullptr);
    kelpa::test::RemoveTree(FDir);
  }

  // Runs the helper with these arguments; returns its exit code and process id.
  DWORD RunHelper(const std::wstring& arguments, DWORD* pid) {
    std::wstring command = L"\"" + HelperPath() + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::wstring folder = kelpa::test::BinDir();
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process)) {
      return 1000 + GetLastError();
    }
    *pid = process.dwProcessId;
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 9999;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
  }

  TJournalEntry Report() const {
    std::ifstream in(std::filesystem::path(FReport), std::ios::binary);
    std::string line;
    std::getline(in, line);
    return ParseJournalLine(line);
  }

  std::vector<TJournalEntry> ChildEntries(DWORD pid, const std::string& keyword) const {
    std::vector<TJournalEntry> found;
    for (auto& entry : FJournal.Entries(keyword)) {
      if (entry.Field("pid") == std::to_string(pid)) found.push_back(entry);
    }
    return found;
  }

  TJournalFile FJournal;
  std::wstring FDir;
  std::wstring FReport;
};

TEST_F(RuntimeSubProcess, RendererSubProcessDoesItsWorkAndReturnsZero) {
  DWORD pid = 0;
  ASSERT_EQ(RunHelper(L"--type=renderer --lang=en", &pid), 0u);
  TJournalEntry report = Report();
  ASSERT_EQ(report.keyword, "report");
  EXPECT_EQ(report.Field("result"), "0");
  EXPECT_EQ(report.Field("command_line_calls"), "1");
  EXPECT_EQ(report.Field("process_type"), "renderer");
  EXPECT_EQ(report.Field("register_calls"), "1");  // schemes are declared in every process
  EXPECT_EQ(report.Field("add_results"), "1");
  EXPECT_EQ(report.Field("render_asks"), "1");
  EXPECT_EQ(report.Field("browser_asks"), "0");
  EXPECT_EQ(report.Field("outstanding"), "0");
  EXPECT_EQ(report.Field("over_released"), "0");

  auto scheme = ChildEntries(pid, "add_custom_scheme");
  ASSERT_EQ(scheme.size(), 1u);
  EXPECT_EQ(scheme[0].Field("scheme"), "\"local\"");
  auto work = ChildEntries(pid, "subprocess_work");
  ASSERT_EQ(work.size(), 1u);
  EXPECT_EQ(work[0].Field("process_type"), "\"renderer\"");
  auto execute = ChildEntries(pid, "execute_process");
  ASSERT_EQ(execute.size(), 1u);
  EXPECT_EQ(execute[0].Field("result"), "0");
  auto leaks = ChildEntries(pid, "leaks");
  ASSERT_EQ(leaks.size(), 1u);
  EXPECT_EQ(leaks[0].Field("total"), "0");
  EXPECT_TRUE(ChildEntries(pid, "initialize").empty());
}

TEST_F(RuntimeSubProcess, BrowserProcessGetsMinusOneAndNoCallbacks) {
  DWORD pid = 0;
  ASSERT_EQ(RunHelper(L"/S", &pid), 0u);
  TJournalEntry report = Report();
  EXPECT_EQ(report.Field("result"), "-1");
  EXPECT_EQ(report.Field("command_line_calls"), "0");
  EXPECT_EQ(report.Field("register_calls"), "0");
  EXPECT_EQ(report.Field("outstanding"), "0");
  auto execute = ChildEntries(pid, "execute_process");
  ASSERT_EQ(execute.size(), 1u);
  EXPECT_EQ(execute[0].Field("result"), "-1");
}

}  // namespace
