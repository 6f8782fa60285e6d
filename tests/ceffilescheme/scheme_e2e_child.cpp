// Start-up's `local:` arrangement in a process of its own (a process starts the runtime only
// once): the scheme declared while the runtime starts, the TFileScheme factory registered,
// then one browser loading each address given on the command line, one after another.
// scheme_e2e_test reads the outcome from the runtime's journal.

#include <windows.h>

#include <exception>

#include "ceffilescheme/FileScheme.h"
#include "ceflib/ceflib.h"
#include "ceflib/cef_client.h"
#include "ceflib/cef_load_handler.h"
#include "ceflib/cef_scheme.h"
#include "child_report.h"

using namespace ceflib;
using kelpa::test::Check;

namespace {

class TLoadCounter final : public TCefLoadHandlerOwn {
 public:
  void OnLoadEnd(const RefPtr<ICefBrowser>&, const RefPtr<ICefFrame>&, int) override { ++Finished; }
  void OnLoadError(const RefPtr<ICefBrowser>&, const RefPtr<ICefFrame>&, cef_errorcode_t, const ustring&,
                   const ustring&) override {
    ++Finished;
  }
  int Finished = 0;
};

class TClient final : public TCefClientOwn {
 public:
  RefPtr<ICefLoadHandler> GetLoadHandler() override { return Loads; }
  RefPtr<TLoadCounter> Loads = MakeRef<TLoadCounter>();
};

bool WaitForLoads(TLoadCounter& loads, int count) {
  for (int i = 0; i < 2000 && loads.Finished < count; ++i) {
    DoMessageLoopWork();
    Sleep(5);
  }
  return loads.Finished >= count;
}

void LoadEach(int argc, wchar_t** argv) {
  CachePath = L"cache";
  OnRegisterCustomSchemes = [](const RefPtr<ICefSchemeRegistrar>& registrar) {
    registrar->AddCustomScheme(L"local", true, true, false);
  };
  Check(LoadChromiumRuntime(), "the runtime started");
  Check(RegisterSchemeHandlerFactory<ceffilescheme::TFileScheme>(L"local", L""), "the factory was accepted");
  RefPtr<TClient> client = MakeRef<TClient>();
  cef_window_info_t windowInfo{};
  cef_browser_settings_t settings{};
  settings.size = sizeof settings;
  RefPtr<ICefBrowser> browser = CreateBrowserSync(&windowInfo, client, L"about:blank", &settings, nullptr);
  Check(browser != nullptr, "the runtime made a browser");
  if (!browser) return;
  Check(WaitForLoads(*client->Loads, 1), "the blank page loaded");
  for (int i = 1; i < argc; ++i) {
    browser->GetMainFrame()->LoadUrl(argv[i]);
    Check(WaitForLoads(*client->Loads, i + 1), "an address finished loading");
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  kelpa::test::EndOnCrash();
  try {
    LoadEach(argc, argv);
  } catch (const std::exception& e) {
    Check(false, e.what());
  }
  return kelpa::test::ChildExitCode();
}
