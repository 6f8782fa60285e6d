#pragma once
// An application object as the program hands it to the runtime, recording what the runtime
// asked of it. Shared by the tests and the sub-process helper.

#include "test_objects.h"

#include <string>
#include <vector>

namespace standin_test {

struct TSchemeToAdd {
  std::wstring name;
  int is_standard;
  int is_local;
  int is_display_isolated;
};

struct TTestApp {
  TCounted<cef_app_t> counted;  // first: the runtime's self pointer is this object

  // What the app does when asked.
  std::vector<TSchemeToAdd> schemes;
  std::wstring switch_to_append;
  bool keep_registrar = false;
  TCounted<cef_browser_process_handler_t>* browser_handler = nullptr;
  TCounted<cef_render_process_handler_t>* render_handler = nullptr;

  // What the runtime did.
  int command_line_calls = 0;
  int register_calls = 0;
  int bundle_asks = 0;
  int browser_asks = 0;
  int render_asks = 0;
  std::wstring process_type = L"<none>";
  int command_line_read_only = -1;
  std::vector<int> add_results;
  cef_scheme_registrar_t* kept_registrar = nullptr;

  TTestApp();
  TTestApp(const TTestApp&) = delete;
  TTestApp& operator=(const TTestApp&) = delete;

  cef_app_t* Hand() { return counted.Hand(); }
  int Outstanding() const { return counted.Outstanding(); }
};

}  // namespace standin_test
