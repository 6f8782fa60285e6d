// CreateBrowserSync in a process of its own (a process starts the runtime only once):
// creating a browser before anything else loads and starts the stand-in runtime first.
// create_browser_test reads back the exit code, report.txt and the runtime's journal.

#include <windows.h>

#include <cstdio>
#include <exception>

#include "ceflib/ceflib.h"
#include "child_report.h"
#include "ceflib/cef_client.h"

using namespace ceflib;

namespace {

using kelpa::test::Check;

void CreateBeforeLoading() {
  CachePath = L"cache";
  Check(LibraryHandle == nullptr, "nothing is loaded before the browser is created");
  RefPtr<TCefClientOwn> client = MakeRef<TCefClientOwn>();
  cef_window_info_t windowInfo{};
  cef_browser_settings_t settings{};
  settings.size = sizeof settings;
  RefPtr<ICefBrowser> browser = CreateBrowserSync(&windowInfo, client, L"about:blank", &settings, nullptr);
  Check(LibraryHandle != nullptr && RuntimeInitialized, "creating the browser loaded and started the runtime");
  Check(browser != nullptr, "the runtime made a browser");
  if (!browser) return;
  Check(client->RefCount() > 1, "the runtime holds the client while the browser lives");
  RefPtr<ICefBrowserHost> host = browser->GetHost();
  Check(host != nullptr && host->GetWindowHandle() != nullptr, "the browser has a window");
}

}  // namespace

int main() {
  kelpa::test::EndOnCrash();
  try {
    CreateBeforeLoading();
  } catch (const std::exception& e) {
    Check(false, e.what());
  }
  return kelpa::test::ChildExitCode();
}
