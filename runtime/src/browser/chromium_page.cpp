#include "chromium_page.h"

#include "base64_text.h"
#include "browser_events.h"
#include "callbacks.h"
#include "engine_address.h"
#include "engine_text.h"
#include "frame_decoder.h"
#include "input_events.h"
#include "journal.h"
#include "load_result.h"
#include "request.h"
#include "resource_driver.h"
#include "runtime_threads.h"
#include "scheme_registry.h"
#include "string_view_record.h"
#include "url_parser.h"
#include "utf.h"

#include <windowsx.h>

namespace standin {

namespace {

constexpr int kCreateTimeoutMs = 5000;

// The engine does not tell of titles a page's script sets after its load; every page of the
// target reports its title through this binding whenever it changes.
constexpr const char* kTitleBinding = "__standinTitle";
constexpr const char* kTitleWatch =
    "if (window === window.top) (() => { let last = null;"
    " const report = () => { if (document.title !== last) { last = document.title; __standinTitle(last); } };"
    " new MutationObserver(report).observe(document, {subtree: true, childList: true, characterData: true}); })();";

using engine::json;

std::wstring ProgramAddress(const std::string& engine_url) { return engine::FromEngineAddress(FromUtf8(engine_url)); }
std::string EngineAddress(const std::wstring& url) { return ToUtf8(engine::ToEngineAddress(url)); }

json ScreencastParams(int width, int height) {
  return {{"format", "png"}, {"maxWidth", std::max(width, 1)}, {"maxHeight", std::max(height, 1)}, {"everyNthFrame", 1}};
}

json MetricsParams(int width, int height) {
  return {{"width", std::max(width, 1)}, {"height", std::max(height, 1)}, {"deviceScaleFactor", 1}, {"mobile", false}};
}

// What the engine is told when the program's handler fails a request.
const char* FetchErrorReason(int error) {
  switch (error) {
    case ERR_ABORTED: return "Aborted";
    case ERR_TIMED_OUT: return "TimedOut";
    case ERR_ACCESS_DENIED: return "AccessDenied";
    case ERR_CONNECTION_CLOSED: return "ConnectionClosed";
    case ERR_CONNECTION_RESET: return "ConnectionReset";
    case ERR_CONNECTION_REFUSED: return "ConnectionRefused";
    case ERR_NAME_NOT_RESOLVED: return "NameNotResolved";
    case ERR_FILE_NOT_FOUND: return "Failed";
    default: return "Failed";
  }
}

SIZE ClientSize(HWND window) {
  RECT client = {};
  if (window) GetClientRect(window, &client);
  return {client.right - client.left, client.bottom - client.top};
}

}  // namespace

template <class F>
void TChromiumPage::PostUi(F&& f) {
  TRuntimeThreads::Instance().Post(TID_UI, MakeWork(std::forward<F>(f)));
}

std::shared_ptr<TChromiumPage> TChromiumPage::Create(const TCoreRef& core, TConnectionRef connection,
                                                     bool hold_frames) {
  SIZE size = ClientSize(core->Window());
  engine::TReply target = connection->CallAndWait(
      "Target.createTarget", {{"url", "about:blank"}}, "", kCreateTimeoutMs);
  std::string target_id = target.ok ? target.result.value("targetId", "") : "";
  if (target_id.empty()) {
    // The browser shows the text display instead; the journal says why.
    TJournalLine("engine_target").Int("browser", core->Id()).Word("result", "failed").Word("step", "create")
        .Text("answer", target.result.dump()).Write();
    return nullptr;
  }
  engine::TReply attached = connection->CallAndWait(
      "Target.attachToTarget", {{"targetId", target_id}, {"flatten", true}}, "", kCreateTimeoutMs);
  std::string session = attached.ok ? attached.result.value("sessionId", "") : "";
  if (session.empty()) {
    TJournalLine("engine_target").Int("browser", core->Id()).Word("result", "failed").Word("step", "attach")
        .Text("answer", attached.result.dump()).Write();
    connection->Call("Target.closeTarget", {{"targetId", target_id}}, "");
    return nullptr;
  }
  auto page = std::make_shared<TChromiumPage>(core, connection, target_id, session);
  page->FHoldFrames = hold_frames;
  page->Start(size.cx, size.cy);
  TJournalLine("engine_target").Int("browser", core->Id()).Text("target", target_id).Write();
  return page;
}

TChromiumPage::TChromiumPage(const TCoreRef& core, TConnectionRef connection, std::string target, std::string session)
    : FCore(core), FConnection(std::move(connection)), FTarget(std::move(target)), FSession(std::move(session)) {}

void TChromiumPage::Start(int width, int height) {
  std::weak_ptr<TChromiumPage> weak = weak_from_this();
  auto forward = [weak](const std::string& method, const json& params) {
    if (auto self = weak.lock()) self->OnEvent(method, params);
  };
  FConnection->Listen(FSession, forward);
  TChromiumEngine::Instance().ListenToTarget(FTarget, forward);
  Send("Page.enable", {});
  Send("Network.enable", {});
  Send("Runtime.enable", {});
  Send("Runtime.addBinding", {{"name", kTitleBinding}});
  Send("Page.addScriptToEvaluateOnNewDocument", {{"source", kTitleWatch}});
  // The program's schemes, and every main document (the program decides about navigations).
  Send("Fetch.enable", {{"patterns", json::array({{{"urlPattern", "*"}, {"resourceType", "Document"}},
                                                  {{"urlPattern", engine::MappedAddressPattern()}}})}});
  Send("Emulation.setFocusEmulationEnabled", {{"enabled", true}});
  Send("Emulation.setDeviceMetricsOverride", MetricsParams(width, height));
  Send("Page.startScreencast", ScreencastParams(width, height));
  // The target's own first document must be in place before the first navigation: the engine's
  // renderer dies when that one is replaced while it still loads. The first evaluation answers
  // once it is.
  auto self = shared_from_this();
  FConnection->Call("Runtime.evaluate", {{"expression", "document.readyState"}}, FSession,
                    [self](const engine::TReply&) { self->TargetReady(); });
}

void TChromiumPage::TargetReady() {
  std::string waiting;
  {
    std::lock_guard<std::mutex> lock(FLock);
    FReady = true;
    waiting = std::exchange(FWaitingAddress, std::string());
  }
  if (!waiting.empty()) Navigate(waiting, FSerial);
}

void TChromiumPage::Navigate(const std::string& address, uint64_t serial) {
  {
    std::lock_guard<std::mutex> lock(FLock);
    if (!FReady) {
      FWaitingAddress = address;
      return;
    }
  }
  auto self = shared_from_this();
  FConnection->Call("Page.navigate", {{"url", address}}, FSession, [self, serial](const engine::TReply& reply) {
    std::string error = reply.ok ? reply.result.value("errorText", "") : "net::ERR_CONNECTION_CLOSED";
    if (error.empty()) return;
    int code = ErrorCodeOfName(error);
    self->PostUi([self, serial, code] { self->FailLoad(serial, code, false); });
  });
}

void TChromiumPage::Send(const std::string& method, json params) {
  FConnection->Call(method, std::move(params), FSession);
}

// ---- The program's calls --------------------------------------------------------------

void TChromiumPage::Load(std::wstring url) {
  auto self = shared_from_this();
  PostUi([self, url = std::move(url)] { self->NavigateOwn(url, false); });
}

void TChromiumPage::LoadHtml(std::wstring html, std::wstring url) {
  std::string address = EngineAddress(url);
  // The engine asks the runtime for http and https documents only; a page given for another
  // address (about:, data:, file:) could not be handed to it.
  if (address.rfind("http://", 0) != 0 && address.rfind("https://", 0) != 0) {
    JournalNeutral("load_string", "address_not_served");
    return;
  }
  {
    std::lock_guard<std::mutex> lock(FLock);
    FHtml[FromUtf8(address)] = ToUtf8(html);
  }
  auto self = shared_from_this();
  PostUi([self, url = std::move(url)] { self->NavigateOwn(url, true); });
}

void TChromiumPage::NavigateOwn(std::wstring url, bool html) {
  auto core = FCore.lock();
  if (!core || FClosed) return;
  if (!html) {
    TRef<TRequest> request = MakeRuntimeObject<TRequest>();
    request->SetUrl(url);
    if (AskBeforeBrowse(*core, *request, false)) {
      TJournalLine("load_error").Int("browser", core->Id()).Text("url", url).Int("error", ERR_ABORTED)
          .Word("name", "ERR_ABORTED").Word("by", "on_before_browse").Write();
      RaiseLoadError(*core, ERR_ABORTED, FromUtf8(ErrorName(ERR_ABORTED)), url);
      return;
    }
  }
  EndReplacedLoad();
  BeginLoad(url);
  std::string address = EngineAddress(url);
  {
    std::lock_guard<std::mutex> lock(FLock);
    FOwnAddress = FromUtf8(address);
    // A page given by load_string stays for reloads and history until the address is loaded.
    if (!html) FHtml.erase(FOwnAddress);
  }
  Navigate(address, FSerial);
}

void TChromiumPage::Stop() {
  {
    std::lock_guard<std::mutex> lock(FLock);
    FWaitingAddress.clear();
  }
  Send("Page.stopLoading", {});
}

void TChromiumPage::Reload() { Send("Page.reload", {}); }
void TChromiumPage::GoBack() { StepHistory(-1); }
void TChromiumPage::GoForward() { StepHistory(1); }

// The engine's own history (its entries, not the page's script, which may have replaced
// history.back); a step past either end stays neutral.
void TChromiumPage::StepHistory(int step) {
  auto self = shared_from_this();
  FConnection->Call("Page.getNavigationHistory", {}, FSession, [self, step](const engine::TReply& reply) {
    const json entries = reply.ok ? reply.result.value("entries", json::array()) : json::array();
    int index = (reply.ok ? reply.result.value("currentIndex", 0) : 0) + step;
    if (index < 0 || index >= static_cast<int>(entries.size())) {
      self->JournalNeutral(step < 0 ? "go_back" : "go_forward", "no_history_entry");
      return;
    }
    self->Send("Page.navigateToHistoryEntry", {{"entryId", entries[static_cast<size_t>(index)].value("id", 0)}});
  });
}

void TChromiumPage::JournalNeutral(const char* operation, const char* reason) {
  auto core = FCore.lock();
  TJournalLine("engine_neutral").Int("browser", core ? core->Id() : 0).Word("operation", operation)
      .Word("reason", reason).Write();
}

bool TChromiumPage::CanGoBack() const {
  std::lock_guard<std::mutex> lock(FLock);
  return FHistoryIndex > 0;
}

bool TChromiumPage::CanGoForward() const {
  std::lock_guard<std::mutex> lock(FLock);
  return FHistoryIndex + 1 < FHistoryCount;
}

void TChromiumPage::ExecuteScript(std::wstring code, std::wstring) {
  auto self = shared_from_this();
  FConnection->Call("Runtime.evaluate", {{"expression", ToUtf8(code)}}, FSession, [self](const engine::TReply& reply) {
    // The page's console is nobody's to read here; the journal keeps what went wrong.
    if (reply.ok && !reply.result.contains("exceptionDetails")) return;
    const json details = reply.result.value("exceptionDetails", json::object());
    auto core = self->FCore.lock();
    TJournalLine("script_error").Int("browser", core ? core->Id() : 0)
        .Text("text", FromUtf8(details.value("exception", json::object()).value("description", details.value("text", ""))))
        .Write();
  });
}

void TChromiumPage::Evaluate(const std::wstring& expression, std::function<void(std::wstring)> visit) {
  auto self = shared_from_this();
  FConnection->Call("Runtime.evaluate", {{"expression", ToUtf8(expression)}, {"returnByValue", true}}, FSession,
                    [self, visit = std::move(visit)](const engine::TReply& reply) {
                      json value = reply.ok ? reply.result.value("result", json::object()).value("value", json()) : json();
                      if (!value.is_string()) self->JournalNeutral("visit", "no_document");
                      std::wstring text = value.is_string() ? FromUtf8(value.get<std::string>()) : std::wstring();
                      self->PostUi([visit, text] { visit(text); });
                    });
}

void TChromiumPage::VisitSource(std::function<void(std::wstring)> visit) {
  Evaluate(L"document.documentElement ? document.documentElement.outerHTML : ''", std::move(visit));
}

void TChromiumPage::VisitText(std::function<void(std::wstring)> visit) {
  Evaluate(L"document.body ? document.body.innerText : ''", std::move(visit));
}

void TChromiumPage::WindowInput(UINT message, WPARAM wparam, LPARAM lparam) {
  auto core = FCore.lock();
  if (!core || FClosed) return;
  POINT point = {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  if (message == WM_MOUSEWHEEL || message == WM_MOUSEHWHEEL) ScreenToClient(core->Window(), &point);
  engine::TInputCommand command = engine::InputCommandOf(message, wparam, point, engine::CurrentModifiers());
  if (!command.method.empty()) Send(command.method, std::move(command.params));
}

void TChromiumPage::WindowResized(int width, int height) {
  if (FClosed || width <= 0 || height <= 0) return;
  Send("Emulation.setDeviceMetricsOverride", MetricsParams(width, height));
  Send("Page.stopScreencast", {});
  Send("Page.startScreencast", ScreencastParams(width, height));
}

void TChromiumPage::Close() {
  if (FClosed.exchange(true)) return;
  FConnection->StopListening(FSession);
  TChromiumEngine::Instance().StopListeningToTarget(FTarget);
  FConnection->Call("Target.closeTarget", {{"targetId", FTarget}}, "");
}

// ---- Loads as the program hears of them (UI thread) ------------------------------------

// A load still in flight ends as a new one replaces it: one whose page is in place has loaded
// (its page goes on to the next before its own load event), one still waiting is aborted.
void TChromiumPage::EndReplacedLoad() {
  if (!FLoading) return;
  if (FCommitted) {
    FinishLoad(FSerial, FLoadTitle);
  } else {
    FailLoad(FSerial, ERR_ABORTED, false);
  }
}

void TChromiumPage::BeginLoad(const std::wstring& url) {
  auto core = FCore.lock();
  if (!core) return;
  ++FSerial;
  FStatus = 0;
  FCommitted = false;
  FLoadTitle.clear();
  FLoadUrl = url;
  bool was_loading = FLoading;
  FLoading = true;
  {
    std::lock_guard<std::mutex> lock(core->Lock());
    core->SetLoadingLocked(true);
  }
  if (!was_loading) RaiseLoadingStateChange(*core, true);
  TJournalLine("load_start").Int("browser", core->Id()).Text("url", url).Write();
  RaiseLoadStart(*core);
}

void TChromiumPage::FinishLoad(uint64_t serial, const std::wstring& title) {
  auto core = FCore.lock();
  if (!core || FClosed || !FLoading || serial != FSerial) return;
  FLoading = false;
  TJournalLine("load_end").Int("browser", core->Id()).Text("url", FUrl).Int("status", FStatus).Write();
  RaiseTitle(title);
  RaiseLoadEnd(*core, FStatus);
  {
    std::lock_guard<std::mutex> lock(core->Lock());
    core->SetLoadingLocked(false);
  }
  RaiseLoadingStateChange(*core, false);
  LoadEnded(true);
}

void TChromiumPage::FailLoad(uint64_t serial, int error, bool by_browse) {
  auto core = FCore.lock();
  if (!core || FClosed || !FLoading || serial != FSerial) return;
  FLoading = false;
  const std::wstring url = FLoadUrl;
  TJournalLine line("load_error");
  line.Int("browser", core->Id()).Text("url", url).Int("error", error).Word("name", ErrorName(error));
  if (by_browse) line.Word("by", "on_before_browse");
  line.Write();
  RaiseLoadError(*core, error, FromUtf8(ErrorName(error)), url);
  {
    std::lock_guard<std::mutex> lock(core->Lock());
    core->SetLoadingLocked(false);
  }
  RaiseLoadingStateChange(*core, false);
  LoadEnded(false);
}

void TChromiumPage::RaiseTitle(std::wstring title) {
  auto core = FCore.lock();
  if (!core) return;
  // A page without a title is named by its address, the program's form of it.
  std::wstring engine_url = engine::ToEngineAddress(FUrl);
  if (title.empty() || title == engine_url || L"http://" + title == engine_url) title = FUrl;
  if (title == FTitle) return;
  FTitle = title;
  RaiseTitleChange(*core, title);
}

void TChromiumPage::CommitAddress(const std::wstring& address) {
  auto core = FCore.lock();
  if (!core || FClosed) return;
  FCommitted = FLoading;
  FUrl = address;
  core->CommitAddress(address);
  RaiseAddressChange(*core, address);
}

void TChromiumPage::RefreshHistory() {
  auto self = shared_from_this();
  FConnection->Call("Page.getNavigationHistory", {}, FSession, [self](const engine::TReply& reply) {
    if (!reply.ok) return;
    std::lock_guard<std::mutex> lock(self->FLock);
    self->FHistoryIndex = reply.result.value("currentIndex", 0);
    self->FHistoryCount = static_cast<int>(reply.result.value("entries", json::array()).size());
  });
}

// The engine's last picture gives way to the runtime's own error page.
void TChromiumPage::ShowErrorPage(TBrowserCore& core, int error) {
  TJournalLine("error_page").Int("browser", core.Id()).Text("url", FUrl).Int("error", error).Write();
  core.ShowPicture(nullptr);
  core.ShowError(FUrl, error, true);
}

// The engine's renderer of this page died; the engine itself lives on and can load again.
void TChromiumPage::PageCrashed() {
  auto core = FCore.lock();
  if (!core || FClosed) return;
  TJournalLine("engine_page_crashed").Int("browser", core->Id()).Text("url", FUrl).Write();
  FailLoad(FSerial, ERR_FAILED, false);
  ShowErrorPage(*core, ERR_FAILED);
}

void TChromiumPage::EngineEnded() {
  auto core = FCore.lock();
  if (!core || FClosed) return;
  FailLoad(FSerial, ERR_CONNECTION_CLOSED, false);
  ShowErrorPage(*core, ERR_CONNECTION_CLOSED);
}

// ---- The engine's events (receiving thread) ---------------------------------------------

void TChromiumPage::OnEvent(const std::string& method, const json& params) {
  if (FClosed) return;
  auto self = shared_from_this();
  if (method == "Page.screencastFrame") {
    OnFrame(params);
  } else if (method == "Fetch.requestPaused") {
    OnRequestPaused(params);
  } else if (method == "Network.requestWillBeSent") {
    if (params.value("type", "") == "Document" && params.value("frameId", "") == FTarget) {
      std::lock_guard<std::mutex> lock(FLock);
      FDocumentRequest = params.value("requestId", "");
    }
  } else if (method == "Network.responseReceived" || method == "Network.loadingFailed") {
    {
      std::lock_guard<std::mutex> lock(FLock);
      if (params.value("requestId", "") != FDocumentRequest) return;
    }
    uint64_t serial = FSerial;
    if (method == "Network.responseReceived") {
      int status = params.value("response", json::object()).value("status", 0);
      PostUi([self, status] { self->FStatus = status; });
    } else {
      int error = params.value("canceled", false) ? ERR_ABORTED : ErrorCodeOfName(params.value("errorText", ""));
      PostUi([self, serial, error] { self->FailLoad(serial, error, false); });
    }
  } else if (method == "Page.frameNavigated") {
    // The main frame's new page is in place (the final address after redirects; also pages
    // that come without a response, such as about:blank). An error page commits nothing.
    const json frame = params.value("frame", json::object());
    if (frame.value("id", "") != FTarget || frame.contains("parentId") || frame.contains("unreachableUrl")) return;
    std::wstring address = ProgramAddress(frame.value("url", "") + frame.value("urlFragment", ""));
    PostUi([self, address] { self->CommitAddress(address); });
    RefreshHistory();
  } else if (method == "Page.navigatedWithinDocument") {
    if (params.value("frameId", "") != FTarget) return;
    std::wstring address = ProgramAddress(params.value("url", ""));
    PostUi([self, address] { self->CommitAddress(address); });
    RefreshHistory();
  } else if (method == "Page.loadEventFired") {
    // The engine's history may take the new entry only after the page said it was in place.
    RefreshHistory();
    uint64_t serial = FSerial;
    Evaluate(L"document.title", [self, serial](std::wstring title) { self->FinishLoad(serial, title); });
  } else if (method == "Target.targetInfoChanged" ||
             (method == "Runtime.bindingCalled" && params.value("name", "") == kTitleBinding)) {
    // Titles the page sets later, by script.
    std::wstring title = FromUtf8(method == "Runtime.bindingCalled"
                                      ? params.value("payload", "")
                                      : params.value("targetInfo", json::object()).value("title", ""));
    PostUi([self, title] {
      if (self->FLoading) {
        self->FLoadTitle = title;
      } else if (!self->FClosed && !self->FUrl.empty()) {
        self->RaiseTitle(title);
      }
    });
  } else if (method == "Engine.ended") {
    PostUi([self] { self->EngineEnded(); });
  } else if (method == "Inspector.targetCrashed") {
    PostUi([self] { self->PageCrashed(); });
  }
}

void TChromiumPage::OnFrame(const json& params) {
  Send("Page.screencastFrameAck", {{"sessionId", params.value("sessionId", 0)}});
  std::string bytes;
  auto picture = std::make_shared<page::TPagePicture>();
  engine::TFrameImage image;
  if (!engine::DecodeBase64(params.value("data", ""), bytes) || !engine::DecodeImage(bytes, image)) return;
  picture->width = image.width;
  picture->height = image.height;
  picture->bgra = std::move(image.bgra);
  auto self = shared_from_this();
  PostUi([self, picture] {
    auto core = self->FCore.lock();
    if (core && !self->FClosed) self->Present(*core, picture);
  });
}

void TChromiumPage::OnRequestPaused(const json& params) {
  auto self = shared_from_this();
  bool main_document = params.value("resourceType", "") == "Document" && params.value("frameId", "") == FTarget;
  if (!main_document) {
    TRuntimeThreads::Instance().Post(TID_IO, MakeWork([self, params] { self->ServeRequest(params); }));
    return;
  }
  std::wstring address = FromUtf8(params.value("request", json::object()).value("url", ""));
  bool own;
  {
    std::lock_guard<std::mutex> lock(FLock);
    // The program's own load was decided on already; its redirects and the page's own
    // navigations are the program's to allow.
    own = !params.contains("redirectedRequestId") && address == FOwnAddress;
    if (own) FOwnAddress.clear();
  }
  PostUi([self, params, own] { self->BrowseDecision(params, own); });
}

void TChromiumPage::BrowseDecision(json params, bool own) {
  auto core = FCore.lock();
  if (!core || FClosed) return;
  std::string request_id = params.value("requestId", "");
  if (!own) {
    bool redirect = params.contains("redirectedRequestId");
    std::wstring url = ProgramAddress(params.value("request", json::object()).value("url", ""));
    TRef<TRequest> request = MakeRuntimeObject<TRequest>();
    request->SetUrl(url);
    if (redirect) {
      TJournalLine("load_redirect").Int("browser", core->Id()).Text("from", FUrl).Text("to", url).Write();
    }
    if (AskBeforeBrowse(*core, *request, redirect)) {
      Send("Fetch.failRequest", {{"requestId", request_id}, {"errorReason", "Aborted"}});
      if (FLoading) {
        FailLoad(FSerial, ERR_ABORTED, true);
      } else {
        TJournalLine("load_error").Int("browser", core->Id()).Text("url", url).Int("error", ERR_ABORTED)
            .Word("name", "ERR_ABORTED").Word("by", "on_before_browse").Write();
        RaiseLoadError(*core, ERR_ABORTED, FromUtf8(ErrorName(ERR_ABORTED)), url);
      }
      return;
    }
    if (!redirect) {
      EndReplacedLoad();
      BeginLoad(url);
    }
  }
  auto self = shared_from_this();
  TRuntimeThreads::Instance().Post(TID_IO, MakeWork([self, params] { self->ServeRequest(params); }));
}

// ---- Requests the program serves (IO thread) --------------------------------------------

void TChromiumPage::ServeRequest(json params) {
  auto core = FCore.lock();
  std::string request_id = params.value("requestId", "");
  if (!core || FClosed) return;
  std::wstring engine_url = FromUtf8(params.value("request", json::object()).value("url", ""));
  std::string html;
  bool has_html = false;
  {
    std::lock_guard<std::mutex> lock(FLock);
    if (auto it = FHtml.find(engine_url); it != FHtml.end()) {
      html = it->second;
      has_html = true;
    }
  }
  if (has_html) {
    TLoadResult result;
    result.status = 200;
    result.mime_type = L"text/html";
    result.body = std::move(html);
    Fulfil(request_id, result);
    return;
  }
  TRef<TRequest> request = MakeRuntimeObject<TRequest>();
  request->SetUrl(engine::FromEngineAddress(engine_url));
  bool main = params.value("resourceType", "") == "Document" && params.value("frameId", "") == FTarget;
  request->SetResourceType(main ? RT_MAIN_FRAME : RT_SUB_RESOURCE, main ? TT_EXPLICIT : TT_LINK);
  auto answered = std::make_shared<std::atomic<bool>>(false);
  auto self = shared_from_this();
  auto answer = [self, params, request, answered](bool allow) {
    if (answered->exchange(true)) return;
    TRuntimeThreads::Instance().Post(TID_IO, MakeWork([self, params, request, allow] {
      if (allow) {
        self->ServeAllowed(params, request);
      } else {
        self->Send("Fetch.failRequest", {{"requestId", params.value("requestId", "")}, {"errorReason", "Aborted"}});
      }
    }));
  };
  TRef<TRequestCallback> callback = MakeRuntimeObject<TRequestCallback>(answer);
  cef_return_value_t verdict = AskBeforeResourceLoad(*core, *request, *callback);
  if (verdict == RV_CONTINUE_ASYNC || answered->exchange(true)) return;
  if (verdict == RV_CANCEL) {
    Send("Fetch.failRequest", {{"requestId", request_id}, {"errorReason", "Aborted"}});
  } else {
    ServeAllowed(params, request);
  }
}

void TChromiumPage::ServeAllowed(const json& params, TRef<TRequest> request) {
  auto core = FCore.lock();
  std::string request_id = params.value("requestId", "");
  if (!core || FClosed) return;
  std::wstring url = request->Url();
  THeld<cef_resource_handler_t> handler = AskResourceHandler(*core, *request);
  TUrlParts parts;
  bool mapped = engine::ToEngineAddress(url) != url;
  if (!handler && mapped && ParseUrl(url, parts)) {
    THeld<cef_scheme_handler_factory_t> factory = THeld<cef_scheme_handler_factory_t>::Adopt(
        TSchemeRegistry::Instance().FindFactory(parts.scheme, parts.host), "scheme_handler_factory");
    if (factory && factory->create) {
      cef_string_t scheme = ViewOf(parts.scheme);
      handler = THeld<cef_resource_handler_t>::Adopt(
          factory->create(factory.Get(), core->NewBrowser(), core->NewFrame(), &scheme, request->PassOut()),
          "resource_handler");
    }
  }
  if (!handler) {
    if (mapped) {
      Send("Fetch.failRequest", {{"requestId", request_id}, {"errorReason", "Failed"}});
    } else {
      json next = {{"requestId", request_id}};
      // The program may have changed the address in on_before_resource_load.
      std::string address = EngineAddress(url);
      if (address != params.value("request", json::object()).value("url", "")) next["url"] = address;
      Send("Fetch.continueRequest", next);
    }
    return;
  }
  TResourceJob job;
  job.request = request;
  auto self = shared_from_this();
  job.aborted = [self] { return self->FClosed.load(); };
  job.done = [self, request_id](TLoadResult result) { self->Fulfil(request_id, result); };
  auto driver = std::make_shared<TResourceDriver>(std::move(job), std::move(handler));
  driver->Start();
}

void TChromiumPage::Fulfil(const std::string& request_id, const TLoadResult& result) {
  if (FClosed) return;
  if (result.error != 0) {
    Send("Fetch.failRequest", {{"requestId", request_id}, {"errorReason", FetchErrorReason(result.error)}});
    return;
  }
  json headers = json::array();
  bool has_type = false;
  for (const auto& [name, value] : result.headers) {
    has_type = has_type || AsciiLower(name) == L"content-type";
    headers.push_back({{"name", ToUtf8(name)}, {"value", ToUtf8(value)}});
  }
  if (!has_type && !result.mime_type.empty()) headers.push_back({{"name", "Content-Type"}, {"value", ToUtf8(result.mime_type)}});
  int status = result.status != 0 ? result.status : 200;
  if (!result.redirect_to.empty()) {
    status = 302;
    headers.push_back({{"name", "Location"}, {"value", EngineAddress(result.redirect_to)}});
  }
  Send("Fetch.fulfillRequest", {{"requestId", request_id},
                                {"responseCode", status},
                                {"responseHeaders", headers},
                                {"body", engine::EncodeBase64(result.body)}});
}

}  // namespace standin
