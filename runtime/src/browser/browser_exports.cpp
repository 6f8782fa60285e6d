// cef_browser_host_create_browser(_sync), cef_request_create and cef_response_create.

#include "browser_core.h"
#include "browser_events.h"
#include "browser_registry.h"
#include "faults.h"
#include "held_ref.h"
#include "journal.h"
#include "request.h"
#include "response.h"
#include "runtime_state.h"
#include "runtime_threads.h"
#include "string_record.h"
#include "web_shutdown.h"

#include <cstddef>

using namespace standin;

namespace {

uint32_t BackgroundColour(const cef_browser_settings_t* settings) {
  if (!settings || settings->size < offsetof(cef_browser_settings_t, background_color) + sizeof(cef_color_t)) return 0;
  return settings->background_color;
}

// UI thread: a browser with its window, told to the program through on_after_created.
TCoreRef CreateBrowser(const cef_window_info_t* window_info, THeld<cef_client_t> client, const std::wstring& url,
                       const cef_browser_settings_t* settings, bool sync) {
  int id = TBrowserRegistry::Instance().NextId();
  auto core = std::make_shared<TBrowserCore>(id, std::move(client), BackgroundColour(settings));
  cef_window_info_t info = window_info ? *window_info : cef_window_info_t{};
  TJournalLine line("browser_create");
  line.Int("browser", id).Pointer("parent", info.parent_window).Int("x", info.x).Int("y", info.y)
      .Int("width", info.width).Int("height", info.height).Unsigned("style", info.style)
      .Unsigned("ex_style", info.ex_style).Text("url", url).Int("sync", sync ? 1 : 0);
  if (!core->CreateNativeWindow(info)) {
    line.Word("result", "no_window").Write();
    core->CloseAtShutdown();  // gives the client back without telling it anything
    return nullptr;
  }
  line.Pointer("window", core->Window()).Word("result", "created").Write();
  core->SetEngine(ChoosePageEngine(core));
  EnsureWebShutdownStep();
  TBrowserRegistry::Instance().Add(core);
  TRuntimeThreads::Instance().Post(TID_UI, MakeWork([core] {
    if (!core->Closed()) RaiseAfterCreated(*core);
  }));
  if (!url.empty()) core->LoadUrl(url);
  return core;
}

bool Usable(const char* name) {
  if (!TRuntimeState::Instance().Initialized()) {
    TJournalLine("misuse").Word("what", "browser_before_initialize").Word("member", name).Write();
    return false;
  }
  if (!TRuntimeThreads::Instance().CurrentlyOn(TID_UI)) {
    TJournalLine("misuse").Word("what", "browser_off_ui_thread").Word("member", name).Write();
    return false;
  }
  return true;
}

}  // namespace

cef_browser_t* cef_browser_host_create_browser_sync(const cef_window_info_t* window_info, cef_client_t* client,
                                                    const cef_string_t* url, const cef_browser_settings_t* settings,
                                                    cef_request_context_t* request_context) {
  THeld<cef_client_t> held_client = THeld<cef_client_t>::Adopt(client, "client");
  // Every browser uses the global context here.
  THeld<cef_request_context_t>::Adopt(request_context, "request_context").Reset();
  if (!Usable("cef_browser_host_create_browser_sync") || FaultOn("no_browser")) return nullptr;
  TCoreRef core = CreateBrowser(window_info, std::move(held_client), Read(url), settings, true);
  return core ? core->NewBrowser() : nullptr;
}

int cef_browser_host_create_browser(const cef_window_info_t* window_info, cef_client_t* client, const cef_string_t* url,
                                    const cef_browser_settings_t* settings, cef_request_context_t* request_context) {
  THeld<cef_client_t> held_client = THeld<cef_client_t>::Adopt(client, "client");
  THeld<cef_request_context_t>::Adopt(request_context, "request_context").Reset();
  if (!Usable("cef_browser_host_create_browser") || FaultOn("no_browser")) return 0;
  // The window and browser come in the UI thread's loop work; the program learns of them
  // through on_after_created.
  auto pending = std::make_shared<THeld<cef_client_t>>(std::move(held_client));
  cef_window_info_t info = window_info ? *window_info : cef_window_info_t{};
  std::wstring name = Read(&info.window_name);
  info.window_name = {};
  std::wstring address = Read(url);
  uint32_t background = BackgroundColour(settings);
  bool posted = TRuntimeThreads::Instance().Post(TID_UI, MakeWork([pending, info, name, address, background]() mutable {
    info.window_name = {name.data(), name.size(), nullptr};
    cef_browser_settings_t copy = {};
    copy.size = sizeof copy;
    copy.background_color = background;
    CreateBrowser(&info, std::move(*pending), address, &copy, false);
  }));
  return posted ? 1 : 0;
}

cef_request_t* cef_request_create(void) { return MakeRuntimeObject<TRequest>()->PassOut(); }

cef_response_t* cef_response_create(void) { return MakeRuntimeObject<TResponse>()->PassOut(); }
