#pragma once
// A running runtime whose pages Debian's chromium renders (unless STANDIN_RUNTIME_BROWSER
// names another engine): the browser fixture, with the engine chosen before initialize.

#include "browser_fixture.h"

#include <atomic>
#include <filesystem>
#include <string>
#include <vector>

namespace standin_test {

// Whatever of the file could be read (C stdio: a read error is no exception).
std::string ReadSmallFile(const std::filesystem::path& path);
std::wstring Wide(const std::string& s);  // ASCII only
// "b=2; a=1" as "a=1; b=2": the order of an engine's cookies of one path is its own business.
std::string Sorted(const std::string& header);

// A completion callback that counts its calls.
struct TCompletion {
  TCounted<cef_completion_callback_t> counted;  // first
  std::atomic<int> calls{0};
  TCompletion() { counted.data.on_complete = &OnComplete; }
  static void CEF_CALLBACK OnComplete(cef_completion_callback_t* self) { ++reinterpret_cast<TCompletion*>(self)->calls; }
};

class EngineTest : public BrowserTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  void RunScript(cef_browser_t* browser, const std::wstring& script);
  // Live processes of this test's engine (found through /proc).
  int EngineProcesses() const;
  // Their process ids, only those whose command line also holds `also` when it is given.
  std::vector<std::string> EnginePids(const std::string& also = "") const;
  // Ends them at once, as the system's out-of-memory killer or a crash would.
  void KillHard(const std::vector<std::string>& pids);

  std::wstring FPreviousEngine;
  bool FSkipped = true;  // no engine installed: the case was skipped before the runtime started
};

}  // namespace standin_test
