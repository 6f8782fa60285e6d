#include "test_client.h"

#include "runtime_library.h"

namespace standin_test {

namespace {

template <class Struct>
void Give(Struct* object) {
  if (object) object->base.release(&object->base);
}

TTestClient* FromClient(cef_client_t* self) { return TPart<cef_client_t>::Owner(self); }
TTestClient* FromLifeSpan(cef_life_span_handler_t* self) { return TPart<cef_life_span_handler_t>::Owner(self); }
TTestClient* FromLoad(cef_load_handler_t* self) { return TPart<cef_load_handler_t>::Owner(self); }
TTestClient* FromDisplay(cef_display_handler_t* self) { return TPart<cef_display_handler_t>::Owner(self); }
TTestClient* FromFocus(cef_focus_handler_t* self) { return TPart<cef_focus_handler_t>::Owner(self); }
TTestClient* FromKeyboard(cef_keyboard_handler_t* self) { return TPart<cef_keyboard_handler_t>::Owner(self); }
TTestClient* FromRequest(cef_request_handler_t* self) { return TPart<cef_request_handler_t>::Owner(self); }
TTestClient* FromDialog(cef_jsdialog_handler_t* self) { return TPart<cef_jsdialog_handler_t>::Owner(self); }
TTestClient* FromDownload(cef_download_handler_t* self) { return TPart<cef_download_handler_t>::Owner(self); }

std::wstring RequestUrl(cef_request_t* request) {
  cef_string_userfree_t url = request->get_url(request);
  std::wstring text = url ? std::wstring(url->str, url->length) : std::wstring();
  if (url) CEF(cef_string_userfree_utf16_free)(url);
  return text;
}

// Client getters.
cef_life_span_handler_t* CEF_CALLBACK GetLifeSpan(cef_client_t* self) { return FromClient(self)->life_span.Hand(); }
cef_load_handler_t* CEF_CALLBACK GetLoad(cef_client_t* self) { return FromClient(self)->load.Hand(); }
cef_display_handler_t* CEF_CALLBACK GetDisplay(cef_client_t* self) { return FromClient(self)->display.Hand(); }
cef_focus_handler_t* CEF_CALLBACK GetFocus(cef_client_t* self) { return FromClient(self)->focus.Hand(); }
cef_keyboard_handler_t* CEF_CALLBACK GetKeyboard(cef_client_t* self) { return FromClient(self)->keyboard.Hand(); }
cef_request_handler_t* CEF_CALLBACK GetRequest(cef_client_t* self) { return FromClient(self)->request.Hand(); }
cef_jsdialog_handler_t* CEF_CALLBACK GetDialog(cef_client_t* self) { return FromClient(self)->jsdialog.Hand(); }
cef_download_handler_t* CEF_CALLBACK GetDownload(cef_client_t* self) { return FromClient(self)->download.Hand(); }

// Life span.
void CEF_CALLBACK OnAfterCreated(cef_life_span_handler_t* self, cef_browser_t* browser) {
  FromLifeSpan(self)->Record("after_created:" + std::to_string(browser->get_identifier(browser)), true);
  Give(browser);
}
int CEF_CALLBACK DoClose(cef_life_span_handler_t* self, cef_browser_t* browser) {
  FromLifeSpan(self)->Record("do_close", true);
  Give(browser);
  return FromLifeSpan(self)->do_close_answer;
}
int CEF_CALLBACK OnBeforePopup(cef_life_span_handler_t* self, cef_browser_t* browser, cef_frame_t* frame,
                               const cef_string_t* url, const cef_string_t*, cef_window_open_disposition_t, int,
                               const cef_popup_features_t*, cef_window_info_t*, cef_client_t**,
                               cef_browser_settings_t*, int*) {
  FromLifeSpan(self)->Record("popup:" + Narrow(url), false);
  Give(browser);
  Give(frame);
  return FromLifeSpan(self)->cancel_popups ? 1 : 0;
}

// Script dialogs and downloads.
int CEF_CALLBACK OnJsDialog(cef_jsdialog_handler_t* self, cef_browser_t* browser, const cef_string_t*,
                            const cef_string_t*, cef_jsdialog_type_t type, const cef_string_t* message,
                            const cef_string_t*, cef_jsdialog_callback_t* callback, int*) {
  TTestClient* c = FromDialog(self);
  c->Record("jsdialog:" + std::to_string(type) + ":" + Narrow(message), true);
  Give(browser);
  if (c->answer_dialogs) {
    cef_string_t input = {const_cast<wchar_t*>(c->prompt_answer.c_str()), c->prompt_answer.size(), nullptr};
    callback->cont(callback, 1, &input);
  }
  Give(callback);
  return c->answer_dialogs ? 1 : 0;
}
int CEF_CALLBACK OnBeforeUnloadDialog(cef_jsdialog_handler_t* self, cef_browser_t* browser, const cef_string_t*, int,
                                      cef_jsdialog_callback_t* callback) {
  FromDialog(self)->Record("before_unload", true);
  Give(browser), Give(callback);
  return 0;
}
void CEF_CALLBACK OnBeforeDownload(cef_download_handler_t* self, cef_browser_t* browser, cef_download_item_t* item,
                                   const cef_string_t* name, cef_before_download_callback_t* callback) {
  FromDownload(self)->Record("before_download:" + Narrow(name), true);
  Give(browser), Give(item), Give(callback);
}
void CEF_CALLBACK OnBeforeClose(cef_life_span_handler_t* self, cef_browser_t* browser) {
  FromLifeSpan(self)->Record("before_close", true);
  Give(browser);
}

// Load.
void CEF_CALLBACK OnLoadingStateChange(cef_load_handler_t* self, cef_browser_t* browser, int loading, int, int) {
  FromLoad(self)->Record("loading:" + std::to_string(loading), true);
  Give(browser);
}
void CEF_CALLBACK OnLoadStart(cef_load_handler_t* self, cef_browser_t* browser, cef_frame_t* frame) {
  FromLoad(self)->Record(std::string("load_start") + (frame->is_main(frame) ? "" : ":sub"), true);
  Give(browser);
  Give(frame);
}
void CEF_CALLBACK OnLoadEnd(cef_load_handler_t* self, cef_browser_t* browser, cef_frame_t* frame, int status) {
  FromLoad(self)->Record("load_end:" + std::to_string(status), true);
  Give(browser);
  Give(frame);
}
void CEF_CALLBACK OnLoadError(cef_load_handler_t* self, cef_browser_t* browser, cef_frame_t* frame,
                              cef_errorcode_t error, const cef_string_t* text, const cef_string_t* url) {
  FromLoad(self)->Record("load_error:" + std::to_string(error) + ":" + Narrow(text) + ":" + Narrow(url), true);
  Give(browser);
  Give(frame);
}

// Display.
void CEF_CALLBACK OnAddressChange(cef_display_handler_t* self, cef_browser_t* browser, cef_frame_t* frame,
                                  const cef_string_t* url) {
  FromDisplay(self)->Record("address:" + Narrow(url), true);
  Give(browser);
  Give(frame);
}
void CEF_CALLBACK OnTitleChange(cef_display_handler_t* self, cef_browser_t* browser, const cef_string_t* title) {
  FromDisplay(self)->Record("title:" + Narrow(title), true);
  Give(browser);
}

// Focus and keys.
void CEF_CALLBACK OnGotFocus(cef_focus_handler_t* self, cef_browser_t* browser) {
  FromFocus(self)->Record("got_focus", true);
  Give(browser);
}
int CEF_CALLBACK OnSetFocus(cef_focus_handler_t* self, cef_browser_t* browser, cef_focus_source_t) {
  FromFocus(self)->Record("set_focus", true);
  Give(browser);
  return 0;
}
int CEF_CALLBACK OnPreKeyEvent(cef_keyboard_handler_t* self, cef_browser_t* browser, const cef_key_event_t* event,
                               cef_event_handle_t, int*) {
  FromKeyboard(self)->Record("pre_key:" + std::to_string(event->type) + ":" + std::to_string(event->windows_key_code),
                             true);
  Give(browser);
  return 0;
}
int CEF_CALLBACK OnKeyEvent(cef_keyboard_handler_t* self, cef_browser_t* browser, const cef_key_event_t*,
                            cef_event_handle_t) {
  FromKeyboard(self)->Record("key", true);
  Give(browser);
  return 0;
}

// Request handler.
int CEF_CALLBACK OnBeforeBrowse(cef_request_handler_t* self, cef_browser_t* browser, cef_frame_t* frame,
                                cef_request_t* request, int is_redirect) {
  TTestClient* c = FromRequest(self);
  c->Record("before_browse:" + Narrow(RequestUrl(request)) + (is_redirect ? ":redirect" : ""), true);
  Give(browser);
  Give(frame);
  Give(request);
  return c->cancel_browse ? 1 : 0;
}
cef_return_value_t CEF_CALLBACK OnBeforeResourceLoad(cef_request_handler_t* self, cef_browser_t* browser,
                                                     cef_frame_t* frame, cef_request_t* request,
                                                     cef_request_callback_t* callback) {
  TTestClient* c = FromRequest(self);
  c->Record("before_resource_load:" + Narrow(RequestUrl(request)), false);
  {
    std::lock_guard<std::mutex> guard(c->lock);
    c->request_threads.push_back(GetCurrentThreadId());
    if (c->resource_load_answer == RV_CONTINUE_ASYNC) {
      c->pending_resource_callback = callback;
      callback = nullptr;
    }
  }
  Give(callback);
  Give(browser);
  Give(frame);
  Give(request);
  return c->resource_load_answer;
}
cef_resource_handler_t* CEF_CALLBACK GetResourceHandler(cef_request_handler_t* self, cef_browser_t* browser,
                                                        cef_frame_t* frame, cef_request_t* request) {
  TTestClient* c = FromRequest(self);
  {
    std::lock_guard<std::mutex> guard(c->lock);
    c->request_threads.push_back(GetCurrentThreadId());
  }
  std::wstring url = RequestUrl(request);
  Give(browser);
  Give(frame);
  Give(request);
  return c->resource_handler ? c->resource_handler(url) : nullptr;
}
void CEF_CALLBACK OnResourceRedirect(cef_request_handler_t* self, cef_browser_t* browser, cef_frame_t* frame,
                                     cef_request_t* request, cef_string_t* new_url) {
  TTestClient* c = FromRequest(self);
  c->Record("resource_redirect:" + Narrow(RequestUrl(request)) + ">" + Narrow(new_url), false);
  {
    std::lock_guard<std::mutex> guard(c->lock);
    c->request_threads.push_back(GetCurrentThreadId());
  }
  if (!c->redirect_override.empty())
    CEF(cef_string_utf16_set)(c->redirect_override.c_str(), c->redirect_override.size(), new_url, 1);
  Give(browser);
  Give(frame);
  Give(request);
}
int CEF_CALLBACK GetAuthCredentials(cef_request_handler_t* self, cef_browser_t* browser, cef_frame_t* frame, int,
                                    const cef_string_t* host, int, const cef_string_t* realm,
                                    const cef_string_t* scheme, cef_auth_callback_t* callback) {
  FromRequest(self)->Record("auth:" + Narrow(host) + ":" + Narrow(realm) + ":" + Narrow(scheme), false);
  Give(browser);
  Give(frame);
  Give(callback);
  return 0;
}
int CEF_CALLBACK OnResourceResponse(cef_request_handler_t*, cef_browser_t* browser, cef_frame_t* frame,
                                    cef_request_t* request, cef_response_t* response) {
  Give(browser);
  Give(frame);
  Give(request);
  Give(response);
  return 0;
}

}  // namespace

std::wstring Text(const cef_string_t* s) { return s && s->str ? std::wstring(s->str, s->length) : std::wstring(); }

std::string Narrow(const std::wstring& s) {
  std::string out;
  for (wchar_t c : s) out += c < 128 ? static_cast<char>(c) : '?';
  return out;
}

std::string Narrow(const cef_string_t* s) { return Narrow(Text(s)); }

TTestClient::TTestClient() {
  client.owner = this;
  life_span.owner = this;
  load.owner = this;
  display.owner = this;
  focus.owner = this;
  keyboard.owner = this;
  request.owner = this;
  jsdialog.owner = this;
  download.owner = this;
  client.counted.data.get_life_span_handler = &GetLifeSpan;
  client.counted.data.get_load_handler = &GetLoad;
  client.counted.data.get_display_handler = &GetDisplay;
  client.counted.data.get_focus_handler = &GetFocus;
  client.counted.data.get_keyboard_handler = &GetKeyboard;
  client.counted.data.get_request_handler = &GetRequest;
  client.counted.data.get_jsdialog_handler = &GetDialog;
  client.counted.data.get_download_handler = &GetDownload;
  life_span.counted.data.on_before_popup = &OnBeforePopup;
  jsdialog.counted.data.on_jsdialog = &OnJsDialog;
  jsdialog.counted.data.on_before_unload_dialog = &OnBeforeUnloadDialog;
  download.counted.data.on_before_download = &OnBeforeDownload;
  request.counted.data.get_auth_credentials = &GetAuthCredentials;
  life_span.counted.data.on_after_created = &OnAfterCreated;
  life_span.counted.data.do_close = &DoClose;
  life_span.counted.data.on_before_close = &OnBeforeClose;
  load.counted.data.on_loading_state_change = &OnLoadingStateChange;
  load.counted.data.on_load_start = &OnLoadStart;
  load.counted.data.on_load_end = &OnLoadEnd;
  load.counted.data.on_load_error = &OnLoadError;
  display.counted.data.on_address_change = &OnAddressChange;
  display.counted.data.on_title_change = &OnTitleChange;
  focus.counted.data.on_got_focus = &OnGotFocus;
  focus.counted.data.on_set_focus = &OnSetFocus;
  keyboard.counted.data.on_pre_key_event = &OnPreKeyEvent;
  keyboard.counted.data.on_key_event = &OnKeyEvent;
  request.counted.data.on_before_browse = &OnBeforeBrowse;
  request.counted.data.on_before_resource_load = &OnBeforeResourceLoad;
  request.counted.data.get_resource_handler = &GetResourceHandler;
  request.counted.data.on_resource_redirect = &OnResourceRedirect;
  request.counted.data.on_resource_response = &OnResourceResponse;
}

TTestClient::~TTestClient() {
  if (pending_resource_callback) Give(pending_resource_callback);
}

void TTestClient::Record(std::string event, bool ui_event) {
  if (ui_event && GetCurrentThreadId() != ui_thread) ++off_thread_ui_events;
  std::lock_guard<std::mutex> guard(lock);
  events.push_back(std::move(event));
}

std::vector<std::string> TTestClient::Events() const {
  std::lock_guard<std::mutex> guard(lock);
  return events;
}

bool TTestClient::Has(const std::string& event) const {
  std::lock_guard<std::mutex> guard(lock);
  for (const std::string& e : events)
    if (e == event) return true;
  return false;
}

size_t TTestClient::Count(const std::string& prefix) const {
  std::lock_guard<std::mutex> guard(lock);
  size_t n = 0;
  for (const std::string& e : events)
    if (e.rfind(prefix, 0) == 0) ++n;
  return n;
}

void TTestClient::ClearEvents() {
  std::lock_guard<std::mutex> guard(lock);
  events.clear();
}

int TTestClient::Outstanding() const {
  return client.Outstanding() + life_span.Outstanding() + load.Outstanding() + display.Outstanding() +
         focus.Outstanding() + keyboard.Outstanding() + request.Outstanding() + jsdialog.Outstanding() +
         download.Outstanding();
}

}  // namespace standin_test
