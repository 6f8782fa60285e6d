// Started by the sub-process tests: loads libcef.dll from the current folder, hands it an
// application object through cef_execute_process as the program does, and writes what
// happened to the file named by STANDIN_HELPER_REPORT as one "report key=value ..." line.

#include "test_app.h"

#include <cef_capi.h>

#include <cstdio>
#include <string>

int main() {
  wchar_t report_path[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(L"STANDIN_HELPER_REPORT", report_path, MAX_PATH)) return 2;
  wchar_t folder[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, folder);
  HMODULE library = LoadLibraryW((std::wstring(folder) + L"\\libcef.dll").c_str());
  if (!library) return 3;
  auto execute_process =
      reinterpret_cast<decltype(&cef_execute_process)>(reinterpret_cast<void*>(GetProcAddress(library, "cef_execute_process")));
  if (!execute_process) return 4;

  standin_test::TTestApp app;
  app.schemes.push_back({L"local", 1, 1, 0});
  cef_main_args_t args = {GetModuleHandleW(nullptr)};
  int result = execute_process(&args, app.Hand(), nullptr);

  std::string process_type(app.process_type.begin(), app.process_type.end());  // ASCII in these tests
  FILE* report = _wfopen(report_path, L"wb");
  if (!report) return 5;
  std::fprintf(report,
               "report result=%d command_line_calls=%d process_type=%s register_calls=%d add_results=%zu "
               "render_asks=%d browser_asks=%d outstanding=%d over_released=%d\n",
               result, app.command_line_calls, process_type.c_str(), app.register_calls, app.add_results.size(),
               app.render_asks, app.browser_asks, app.Outstanding(), app.counted.over_released ? 1 : 0);
  std::fclose(report);
  FreeLibrary(library);
  return 0;
}
