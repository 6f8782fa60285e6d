#include "engine_fixture.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>
#include <utility>

namespace standin_test {

namespace {

std::wstring Variable(const wchar_t* name) {
  wchar_t value[1024] = {};
  DWORD length = GetEnvironmentVariableW(name, value, 1024);
  return length < 1024 ? std::wstring(value, length) : std::wstring();
}

}  // namespace

std::wstring Wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

std::string Sorted(const std::string& header) {
  std::set<std::string> parts;
  for (size_t at = 0; at < header.size();) {
    size_t end = std::min(header.find("; ", at), header.size());
    parts.insert(header.substr(at, end - at));
    at = end + 2;
  }
  std::string sorted;
  for (const std::string& part : parts) sorted += (sorted.empty() ? "" : "; ") + part;
  return sorted;
}

std::string ReadSmallFile(const std::filesystem::path& path) {
  std::string text;
  if (FILE* file = _wfopen(path.c_str(), L"rb")) {
    char buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
    std::fclose(file);
  }
  return text;
}

void EngineTest::SetUp() {
  FPreviousEngine = Variable(L"STANDIN_RUNTIME_BROWSER");
  std::wstring engine = FPreviousEngine.empty() || FPreviousEngine == L"none" ? L"/usr/bin/chromium" : FPreviousEngine;
  // A Unix executable is seen through Wine's drive of the Unix root.
  std::wstring file = engine.front() == L'/' ? L"Z:" + engine : engine;
  if (GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES) {
    static bool told = false;
    if (!std::exchange(told, true)) std::printf("engine suite skipped: no engine at %s\n", Narrow(engine).c_str());
    GTEST_SKIP();
  }
  FSkipped = false;
  SetEnvironmentVariableW(L"STANDIN_RUNTIME_BROWSER", engine.c_str());
  BrowserTest::SetUp();
  // The engine starts on a thread of the runtime's own while the program goes on.
  ASSERT_TRUE(PumpUntil([&] { return !FJournal.Entries("page_engine").empty(); }, 30000));
  ASSERT_EQ(FJournal.Entries("page_engine").back().Field("kind"), "chromium")
      << FJournal.Entries("page_engine").back().line;
}

void EngineTest::TearDown() {
  if (FSkipped) return;
  // What the runtime saw of the engine, for whoever reads a failure.
  if (HasFailure())
    for (const std::string& line : FJournal.Lines()) std::printf("journal: %s\n", line.c_str());
  Shutdown();
  EXPECT_TRUE(PumpUntil([&] { return EngineProcesses() == 0; }, 15000)) << "the engine outlived the runtime";
  // The engine's profile holds links to Unix sockets that removing the test's folder would
  // follow; it moves aside into the throw-away prefix's temporary folder instead.
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH, temp);
  std::wstring aside = std::wstring(temp) + L"engine-profile-" + std::to_wstring(GetTickCount64());
  MoveFileW((FCachePath + L"\\StandinEngine").c_str(), aside.c_str());
  BrowserTest::TearDown();
  SetEnvironmentVariableW(L"STANDIN_RUNTIME_BROWSER", FPreviousEngine.empty() ? nullptr : FPreviousEngine.c_str());
}

void EngineTest::RunScript(cef_browser_t* browser, const std::wstring& script) {
  cef_frame_t* frame = browser->get_main_frame(browser);
  cef_string_t code = In(script);
  cef_string_t url = In(L"");
  frame->execute_java_script(frame, &code, &url, 0);
  frame->base.release(&frame->base);
}

int EngineTest::EngineProcesses() const { return static_cast<int>(EnginePids().size()); }

std::vector<std::string> EngineTest::EnginePids(const std::string& also) const {
  // The engine's processes name the test's own profile folder on their command lines.
  std::string marker = Narrow(FDir.substr(FDir.find_last_of(L"\\") + 1));
  std::vector<std::string> pids;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(L"Z:\\proc", error)) {
    // A process may end while we read it; a failed read then counts it out.
    std::string line = ReadSmallFile(entry.path() / "cmdline");
    if (line.find(marker) != std::string::npos && line.find("StandinEngine") != std::string::npos &&
        line.find(also) != std::string::npos)
      pids.push_back(Narrow(entry.path().filename().wstring()));
  }
  return pids;
}

void EngineTest::KillHard(const std::vector<std::string>& pids) {
  ASSERT_FALSE(pids.empty());
  std::wstring line = L"/bin/kill -KILL";
  for (const std::string& pid : pids) line += L" " + std::wstring(pid.begin(), pid.end());
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  PROCESS_INFORMATION process = {};
  ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  // Wine hands out no handle of a host process to wait on: the processes' going says it ran.
  EXPECT_TRUE(PumpUntil([&] {
    std::vector<std::string> left = EnginePids();
    return std::none_of(pids.begin(), pids.end(),
                        [&](const std::string& pid) { return std::find(left.begin(), left.end(), pid) != left.end(); });
  }, 10000));
}


}  // namespace standin_test
