#include "child_run.h"

#include <fstream>
#include <sstream>

#include "test_paths.h"

namespace kelpa::test {

std::string ReadTextFile(const std::wstring& path) {
  std::ifstream file(path.c_str(), std::ios::binary);
  std::stringstream buffer;
  buffer << file.rdbuf();
  std::string bytes = buffer.str();
  if (!bytes.starts_with("\xFF\xFE")) return bytes;
  const auto* units = reinterpret_cast<const wchar_t*>(bytes.data() + 2);
  const int count = static_cast<int>((bytes.size() - 2) / 2);
  std::string text(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, units, count, nullptr, 0, nullptr, nullptr)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, units, count, text.data(), static_cast<int>(text.size()), nullptr, nullptr);
  return text;
}

TChildRun RunJournalledChild(const std::wstring& program, const std::wstring& arguments) {
  std::wstring folder = MakeTempDir(L"kelpa-child-");
  std::wstring journal = folder + L"\\journal.txt";
  SetEnvironmentVariableW(L"STANDIN_RUNTIME_JOURNAL", journal.c_str());
  std::wstring exe = BinFile(program);
  std::wstring commandLine = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  DWORD exitCode = 0xFFFFFFFF;
  if (CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                     &startup, &process)) {
    if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 0xFFFFFFFE);
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  SetEnvironmentVariableW(L"STANDIN_RUNTIME_JOURNAL", nullptr);
  TChildRun run{exitCode, ReadTextFile(folder + L"\\report.txt"), TJournal(journal)};
  RemoveTree(folder);
  return run;
}

}  // namespace kelpa::test
