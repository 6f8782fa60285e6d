#include "http_loader.h"

#include "base64_text.h"
#include "browser_events.h"
#include "callbacks.h"
#include "global_cookies.h"
#include "http_client.h"
#include "http_url.h"
#include "journal.h"
#include "navigation.h"
#include "runtime_threads.h"
#include "text_decoding.h"
#include "transfer_threads.h"
#include "utf.h"

#include <chrono>
#include <cstdlib>
#include <future>
#include <optional>

namespace standin {

namespace {

template <class T>
bool WaitUnlessCancelled(std::future<T>& future, const TNavigation& nav) {
  while (future.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready) {
    if (nav.cancel.Cancelled()) return false;
  }
  return true;
}

// Runs the request handler's redirect callback on the IO thread and waits for it, unless
// the load is cancelled meanwhile.
void RedirectOnIo(const TCoreRef& core, const TNavigationRef& nav, const std::string& from, std::string& to) {
  struct TShared {
    std::wstring to;
    std::promise<void> done;
  };
  auto shared = std::make_shared<TShared>();
  shared->to = FromUtf8(to);
  std::future<void> done = shared->done.get_future();
  bool posted = TRuntimeThreads::Instance().Post(TID_IO, MakeWork([core, nav, shared, from] {
    if (!nav->aborted) {
      TellResourceRedirect(*core, *nav->request, shared->to);
      TJournalLine("load_redirect").Int("browser", core->Id()).Text("from", from).Text("to", shared->to).Write();
      nav->request->SetUrl(shared->to);
    }
    shared->done.set_value();
  }));
  if (!posted || !WaitUnlessCancelled(done, *nav)) return;
  to = ToUtf8(shared->to);

  // The browse decision for the new address is the UI thread's; true stops the load.
  auto verdict = std::make_shared<std::promise<bool>>();
  std::future<bool> cancel = verdict->get_future();
  posted = TRuntimeThreads::Instance().Post(TID_UI, MakeWork([core, nav, verdict] {
    verdict->set_value(!nav->aborted && !core->Closed() && AskBeforeBrowse(*core, *nav->request, true));
  }));
  if (!posted || !WaitUnlessCancelled(cancel, *nav)) return;
  if (cancel.get()) {
    nav->browse_cancelled = true;
    nav->cancel.Cancel();
  }
}

// The realm of a Basic challenge in a 401 answer; empty when it asks for none.
std::optional<std::string> BasicRealm(const net::THttpResult& response) {
  if (response.error != net::TNetError::None || response.head.status != 401) return std::nullopt;
  for (const std::string& challenge : response.head.FindAll("WWW-Authenticate")) {
    if (AsciiLower(FromUtf8(challenge.substr(0, 6))) != L"basic ") continue;
    size_t realm = challenge.find("realm=\"");
    if (realm == std::string::npos) return std::string();
    size_t end = challenge.find('"', realm + 7);
    return challenge.substr(realm + 7, end == std::string::npos ? std::string::npos : end - realm - 7);
  }
  return std::nullopt;
}

// Asks the program on the IO thread, and waits for its answer (which may come later, from any
// thread); the Authorization header to try again with, or empty when it refused.
std::string AskCredentialsOnIo(const TCoreRef& core, const TNavigationRef& nav, const std::string& url,
                               const std::string& realm) {
  auto answer = std::make_shared<std::promise<std::string>>();
  std::future<std::string> header = answer->get_future();
  std::optional<net::THttpUrl> parsed = net::ParseHttpUrl(url);
  if (!parsed) return {};
  bool posted = TRuntimeThreads::Instance().Post(TID_IO, MakeWork([core, nav, answer, parsed, realm] {
    TRef<TAuthCallback> callback = MakeRuntimeObject<TAuthCallback>(
        [answer](bool given, std::wstring user, std::wstring password) {
          answer->set_value(given ? "Basic " + engine::EncodeBase64(ToUtf8(user) + ":" + ToUtf8(password)) : "");
        });
    bool asked = !nav->aborted && AskAuthCredentials(*core, false, FromUtf8(parsed->host), parsed->port,
                                                     FromUtf8(realm), L"basic", *callback);
    TJournalLine("auth_request").Int("browser", core->Id()).Text("origin", parsed->host).Text("realm", realm)
        .Word("by", asked ? "program" : "runtime").Write();
    if (!asked) callback->Refuse();
  }));
  if (!posted || !WaitUnlessCancelled(header, *nav)) return {};
  return header.get();
}

void RunTransfer(const TCoreRef& core, const TNavigationRef& nav, const std::wstring& url) {
  net::THttpRequest request;
  request.url = ToUtf8(url);
  request.read_timeout_ms = HttpReadTimeoutMs();
  request.connect_timeout_ms = std::min(request.read_timeout_ms, 10000);
  for (const auto& [name, value] : nav->request->Headers()) request.headers.push_back({ToUtf8(name), ToUtf8(value)});
  request.headers.push_back({"User-Agent", "Mozilla/5.0 (Windows NT 6.1) StandinRuntime/3.2454"});
  std::shared_ptr<cookies::TCookieStore> store = GlobalCookieStore();
  request.cookie_header_for = [store](const std::string& address) { return store->CookieHeader(address); };
  request.store_cookie = [store](const std::string& address, const std::string& header) {
    bool stored = store->SetFromHeader(address, header);
    std::string name = header.substr(0, std::min(header.find('='), header.find(';')));
    TJournalLine("cookie_set").Word("source", "network").Text("url", address).Text("name", name)
        .Int("result", stored ? 1 : 0).Write();
  };
  request.on_redirect = [core, nav](const std::string& from, std::string& to) { RedirectOnIo(core, nav, from, to); };

  net::THttpResult response = net::HttpGet(request, &nav->cancel);
  // A server that asks for credentials is asked again with the program's, a few times at most;
  // refused, its own 401 page is the page.
  for (int attempt = 0; attempt < 3; ++attempt) {
    std::optional<std::string> realm = BasicRealm(response);
    if (!realm) break;
    std::string address = response.final_url.empty() ? request.url : response.final_url;
    std::string authorization = AskCredentialsOnIo(core, nav, address, *realm);
    if (authorization.empty()) break;
    std::erase_if(request.headers, [](const net::THttpHeader& h) { return AsciiLower(FromUtf8(h.name)) == L"authorization"; });
    request.headers.push_back({"Authorization", authorization});
    request.url = address;
    response = net::HttpGet(request, &nav->cancel);
  }
  TLoadResult result;
  result.error = static_cast<int>(response.error);
  if (nav->browse_cancelled) result.error = ERR_ABORTED;
  result.final_url = FromUtf8(response.final_url);
  if (response.error == net::TNetError::None) {
    result.status = response.head.status;
    result.status_text = FromUtf8(response.head.status_text);
    result.content_type = response.head.Find("Content-Type").value_or("");
    result.mime_type = FromUtf8(page::MimeTypeOf(result.content_type));
    for (const net::THttpHeader& header : response.head.headers)
      result.headers.emplace_back(FromUtf8(header.name), FromUtf8(header.value));
    result.body = std::move(response.body);
  }
  CompleteLoad(core, nav, std::move(result));
}

}  // namespace

int HttpReadTimeoutMs() {
  wchar_t buffer[32];
  DWORD length = GetEnvironmentVariableW(L"STANDIN_RUNTIME_HTTP_TIMEOUT_MS", buffer, 32);
  if (length > 0 && length < 32) {
    int value = _wtoi(buffer);
    if (value > 0) return value;
  }
  return 30000;
}

void StartHttpLoad(const TCoreRef& core, const TNavigationRef& nav, const std::wstring& url) {
  TTransferThreads::Instance().Start([core, nav, url] { RunTransfer(core, nav, url); },
                                     std::shared_ptr<net::TCancelFlag>(nav, &nav->cancel));
}

}  // namespace standin
