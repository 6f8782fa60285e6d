#pragma once
// A running runtime whose pages Debian's chromium renders (unless STANDIN_RUNTIME_BROWSER
// names another engine): the browser fixture, with the engine chosen before initialize.

#include "browser_fixture.h"

#include <filesystem>
#include <string>
#include <vector>

namespace standin_test {

// Whatever of the file could be read (C stdio: a read error is no exception).
std::string ReadSmallFile(const std::filesystem::path& path);

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
