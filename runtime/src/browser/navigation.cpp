#include "navigation.h"

#include "browser_events.h"
#include "callbacks.h"
#include "file_loader.h"
#include "http_loader.h"
#include "http_url.h"
#include "journal.h"
#include "page_content.h"
#include "resource_driver.h"
#include "response.h"
#include "runtime_threads.h"
#include "scheme_registry.h"
#include "text_engine.h"
#include "string_view_record.h"
#include "thread_check.h"
#include "url_parser.h"
#include "utf.h"

#include <cmath>

namespace standin {

namespace {

constexpr int kMaxRedirects = 20;

template <class F>
bool PostTo(cef_thread_id_t thread, F&& f, int64_t delay_ms = 0) {
  return TRuntimeThreads::Instance().Post(thread, MakeWork(std::forward<F>(f)), delay_ms);
}

void JournalLoad(const char* keyword, const TBrowserCore& core, const std::wstring& url) {
  TJournalLine(keyword).Int("browser", core.Id()).Text("url", url).Write();
}

std::wstring ErrorText(int error) { return FromUtf8(ErrorName(error)); }

// The loading state goes back to idle once no load of nav's display is left unfinished.
void EndLoadingIfIdle(TBrowserCore& core, const TNavigationRef& nav) {
  auto engine = nav->engine.lock();
  bool idle = !engine || engine->Idle();
  bool raise = false;
  {
    std::lock_guard<std::mutex> lock(core.Lock());
    if (idle && core.LoadingLocked()) {
      core.SetLoadingLocked(false);
      raise = true;
    }
  }
  if (raise) RaiseLoadingStateChange(core, false);
}

bool IsCurrent(const TNavigationRef& nav) {
  auto engine = nav->engine.lock();
  return engine && engine->IsCurrent(nav);
}

void ScheduleRefresh(const TCoreRef& core, const TNavigationRef& nav, const page::TMetaRefresh& refresh,
                     const std::wstring& base) {
  std::wstring target = refresh.url.empty() ? base : FromUtf8(net::ResolveReference(ToUtf8(base), ToUtf8(refresh.url)));
  if (target.empty()) target = refresh.url;
  auto delay = static_cast<int64_t>(std::llround(std::min(refresh.seconds, 86400.0) * 1000));
  TJournalLine("meta_refresh").Int("browser", core->Id()).Text("url", target).Int("delay_ms", delay).Write();
  PostTo(TID_UI, [core, nav, target] {
    // Only while the page that asked for it is still the browser's latest load.
    if (core->Closed() || !IsCurrent(nav)) return;
    core->LoadUrl(target);
  }, delay);
}

// UI thread: the load's last step.
void FinishNavigation(const TCoreRef& core, const TNavigationRef& nav, TLoadResult result) {
  STANDIN_ON_THREAD(TID_UI);
  if (nav->finished || nav->aborted || core->Closed()) return;
  nav->finished = true;
  if (result.error != 0) {
    TJournalLine("load_error").Int("browser", core->Id()).Text("url", result.final_url).Int("error", result.error)
        .Word("name", ErrorName(result.error)).Write();
    core->ShowError(result.final_url, result.error, result.error != ERR_ABORTED);
    RaiseLoadError(*core, result.error, ErrorText(result.error), result.final_url);
    EndLoadingIfIdle(*core, nav);
    return;
  }
  TPageContent content = BuildPageContent(result);
  std::wstring title = content.title.empty() ? result.final_url : content.title;
  if (auto engine = nav->engine.lock()) engine->Commit(result.final_url, nav->history_target);
  core->CommitPage(result.final_url, content.title, std::move(content.paragraphs), std::move(content.source));
  TJournalLine("load_end").Int("browser", core->Id()).Text("url", result.final_url).Int("status", result.status)
      .Text("mime_type", result.mime_type).Int("length", static_cast<int64_t>(result.body.size())).Write();
  RaiseLoadStart(*core);
  RaiseAddressChange(*core, result.final_url);
  RaiseTitleChange(*core, title);
  RaiseLoadEnd(*core, result.status);
  EndLoadingIfIdle(*core, nav);
  if (content.refresh) ScheduleRefresh(core, nav, *content.refresh, result.final_url);
}

TLoadResult AboutPage(const std::wstring& url) {
  TLoadResult result;
  result.final_url = url;
  result.mime_type = L"text/html";
  return result;
}

// IO thread: a request the program's handlers let through goes to its loader.
void ContinueFetch(const TCoreRef& core, const TNavigationRef& nav) {
  STANDIN_ON_THREAD(TID_IO);
  if (nav->aborted) return;
  TRequest& request = *nav->request;
  std::wstring url = request.Url();
  TUrlParts parts;
  if (!ParseUrl(url, parts)) {
    CompleteLoad(core, nav, TLoadResult::Failure(ERR_INVALID_URL, url));
    return;
  }
  if (THeld<cef_resource_handler_t> handler = AskResourceHandler(*core, request)) {
    StartResourceDriver(core, nav, std::move(handler));
    return;
  }
  THeld<cef_scheme_handler_factory_t> factory = THeld<cef_scheme_handler_factory_t>::Adopt(
      TSchemeRegistry::Instance().FindFactory(parts.scheme, parts.host), "scheme_handler_factory");
  if (factory && factory->create) {
    cef_string_t scheme = ViewOf(parts.scheme);
    THeld<cef_resource_handler_t> handler = THeld<cef_resource_handler_t>::Adopt(
        factory->create(factory.Get(), core->NewBrowser(), core->NewFrame(), &scheme, request.PassOut()),
        "resource_handler");
    factory.Reset();
    if (handler) {
      StartResourceDriver(core, nav, std::move(handler));
      return;
    }
  }
  factory.Reset();
  if (parts.scheme == L"http") {
    StartHttpLoad(core, nav, url);
  } else if (parts.scheme == L"file") {
    CompleteLoad(core, nav, LoadFile(url));
  } else if (parts.scheme == L"https") {
    // No TLS in the stand-in.
    CompleteLoad(core, nav, TLoadResult::Failure(ERR_NOT_IMPLEMENTED, url));
  } else {
    CompleteLoad(core, nav, TLoadResult::Failure(ERR_UNKNOWN_URL_SCHEME, url));
  }
}

// IO thread: the program's handlers are asked about the request first.
void FetchNavigation(const TCoreRef& core, const TNavigationRef& nav) {
  if (nav->aborted) return;
  std::wstring url = nav->request->Url();
  if (AsciiLower(url.substr(0, 6)) == L"about:") {
    CompleteLoad(core, nav, AboutPage(url));
    return;
  }
  auto answered = std::make_shared<std::atomic<bool>>(false);
  auto answer = [core, nav, answered](bool allow) {
    if (answered->exchange(true)) return;
    PostTo(TID_IO, [core, nav, allow] {
      if (allow) {
        ContinueFetch(core, nav);
      } else {
        CompleteLoad(core, nav, TLoadResult::Failure(ERR_ABORTED, nav->request->Url()));
      }
    });
  };
  TRef<TRequestCallback> callback = MakeRuntimeObject<TRequestCallback>(answer);
  cef_return_value_t verdict = AskBeforeResourceLoad(*core, *nav->request, *callback);
  if (verdict == RV_CONTINUE_ASYNC) return;  // the callback carries on
  if (answered->exchange(true)) return;      // answered through the callback already
  if (verdict == RV_CANCEL) {
    CompleteLoad(core, nav, TLoadResult::Failure(ERR_ABORTED, nav->request->Url()));
  } else {
    ContinueFetch(core, nav);
  }
}

}  // namespace

namespace {

struct TErrorName {
  int code;
  const char* name;
};

const TErrorName kErrorNames[] = {
    {ERR_FAILED, "ERR_FAILED"},
    {ERR_ABORTED, "ERR_ABORTED"},
    {ERR_INVALID_ARGUMENT, "ERR_INVALID_ARGUMENT"},
    {ERR_INVALID_HANDLE, "ERR_INVALID_HANDLE"},
    {ERR_FILE_NOT_FOUND, "ERR_FILE_NOT_FOUND"},
    {ERR_TIMED_OUT, "ERR_TIMED_OUT"},
    {ERR_FILE_TOO_BIG, "ERR_FILE_TOO_BIG"},
    {ERR_UNEXPECTED, "ERR_UNEXPECTED"},
    {ERR_ACCESS_DENIED, "ERR_ACCESS_DENIED"},
    {ERR_NOT_IMPLEMENTED, "ERR_NOT_IMPLEMENTED"},
    {ERR_CONNECTION_CLOSED, "ERR_CONNECTION_CLOSED"},
    {ERR_CONNECTION_RESET, "ERR_CONNECTION_RESET"},
    {ERR_CONNECTION_REFUSED, "ERR_CONNECTION_REFUSED"},
    {ERR_CONNECTION_ABORTED, "ERR_CONNECTION_ABORTED"},
    {ERR_CONNECTION_FAILED, "ERR_CONNECTION_FAILED"},
    {ERR_NAME_NOT_RESOLVED, "ERR_NAME_NOT_RESOLVED"},
    {ERR_INTERNET_DISCONNECTED, "ERR_INTERNET_DISCONNECTED"},
    {ERR_SSL_PROTOCOL_ERROR, "ERR_SSL_PROTOCOL_ERROR"},
    {ERR_ADDRESS_INVALID, "ERR_ADDRESS_INVALID"},
    {ERR_ADDRESS_UNREACHABLE, "ERR_ADDRESS_UNREACHABLE"},
    {ERR_SSL_CLIENT_AUTH_CERT_NEEDED, "ERR_SSL_CLIENT_AUTH_CERT_NEEDED"},
    {ERR_TUNNEL_CONNECTION_FAILED, "ERR_TUNNEL_CONNECTION_FAILED"},
    {ERR_NO_SSL_VERSIONS_ENABLED, "ERR_NO_SSL_VERSIONS_ENABLED"},
    {ERR_SSL_VERSION_OR_CIPHER_MISMATCH, "ERR_SSL_VERSION_OR_CIPHER_MISMATCH"},
    {ERR_SSL_RENEGOTIATION_REQUESTED, "ERR_SSL_RENEGOTIATION_REQUESTED"},
    {ERR_CERT_COMMON_NAME_INVALID, "ERR_CERT_COMMON_NAME_INVALID"},
    {ERR_CERT_DATE_INVALID, "ERR_CERT_DATE_INVALID"},
    {ERR_CERT_AUTHORITY_INVALID, "ERR_CERT_AUTHORITY_INVALID"},
    {ERR_CERT_CONTAINS_ERRORS, "ERR_CERT_CONTAINS_ERRORS"},
    {ERR_CERT_NO_REVOCATION_MECHANISM, "ERR_CERT_NO_REVOCATION_MECHANISM"},
    {ERR_CERT_UNABLE_TO_CHECK_REVOCATION, "ERR_CERT_UNABLE_TO_CHECK_REVOCATION"},
    {ERR_CERT_REVOKED, "ERR_CERT_REVOKED"},
    {ERR_CERT_INVALID, "ERR_CERT_INVALID"},
    {ERR_CERT_END, "ERR_CERT_END"},
    {ERR_INVALID_URL, "ERR_INVALID_URL"},
    {ERR_DISALLOWED_URL_SCHEME, "ERR_DISALLOWED_URL_SCHEME"},
    {ERR_UNKNOWN_URL_SCHEME, "ERR_UNKNOWN_URL_SCHEME"},
    {ERR_TOO_MANY_REDIRECTS, "ERR_TOO_MANY_REDIRECTS"},
    {ERR_UNSAFE_REDIRECT, "ERR_UNSAFE_REDIRECT"},
    {ERR_UNSAFE_PORT, "ERR_UNSAFE_PORT"},
    {ERR_INVALID_RESPONSE, "ERR_INVALID_RESPONSE"},
    {ERR_INVALID_CHUNKED_ENCODING, "ERR_INVALID_CHUNKED_ENCODING"},
    {ERR_METHOD_NOT_SUPPORTED, "ERR_METHOD_NOT_SUPPORTED"},
    {ERR_UNEXPECTED_PROXY_AUTH, "ERR_UNEXPECTED_PROXY_AUTH"},
    {ERR_EMPTY_RESPONSE, "ERR_EMPTY_RESPONSE"},
    {ERR_RESPONSE_HEADERS_TOO_BIG, "ERR_RESPONSE_HEADERS_TOO_BIG"},
    {ERR_CACHE_MISS, "ERR_CACHE_MISS"},
    {ERR_INSECURE_RESPONSE, "ERR_INSECURE_RESPONSE"},
};

}  // namespace

const char* ErrorName(int error) {
  if (error == ERR_NONE) return "OK";
  for (const TErrorName& entry : kErrorNames)
    if (entry.code == error) return entry.name;
  return "ERR_FAILED";
}

int ErrorCodeOfName(std::string_view name) {
  if (name.substr(0, 5) == "net::") name.remove_prefix(5);
  for (const TErrorName& entry : kErrorNames)
    if (name == entry.name) return entry.code;
  // The engine knows more certificate and TLS failures than the runtime's table.
  if (name.substr(0, 9) == "ERR_CERT_") return ERR_CERT_INVALID;
  if (name.substr(0, 8) == "ERR_SSL_") return ERR_SSL_PROTOCOL_ERROR;
  return ERR_FAILED;
}

void BeginNavigation(const TCoreRef& core, const TNavigationRef& nav) {
  STANDIN_ON_THREAD(TID_UI);
  if (nav->aborted || core->Closed()) return;
  nav->request = MakeRuntimeObject<TRequest>();
  nav->request->SetUrl(nav->url);
  if (!nav->html && AskBeforeBrowse(*core, *nav->request, false)) {
    nav->finished = true;
    TJournalLine("load_error").Int("browser", core->Id()).Text("url", nav->url).Int("error", ERR_ABORTED)
        .Word("name", "ERR_ABORTED").Word("by", "on_before_browse").Write();
    RaiseLoadError(*core, ERR_ABORTED, ErrorText(ERR_ABORTED), nav->url);
    EndLoadingIfIdle(*core, nav);
    return;
  }
  if (nav->aborted) return;
  bool was_loading;
  {
    std::lock_guard<std::mutex> lock(core->Lock());
    was_loading = core->LoadingLocked();
    core->SetLoadingLocked(true);
  }
  if (!was_loading) RaiseLoadingStateChange(*core, true);
  nav->started = true;
  // The program hears on_load_start when the page commits (FinishNavigation).
  JournalLoad("load_start", *core, nav->url);
  if (nav->html) {
    TLoadResult result;
    result.final_url = nav->url;
    result.mime_type = L"text/html";
    result.content_type = "text/html; charset=utf-8";
    result.body = *nav->html;
    PostTo(TID_UI, [core, nav, result = std::move(result)]() mutable { FinishNavigation(core, nav, std::move(result)); });
    return;
  }
  if (!PostTo(TID_IO, [core, nav] { FetchNavigation(core, nav); })) nav->finished = true;
}

void AbortNavigation(const TCoreRef& core, const TNavigationRef& nav, bool silent) {
  if (nav->aborted.exchange(true)) return;
  nav->cancel.Cancel();
  std::shared_ptr<TResourceDriver> driver;
  {
    std::lock_guard<std::mutex> lock(nav->driver_lock);
    driver = nav->driver;
  }
  if (driver) driver->Abort();
  if (silent) return;
  PostTo(TID_UI, [core, nav] {
    if (!nav->started || nav->finished || core->Closed()) return;
    nav->finished = true;
    TJournalLine("load_error").Int("browser", core->Id()).Text("url", nav->url).Int("error", ERR_ABORTED)
        .Word("name", "ERR_ABORTED").Write();
    RaiseLoadError(*core, ERR_ABORTED, ErrorText(ERR_ABORTED), nav->url);
    EndLoadingIfIdle(*core, nav);
  });
}

void CompleteLoad(const TCoreRef& core, const TNavigationRef& nav, TLoadResult result) {
  if (nav->aborted) return;
  if (!TRuntimeThreads::Instance().CurrentlyOn(TID_IO)) {
    PostTo(TID_IO, [core, nav, result = std::move(result)]() mutable { CompleteLoad(core, nav, std::move(result)); });
    return;
  }
  {
    std::lock_guard<std::mutex> lock(nav->driver_lock);
    nav->driver.reset();
  }
  if (result.error == 0 && !result.redirect_to.empty()) {
    if (++nav->redirects > kMaxRedirects) {
      CompleteLoad(core, nav, TLoadResult::Failure(ERR_TOO_MANY_REDIRECTS, result.redirect_to));
      return;
    }
    std::wstring next = result.redirect_to;
    TellResourceRedirect(*core, *nav->request, next);
    TJournalLine("load_redirect").Int("browser", core->Id()).Text("from", nav->request->Url()).Text("to", next).Write();
    nav->request->SetUrl(next);
    // The browse decision for the new address is the UI thread's; the load goes on on IO.
    PostTo(TID_UI, [core, nav] {
      if (nav->aborted || core->Closed()) return;
      bool cancel = AskBeforeBrowse(*core, *nav->request, true);
      PostTo(TID_IO, [core, nav, cancel] {
        if (cancel) {
          CompleteLoad(core, nav, TLoadResult::Failure(ERR_ABORTED, nav->request->Url()));
        } else {
          ContinueFetch(core, nav);
        }
      });
    });
    return;
  }
  if (result.error == 0) {
    TRef<TResponse> response = MakeRuntimeObject<TResponse>();
    response->Fill(result.status, result.status_text, result.mime_type, result.headers);
    response->SetReadOnly(true);
    TellResourceResponse(*core, *nav->request, *response);
  }
  PostTo(TID_UI, [core, nav, result = std::move(result)]() mutable { FinishNavigation(core, nav, std::move(result)); });
}

}  // namespace standin
