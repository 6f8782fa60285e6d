#pragma once
// A client as a program hands it to the runtime, with the handlers a browser calls. Each
// callback records one event line, notes whether it ran on the UI thread, and gives back
// every object it was handed.

#include "test_objects.h"

#include <cef_capi.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace standin_test {

struct TTestClient;

// A handler struct that knows its client (self points at the struct, which comes first).
template <class Struct>
struct TPart {
  TCounted<Struct> counted;
  TTestClient* owner = nullptr;
  Struct* Hand() { return counted.Hand(); }
  int Outstanding() const { return counted.Outstanding(); }
  static TTestClient* Owner(Struct* self) { return reinterpret_cast<TPart*>(self)->owner; }
};

struct TTestClient {
  TPart<cef_client_t> client;
  TPart<cef_life_span_handler_t> life_span;
  TPart<cef_load_handler_t> load;
  TPart<cef_display_handler_t> display;
  TPart<cef_focus_handler_t> focus;
  TPart<cef_keyboard_handler_t> keyboard;
  TPart<cef_request_handler_t> request;
  TPart<cef_jsdialog_handler_t> jsdialog;
  TPart<cef_download_handler_t> download;

  DWORD ui_thread = GetCurrentThreadId();
  std::atomic<int> off_thread_ui_events{0};

  // What the request handler does.
  bool cancel_browse = false;
  cef_return_value_t resource_load_answer = RV_CONTINUE;
  std::function<cef_resource_handler_t*(const std::wstring& url)> resource_handler;
  std::wstring redirect_override;  // on_resource_redirect sends redirects here when set
  cef_request_callback_t* pending_resource_callback = nullptr;  // kept for RV_CONTINUE_ASYNC
  int do_close_answer = 0;
  bool cancel_popups = true;
  // Script dialogs answered by the client (accepted, the prompt given this text), or left to
  // the runtime; credential requests are refused either way.
  bool answer_dialogs = false;
  std::wstring prompt_answer;

  TTestClient();
  ~TTestClient();
  TTestClient(const TTestClient&) = delete;
  TTestClient& operator=(const TTestClient&) = delete;

  cef_client_t* Hand() { return client.Hand(); }
  void Record(std::string event, bool ui_event);
  std::vector<std::string> Events() const;
  bool Has(const std::string& event) const;
  size_t Count(const std::string& prefix) const;
  void ClearEvents();
  // References of the client and its handlers that the runtime still holds.
  int Outstanding() const;

  mutable std::mutex lock;
  std::vector<std::string> events;
  std::vector<DWORD> request_threads;  // threads of on_before_resource_load and friends
};

std::wstring Text(const cef_string_t* s);
std::string Narrow(const std::wstring& s);
std::string Narrow(const cef_string_t* s);

}  // namespace standin_test
