// CreateBrowserSync against the stand-in runtime, loaded for real in a child process
// (ceflib_surface_create_browser_child): the runtime is started before the browser is asked
// for, and the synchronous request reaches the runtime with the address.

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

#include "journal_reader.h"
#include "test_paths.h"

namespace ceflib::test {
namespace {

std::string ReadFile(const std::wstring& path) {
  std::ifstream file(path.c_str(), std::ios::binary);
  std::stringstream buffer;
  buffer << file.rdbuf();
  return buffer.str();
}

TEST(CreateBrowserSync, LoadsAndStartsTheRuntimeBeforeAskingForTheBrowser) {
  std::wstring folder = kelpa::test::MakeTempDir(L"ceflib-surface-");
  std::wstring journalPath = folder + L"\\journal.txt";
  SetEnvironmentVariableW(L"STANDIN_RUNTIME_JOURNAL", journalPath.c_str());
  std::wstring exe = kelpa::test::BinFile(L"ceflib_surface_create_browser_child.exe");
  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  DWORD exitCode = 0xFFFFFFFF;
  ASSERT_TRUE(CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                             &startup, &process));
  if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 0xFFFFFFFE);
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  SetEnvironmentVariableW(L"STANDIN_RUNTIME_JOURNAL", nullptr);
  std::string report = ReadFile(folder + L"\\report.txt");
  TJournal journal(journalPath);
  kelpa::test::RemoveTree(folder);

  EXPECT_EQ(exitCode, 0u) << report << "\njournal:\n" << journal.Text();
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
