#include "browser_events.h"

#include "callbacks.h"
#include "download_item.h"
#include "faults.h"
#include "journal.h"
#include "request.h"
#include "response.h"
#include "string_record.h"
#include "string_view_record.h"
#include "runtime_threads.h"

namespace standin {

namespace {

template <class Handler, class Getter>
THeld<Handler> Ask(TBrowserCore& core, Getter cef_client_t::*getter, const char* kind) {
  THeld<cef_client_t> client = core.Client();
  if (!client || !(client.Get()->*getter)) return {};
  return THeld<Handler>::Adopt((client.Get()->*getter)(client.Get()), kind);
}

THeld<cef_load_handler_t> LoadHandler(TBrowserCore& core) {
  return Ask<cef_load_handler_t>(core, &cef_client_t::get_load_handler, "load_handler");
}
THeld<cef_display_handler_t> DisplayHandler(TBrowserCore& core) {
  return Ask<cef_display_handler_t>(core, &cef_client_t::get_display_handler, "display_handler");
}
THeld<cef_life_span_handler_t> LifeSpanHandler(TBrowserCore& core) {
  return Ask<cef_life_span_handler_t>(core, &cef_client_t::get_life_span_handler, "life_span_handler");
}
THeld<cef_request_handler_t> RequestHandler(TBrowserCore& core) {
  return Ask<cef_request_handler_t>(core, &cef_client_t::get_request_handler, "request_handler");
}
THeld<cef_focus_handler_t> FocusHandler(TBrowserCore& core) {
  return Ask<cef_focus_handler_t>(core, &cef_client_t::get_focus_handler, "focus_handler");
}
THeld<cef_jsdialog_handler_t> JsDialogHandler(TBrowserCore& core) {
  return Ask<cef_jsdialog_handler_t>(core, &cef_client_t::get_jsdialog_handler, "jsdialog_handler");
}
THeld<cef_download_handler_t> DownloadHandler(TBrowserCore& core) {
  return Ask<cef_download_handler_t>(core, &cef_client_t::get_download_handler, "download_handler");
}
THeld<cef_keyboard_handler_t> KeyboardHandler(TBrowserCore& core) {
  return Ask<cef_keyboard_handler_t>(core, &cef_client_t::get_keyboard_handler, "keyboard_handler");
}

uint32 KeyModifiers() {
  uint32 modifiers = 0;
  if (GetKeyState(VK_SHIFT) < 0) modifiers |= EVENTFLAG_SHIFT_DOWN;
  if (GetKeyState(VK_CONTROL) < 0) modifiers |= EVENTFLAG_CONTROL_DOWN;
  if (GetKeyState(VK_MENU) < 0) modifiers |= EVENTFLAG_ALT_DOWN;
  return modifiers;
}

// A text argument as the faults allow it.
const cef_string_t* Text(const cef_string_t& text) { return FaultOn("null_strings") ? nullptr : &text; }

// Under the foreign_thread fault the call goes to the IO thread instead; true when it went.
template <class F>
bool Misrouted(TBrowserCore& core, F call) {
  if (!FaultOn("foreign_thread") || TRuntimeThreads::Instance().CurrentlyOn(TID_IO)) return false;
  return TRuntimeThreads::Instance().Post(TID_IO, MakeWork([core = core.shared_from_this(), call] { call(*core); }));
}

}  // namespace

void RaiseAfterCreated(TBrowserCore& core) {
  if (auto h = LifeSpanHandler(core); h && h->on_after_created) h->on_after_created(h.Get(), core.NewBrowser());
}

bool AskDoClose(TBrowserCore& core) {
  if (auto h = LifeSpanHandler(core); h && h->do_close) return h->do_close(h.Get(), core.NewBrowser()) != 0;
  return false;
}

void RaiseBeforeClose(TBrowserCore& core) {
  if (auto h = LifeSpanHandler(core); h && h->on_before_close) h->on_before_close(h.Get(), core.NewBrowser());
}

void RaiseLoadingStateChange(TBrowserCore& core, bool loading) {
  if (auto h = LoadHandler(core); h && h->on_loading_state_change)
    h->on_loading_state_change(h.Get(), core.NewBrowser(), loading ? 1 : 0, core.Engine()->CanGoBack() ? 1 : 0,
                               core.Engine()->CanGoForward() ? 1 : 0);
}

void RaiseLoadStart(TBrowserCore& core) {
  if (auto h = LoadHandler(core); h && h->on_load_start) h->on_load_start(h.Get(), core.NewBrowser(), core.NewFrame());
}

void RaiseLoadEnd(TBrowserCore& core, int status) {
  if (Misrouted(core, [status](TBrowserCore& c) { RaiseLoadEnd(c, status); })) return;
  if (auto h = LoadHandler(core); h && h->on_load_end)
    h->on_load_end(h.Get(), core.NewBrowser(), core.NewFrame(), status);
}

void RaiseLoadError(TBrowserCore& core, int error, const std::wstring& text, const std::wstring& url) {
  if (auto h = LoadHandler(core); h && h->on_load_error) {
    cef_string_t error_text = ViewOf(text), failed_url = ViewOf(url);
    h->on_load_error(h.Get(), core.NewBrowser(), core.NewFrame(), static_cast<cef_errorcode_t>(error), Text(error_text),
                     Text(failed_url));
  }
}

void RaiseAddressChange(TBrowserCore& core, const std::wstring& url) {
  if (Misrouted(core, [url](TBrowserCore& c) { RaiseAddressChange(c, url); })) return;
  if (auto h = DisplayHandler(core); h && h->on_address_change) {
    cef_string_t text = ViewOf(url);
    h->on_address_change(h.Get(), core.NewBrowser(), core.NewFrame(), Text(text));
  }
}

void RaiseTitleChange(TBrowserCore& core, const std::wstring& title) {
  if (Misrouted(core, [title](TBrowserCore& c) { RaiseTitleChange(c, title); })) return;
  TJournalLine("title_change").Int("browser", core.Id()).Text("title", title).Write();
  if (auto h = DisplayHandler(core); h && h->on_title_change) {
    cef_string_t text = ViewOf(title);
    h->on_title_change(h.Get(), core.NewBrowser(), Text(text));
  }
}

void RaiseGotFocus(TBrowserCore& core) {
  if (auto h = FocusHandler(core); h && h->on_got_focus) h->on_got_focus(h.Get(), core.NewBrowser());
}

bool AskSetFocus(TBrowserCore& core) {
  if (auto h = FocusHandler(core); h && h->on_set_focus)
    return h->on_set_focus(h.Get(), core.NewBrowser(), FOCUS_SOURCE_SYSTEM) != 0;
  return false;
}

void RaiseKeyEvent(TBrowserCore& core, const MSG& message) {
  auto h = KeyboardHandler(core);
  if (!h) return;
  cef_key_event_t event = {};
  switch (message.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: event.type = KEYEVENT_RAWKEYDOWN; break;
    case WM_KEYUP:
    case WM_SYSKEYUP: event.type = KEYEVENT_KEYUP; break;
    default: event.type = KEYEVENT_CHAR; break;
  }
  event.modifiers = KeyModifiers();
  event.windows_key_code = static_cast<int>(message.wParam);
  event.native_key_code = static_cast<int>(message.lParam);
  event.is_system_key = message.message == WM_SYSKEYDOWN || message.message == WM_SYSKEYUP ? 1 : 0;
  if (event.type == KEYEVENT_CHAR) {
    event.character = static_cast<char16>(message.wParam);
    event.unmodified_character = event.character;
  }
  MSG os_event = message;
  int is_shortcut = 0;
  if (h->on_pre_key_event && h->on_pre_key_event(h.Get(), core.NewBrowser(), &event, &os_event, &is_shortcut)) return;
  if (h->on_key_event) h->on_key_event(h.Get(), core.NewBrowser(), &event, &os_event);
}

bool AskBeforeBrowse(TBrowserCore& core, TRequest& request, bool is_redirect) {
  if (auto h = RequestHandler(core); h && h->on_before_browse)
    return h->on_before_browse(h.Get(), core.NewBrowser(), core.NewFrame(), request.PassOut(), is_redirect ? 1 : 0) != 0;
  return false;
}

cef_return_value_t AskBeforeResourceLoad(TBrowserCore& core, TRequest& request, TRequestCallback& callback) {
  if (auto h = RequestHandler(core); h && h->on_before_resource_load)
    return h->on_before_resource_load(h.Get(), core.NewBrowser(), core.NewFrame(), request.PassOut(),
                                      callback.PassOut());
  return RV_CONTINUE;
}

THeld<cef_resource_handler_t> AskResourceHandler(TBrowserCore& core, TRequest& request) {
  if (auto h = RequestHandler(core); h && h->get_resource_handler)
    return THeld<cef_resource_handler_t>::Adopt(
        h->get_resource_handler(h.Get(), core.NewBrowser(), core.NewFrame(), request.PassOut()), "resource_handler");
  return {};
}

void TellResourceRedirect(TBrowserCore& core, TRequest& request, std::wstring& new_url) {
  auto h = RequestHandler(core);
  if (!h || !h->on_resource_redirect) return;
  cef_string_t url = {};
  cef_string_utf16_set(new_url.c_str(), new_url.size(), &url, 1);
  h->on_resource_redirect(h.Get(), core.NewBrowser(), core.NewFrame(), request.PassOut(), &url);
  new_url = Read(&url);
  cef_string_utf16_clear(&url);
}

void TellResourceResponse(TBrowserCore& core, TRequest& request, TResponse& response) {
  if (auto h = RequestHandler(core); h && h->on_resource_response)
    h->on_resource_response(h.Get(), core.NewBrowser(), core.NewFrame(), request.PassOut(), response.PassOut());
}

bool AskJsDialog(TBrowserCore& core, const std::wstring& origin_url, cef_jsdialog_type_t type,
                 const std::wstring& message, const std::wstring& default_prompt, TJsDialogCallback& callback,
                 bool& suppress) {
  auto h = JsDialogHandler(core);
  if (!h || !h->on_jsdialog) return false;
  cef_string_t origin = ViewOf(origin_url), language = ViewOf(L""), text = ViewOf(message),
               prompt = ViewOf(default_prompt);
  int suppress_message = 0;
  bool handled = h->on_jsdialog(h.Get(), core.NewBrowser(), &origin, &language, type, &text, &prompt,
                                callback.PassOut(), &suppress_message) != 0;
  suppress = suppress_message != 0;
  return handled;
}

bool AskBeforeUnloadDialog(TBrowserCore& core, const std::wstring& message, bool is_reload,
                           TJsDialogCallback& callback) {
  auto h = JsDialogHandler(core);
  if (!h || !h->on_before_unload_dialog) return false;
  cef_string_t text = ViewOf(message);
  return h->on_before_unload_dialog(h.Get(), core.NewBrowser(), &text, is_reload ? 1 : 0, callback.PassOut()) != 0;
}

bool AskAuthCredentials(TBrowserCore& core, bool is_proxy, const std::wstring& host, int port,
                        const std::wstring& realm, const std::wstring& scheme, TAuthCallback& callback) {
  auto h = RequestHandler(core);
  if (!h || !h->get_auth_credentials) return false;
  cef_string_t host_text = ViewOf(host), realm_text = ViewOf(realm), scheme_text = ViewOf(scheme);
  return h->get_auth_credentials(h.Get(), core.NewBrowser(), core.NewFrame(), is_proxy ? 1 : 0, &host_text, port,
                                 &realm_text, &scheme_text, callback.PassOut()) != 0;
}

bool AskCertificateError(TBrowserCore& core, int error, const std::wstring& url, TRequestCallback& callback) {
  auto h = RequestHandler(core);
  if (!h || !h->on_certificate_error) return false;
  cef_string_t address = ViewOf(url);
  // The engine does not hand out the certificate itself; the program gets none to look at.
  return h->on_certificate_error(h.Get(), core.NewBrowser(), static_cast<cef_errorcode_t>(error), &address, nullptr,
                                 callback.PassOut()) != 0;
}

bool AskBeforePopup(TBrowserCore& core, const std::wstring& target_url, const std::wstring& frame_name,
                    bool user_gesture) {
  auto h = LifeSpanHandler(core);
  if (!h || !h->on_before_popup) return false;
  cef_string_t url = ViewOf(target_url), name = ViewOf(frame_name);
  cef_popup_features_t features = {};
  features.menuBarVisible = features.statusBarVisible = features.toolBarVisible = 1;
  features.locationBarVisible = features.scrollbarsVisible = features.resizable = 1;
  cef_window_info_t window_info = {};
  cef_browser_settings_t settings = {};
  settings.size = sizeof settings;
  cef_client_t* client = core.Client().PassOut();
  int no_javascript_access = 0;
  bool cancel = h->on_before_popup(h.Get(), core.NewBrowser(), core.NewFrame(), &url, &name, WOD_NEW_FOREGROUND_TAB,
                                   user_gesture ? 1 : 0, &features, &window_info, &client, &settings,
                                   &no_javascript_access) != 0;
  // The popup gets no browser of its own here: whatever client the program chose goes back.
  THeld<cef_client_t>::Adopt(client, "client").Reset();
  return cancel;
}

void RaiseBeforeDownload(TBrowserCore& core, TDownloadItem& item, const std::wstring& suggested_name,
                         TBeforeDownloadCallback& callback) {
  auto h = DownloadHandler(core);
  if (!h || !h->on_before_download) return;
  cef_string_t name = ViewOf(suggested_name);
  h->on_before_download(h.Get(), core.NewBrowser(), item.PassOut(), &name, callback.PassOut());
}

void RaiseRenderProcessTerminated(TBrowserCore& core, cef_termination_status_t status) {
  if (auto h = RequestHandler(core); h && h->on_render_process_terminated)
    h->on_render_process_terminated(h.Get(), core.NewBrowser(), status);
}

}  // namespace standin
