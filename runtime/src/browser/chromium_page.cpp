#include "chromium_page.h"

#include "base64_text.h"
#include "browser_events.h"
#include "callbacks.h"
#include "engine_address.h"
#include "engine_limits.h"
#include "engine_text.h"
#include "frame_pipeline.h"
#include "input_events.h"
#include "journal.h"
#include "load_result.h"
#include "page_picture.h"
#include "page_window.h"
#include "request.h"
#include "resource_driver.h"
#include "runtime_threads.h"
#include "scheme_registry.h"
#include "string_view_record.h"
#include "thread_check.h"
#include "url_parser.h"
#include "utf.h"
#include "viewport.h"

#include <windowsx.h>

namespace standin {

namespace {

// The engine does not tell of titles a page's script sets after its load; every page of the
// target reports its title through this binding whenever it changes.
constexpr const char* kTitleBinding = "__standinTitle";
constexpr const char* kTitleWatch =
    "if (window === window.top) (() => { let last = null;"
    " const report = () => { if (document.title !== last) { last = document.title; __standinTitle(last); } };"
    " new MutationObserver(report).observe(document, {subtree: true, childList: true, characterData: true}); })();";

using engine::json;


// While the page moves its frames are JPEG (quick to make and to decode); once it stands still
// a lossless picture replaces the last of them.
constexpr int kMovingQuality = 80;

json ScreencastParams(const engine::TViewport& viewport) {
  return {{"format", "jpeg"}, {"quality", kMovingQuality}, {"maxWidth", viewport.device_width},
          {"maxHeight", viewport.device_height}, {"everyNthFrame", 1}};
}

json MetricsParams(const engine::TViewport& viewport) {
  return {{"width", viewport.css_width}, {"height", viewport.css_height}, {"deviceScaleFactor", viewport.scale},
          {"mobile", false}};
}

engine::TViewport ViewportOf(const TBrowserCore& core, int width, int height) {
  return engine::ViewportFor(width, height, page::WindowDpi(core.Window()), core.ZoomLevel());
}

// The browser's background colour setting, where a page sets none of its own (only its colour
// counts; a zero alpha leaves the engine's white).
json BackgroundParams(uint32_t argb) {
  return {{"color", {{"r", (argb >> 16) & 0xFF}, {"g", (argb >> 8) & 0xFF}, {"b", argb & 0xFF}, {"a", 1}}}};
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

// A request the engine makes for itself rather than for the page: the icon it fetches for the
// page's tab, which it asks for as "Other" with images accepted.
bool EngineOwnRequest(const json& params) {
  if (params.value("resourceType", "") != "Other") return false;
  const json headers = params.value("request", json::object()).value("headers", json::object());
  for (const auto& [name, value] : headers.items())
    if (AsciiLower(FromUtf8(name)) == L"accept" && value.is_string() && value.get<std::string>().rfind("image/", 0) == 0)
      return true;
  return false;
}

SIZE ClientSize(HWND window) {
  RECT client = {};
  if (window) GetClientRect(window, &client);
  return {client.right - client.left, client.bottom - client.top};
}

}  // namespace

void TChromiumPage::Create(const TCoreRef& core, TConnectionRef connection, bool hold_frames, TMade made) {
  // Each step answers on the receiving thread, so every browser's target is asked for at once;
  // what is made goes back to the engine thread.
  auto deliver = [made = std::move(made)](std::shared_ptr<TChromiumPage> page) {
    TChromiumEngine::Instance().Post([made, page] { made(page); });
  };
  auto failed = [core, deliver](const char* step, const engine::TReply& reply) {
    // The browser shows the text display instead; the journal says why.
    TJournalLine("engine_target").Int("browser", core->Id()).Word("result", "failed").Word("step", step)
        .Text("answer", reply.result.dump()).Write();
    deliver(nullptr);
  };
  connection->Call("Target.createTarget", {{"url", "about:blank"}}, "", [=](const engine::TReply& target) {
    std::string target_id = target.ok ? target.result.value("targetId", "") : "";
    if (target_id.empty()) return failed("create", target);
    connection->Call("Target.attachToTarget", {{"targetId", target_id}, {"flatten", true}}, "",
                     [=](const engine::TReply& attached) {
      std::string session = attached.ok ? attached.result.value("sessionId", "") : "";
      if (session.empty()) {
        connection->Call("Target.closeTarget", {{"targetId", target_id}}, "");
        return failed("attach", attached);
      }
      auto page = std::make_shared<TChromiumPage>(core, connection, target_id, session);
      page->FHoldFrames = hold_frames;
      SIZE size = ClientSize(core->Window());
      page->Start(size.cx, size.cy);
      TJournalLine("engine_target").Int("browser", core->Id()).Text("target", target_id).Write();
      deliver(page);
    });
  });
}

TChromiumPage::TChromiumPage(const TCoreRef& core, TConnectionRef connection, std::string target, std::string session)
    : FCore(core),
      FConnection(std::move(connection)),
      FTarget(std::move(target)),
      FSession(std::move(session)),
      FAddresses(TChromiumEngine::Instance().UnixEngine()) {}

void TChromiumPage::Start(int width, int height) {
  if (auto core = FCore.lock()) {
    StartFrames(*core, ViewportOf(*core, width, height));
    if (core->Background() >> 24) Send("Emulation.setDefaultBackgroundColorOverride", BackgroundParams(core->Background()));
  }
  std::weak_ptr<TChromiumPage> weak = weak_from_this();
  auto forward = [weak](const std::string& method, const json& params) {
    if (auto self = weak.lock()) self->OnEvent(method, params);
  };
  FConnection->Listen(FSession, forward);
  TChromiumEngine::Instance().ListenToTarget(FTarget, forward);
  Send("Page.enable", {});
  // The document's status and failures only: no response body is kept for anyone.
  Send("Network.enable", {{"maxTotalBufferSize", 0}, {"maxResourceBufferSize", 0}, {"maxPostDataSize", 0}});
  // The title watcher's binding needs the Runtime domain in every new document; the console
  // messages it then keeps (and what they reference) are discarded as they come.
  Send("Runtime.enable", {});
  Send("Runtime.addBinding", {{"name", kTitleBinding}});
  Send("Page.addScriptToEvaluateOnNewDocument", {{"source", kTitleWatch}});
  // The program's schemes, and every main document (the program decides about navigations).
  Send("Fetch.enable", {{"patterns", json::array({{{"urlPattern", "*"}, {"resourceType", "Document"}},
                                                  {{"urlPattern", engine::MappedAddressPattern()}}})},
                        {"handleAuthRequests", true}});
  StartPrompts();
  Send("Emulation.setFocusEmulationEnabled", {{"enabled", true}});
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
  STANDIN_ON_THREAD(TID_UI);
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
// history.back); a step past either end stays neutral. While a load is in flight the engine's
// history may not have its entry yet although the page already told of it (and may even lose
// it for a moment, when the program's decision restarts the navigation): the step is asked for
// again a little later, until the load has ended.
void TChromiumPage::StepHistory(int step, int attempt) {
  auto self = shared_from_this();
  FConnection->Call("Page.getNavigationHistory", {}, FSession, [self, step, attempt](const engine::TReply& reply) {
    const json entries = reply.ok ? reply.result.value("entries", json::array()) : json::array();
    int index = (reply.ok ? reply.result.value("currentIndex", 0) : 0) + step;
    if (index < 0 || index >= static_cast<int>(entries.size())) {
      // About a second in all; a few tries even once the load has ended, for the entry the
      // engine adds just after.
      constexpr int kAttempts = 20, kAttemptsAfterLoad = 3;
      constexpr int64_t kAgainMs = 50;
      auto core = self->FCore.lock();
      bool may_come = core && (core->IsLoading() || attempt < kAttemptsAfterLoad);
      if (reply.ok && may_come && attempt + 1 < kAttempts) {
        TRuntimeThreads::Instance().Post(TID_UI, MakeWork([self, step, attempt] {
          if (!self->FClosed) self->StepHistory(step, attempt + 1);
        }), kAgainMs);
        return;
      }
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
  STANDIN_ON_THREAD(TID_UI);
  auto core = FCore.lock();
  if (!core || FClosed) return;
  POINT point = {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  if (message == WM_MOUSEWHEEL || message == WM_MOUSEHWHEEL) ScreenToClient(core->Window(), &point);
  std::wstring typed;
  MSG next = {};
  // A key's character is already waiting: TranslateMessage posts it before the key-down is
  // dispatched.
  if ((message == WM_KEYDOWN || message == WM_SYSKEYDOWN) &&
      PeekMessageW(&next, core->Window(), WM_CHAR, WM_CHAR, PM_NOREMOVE | PM_NOYIELD))
    typed.assign(1, static_cast<wchar_t>(next.wParam));
  engine::TInputCommand command =
      engine::InputCommandOf(message, wparam, lparam, point, engine::CurrentModifiers(), typed);
  if (!command.method.empty()) Send(command.method, std::move(command.params));
}

void TChromiumPage::WindowResized(int width, int height) {
  auto core = FCore.lock();
  if (!core || FClosed || width <= 0 || height <= 0 || !FFrames) return;
  engine::TViewport viewport = ViewportOf(*core, width, height);
  {
    std::lock_guard<std::mutex> lock(FScreencast->lock);
    FScreencast->viewport = viewport;
  }
  Send("Emulation.setDeviceMetricsOverride", MetricsParams(viewport));
  FFrames->Restart();
}

// The screencast runs while the window can be seen; its frames are decoded on a worker of
// this page's own into the picture the window shows. Nothing the worker calls holds the page.
void TChromiumPage::StartFrames(TBrowserCore& core, const engine::TViewport& viewport) {
  FScreencast = std::make_shared<TScreencast>();
  FScreencast->viewport = viewport;
  FKeeper = std::make_shared<engine::TFrameKeeper>();
  auto picture = std::make_shared<page::TPagePicture>();
  // Shown at once, so the window paints its frames as soon as they come; a page that replaced
  // another keeps it back until its first load has ended (the window shows the old one's last).
  if (FHoldFrames)
    FHeldPicture = picture;
  else
    core.ShowPicture(picture);
  Send("Emulation.setDeviceMetricsOverride", MetricsParams(viewport));
  TConnectionRef connection = FConnection;
  std::string session = FSession;
  auto screencast = FScreencast;
  auto keeper = FKeeper;
  HWND window = core.Window();
  std::weak_ptr<TBrowserCore> weak_core = FCore;
  std::weak_ptr<TChromiumPage> weak_self = weak_from_this();
  auto show_asked = std::make_shared<std::atomic<bool>>(false);
  engine::TFramePipelineEvents events;
  events.acknowledge = [connection, session](int ack) {
    connection->Call("Page.screencastFrameAck", {{"sessionId", ack}}, session);
  };
  events.stream = [connection, session, screencast](bool on) {
    if (!on) {
      connection->Call("Page.stopScreencast", {}, session);
      return;
    }
    std::lock_guard<std::mutex> lock(screencast->lock);
    connection->Call("Page.startScreencast", ScreencastParams(screencast->viewport), session);
  };
  events.ask_lossless = [connection, session, keeper](uint64_t since) {
    AskLossless(connection, session, keeper, since);
  };
  events.visible = [window] { return IsWindowVisible(window) != FALSE; };
  events.target = [picture](int width, int height) { return picture->BeginFrame(width, height); };
  events.presented = [picture, weak_core, weak_self, show_asked] {
    // The window shows the runtime's error page instead; a new frame takes its place again.
    if (picture->EndFrame() || show_asked->exchange(true)) return;
    TRuntimeThreads::Instance().Post(TID_UI, MakeWork([picture, weak_core, weak_self, show_asked] {
      show_asked->store(false);
      auto core = weak_core.lock();
      auto self = weak_self.lock();
      if (core && self && !self->FClosed) self->Present(*core, picture);
    }));
  };
  events.report = [id = core.Id()](uint64_t offered, uint64_t shown, uint64_t dropped) {
    TJournalLine("engine_frames").Int("browser", id).Int("offered", static_cast<int64_t>(offered))
        .Int("shown", static_cast<int64_t>(shown)).Int("dropped", static_cast<int64_t>(dropped)).Write();
  };
  FFrames = std::make_unique<engine::TFramePipeline>(FKeeper, std::move(events));
}

void TChromiumPage::AskLossless(const TConnectionRef& connection, const std::string& session,
                                const std::shared_ptr<engine::TFrameKeeper>& keeper, uint64_t since) {
  connection->Call("Page.captureScreenshot", {{"format", "png"}, {"optimizeForSpeed", true}}, session,
                   [keeper, since](const engine::TReply& reply) {
                     if (reply.ok) keeper->OfferLossless(reply.result.value("data", ""), since);
                   });
}

bool TChromiumPage::Leave() {
  if (FClosed.exchange(true)) return false;
  FFrames.reset();
  FConnection->StopListening(FSession);
  TChromiumEngine::Instance().StopListeningToTarget(FTarget);
  return true;
}

void TChromiumPage::Close() {
  if (Leave()) FConnection->Call("Target.closeTarget", {{"targetId", FTarget}}, "");
}

void TChromiumPage::Park() {
  if (!Leave()) return;
  FConnection->Call("Page.navigate", {{"url", "about:blank"}}, FSession);
  FConnection->Call("Target.detachFromTarget", {{"sessionId", FSession}}, "");
}

// ---- Loads as the program hears of them (UI thread) ------------------------------------

// A load still in flight ends as a new one replaces it: one whose page is in place has loaded
// (its page goes on to the next before its own load event), one still waiting is aborted.
void TChromiumPage::EndReplacedLoad() {
  STANDIN_ON_THREAD(TID_UI);
  if (!FLoading) return;
  // The loading state stays on: the new load follows at once.
  FReplacing = true;
  if (FCommitted) {
    FinishLoad(FSerial, FLoadTitle);
  } else {
    FailLoad(FSerial, ERR_ABORTED, false);
  }
  FReplacing = false;
}

void TChromiumPage::BeginLoad(const std::wstring& url) {
  STANDIN_ON_THREAD(TID_UI);
  auto core = FCore.lock();
  if (!core) return;
  ++FSerial;
  FStatus = 0;
  FCommitted = false;
  FCertificateError = 0;
  FLoadTitle.clear();
  FLoadUrl = url;
  FLoading = true;
  bool was_loading;
  {
    std::lock_guard<std::mutex> lock(core->Lock());
    was_loading = core->LoadingLocked();
    core->SetLoadingLocked(true);
  }
  if (!was_loading) RaiseLoadingStateChange(*core, true);
  // The program hears on_load_start when the new page commits.
  TJournalLine("load_start").Int("browser", core->Id()).Text("url", url).Write();
}

void TChromiumPage::FinishLoad(uint64_t serial, const std::wstring& title) {
  STANDIN_ON_THREAD(TID_UI);
  auto core = FCore.lock();
  if (!core || FClosed || !FLoading || serial != FSerial) return;
  FLoading = false;
  TJournalLine("load_end").Int("browser", core->Id()).Text("url", FUrl).Int("status", FStatus).Write();
  // Every new page is named, also when it bears the last one's title.
  FTitle.clear();
  RaiseTitle(title);
  RaiseLoadEnd(*core, FStatus);
  EndLoading(*core);
  LoadEnded(true);
}

void TChromiumPage::EndLoading(TBrowserCore& core) {
  if (FReplacing) return;
  {
    std::lock_guard<std::mutex> lock(core.Lock());
    core.SetLoadingLocked(false);
  }
  RaiseLoadingStateChange(core, false);
}

void TChromiumPage::FailLoad(uint64_t serial, int error, bool by_browse) {
  STANDIN_ON_THREAD(TID_UI);
  auto core = FCore.lock();
  if (!core || FClosed || !FLoading || serial != FSerial) return;
  FLoading = false;
  // A refused certificate stops the request; the load ends with the certificate's error.
  if (error == ERR_ABORTED && FCertificateError != 0) error = FCertificateError;
  const std::wstring url = FLoadUrl;
  TJournalLine line("load_error");
  line.Int("browser", core->Id()).Text("url", url).Int("error", error).Word("name", ErrorName(error));
  if (by_browse) line.Word("by", "on_before_browse");
  line.Write();
  RaiseLoadError(*core, error, FromUtf8(ErrorName(error)), url);
  EndLoading(*core);
  LoadEnded(false);
}

void TChromiumPage::RaiseTitle(std::wstring title) {
  STANDIN_ON_THREAD(TID_UI);
  auto core = FCore.lock();
  if (!core) return;
  // A page without a title is named by its address, the program's form of it.
  if (title.empty() || title == FEngineUrl || L"http://" + title == FEngineUrl || L"file://" + title == FEngineUrl)
    title = FUrl;
  if (title == FTitle) return;
  FTitle = title;
  RaiseTitleChange(*core, title);
}

void TChromiumPage::CommitAddress(const std::wstring& address, const std::wstring& engine_url, bool new_document) {
  STANDIN_ON_THREAD(TID_UI);
  auto core = FCore.lock();
  if (!core || FClosed) return;
  bool starts = new_document && FLoading && !FCommitted;
  FCommitted = FLoading;
  FUrl = address;
  FEngineUrl = engine_url;
  core->CommitAddress(address);
  if (starts) RaiseLoadStart(*core);
  RaiseAddressChange(*core, address);
}

// The page's load event ends the load. Its title comes from what the page reported while it
// loaded, else from the engine's history, which the engine answers without the page: a page
// busy with its own script does not hold up the program's load end.
void TChromiumPage::LoadEventFired() {
  STANDIN_ON_THREAD(TID_UI);
  if (FClosed) return;
  if (!FLoading || !FCommitted) {
    // The engine's history may take the new entry only after the page said it was in place.
    RefreshHistory();
    return;
  }
  uint64_t serial = FSerial;
  auto self = shared_from_this();
  FConnection->Call("Page.getNavigationHistory", {}, FSession, [self, serial](const engine::TReply& reply) {
    std::wstring title;
    if (reply.ok) {
      int index = reply.result.value("currentIndex", 0);
      const json entries = reply.result.value("entries", json::array());
      std::lock_guard<std::mutex> lock(self->FLock);
      self->FHistoryIndex = index;
      self->FHistoryCount = static_cast<int>(entries.size());
      if (index >= 0 && index < self->FHistoryCount) title = FromUtf8(entries[static_cast<size_t>(index)].value("title", ""));
    }
    self->PostUi([self, serial, title] { self->FinishLoad(serial, self->FLoadTitle.empty() ? title : self->FLoadTitle); });
  });
}

void TChromiumPage::TitleReported(const std::wstring& title) {
  STANDIN_ON_THREAD(TID_UI);
  if (FClosed) return;
  if (FLoading) {
    // Until the new page is in place, a title is still the old page's.
    if (FCommitted) FLoadTitle = title;
  } else if (!FUrl.empty()) {
    RaiseTitle(title);
  }
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

const std::unordered_map<std::string, TChromiumPage::TEventHandler>& TChromiumPage::EventHandlers() {
  static const auto* handlers = new std::unordered_map<std::string, TEventHandler>{
      {"Page.screencastFrame", &TChromiumPage::OnFrame},
      {"Fetch.requestPaused", &TChromiumPage::OnRequestPaused},
      {"Network.responseReceived", &TChromiumPage::OnResponseReceived},
      {"Network.loadingFailed", &TChromiumPage::OnLoadingFailed},
      {"Page.frameNavigated", &TChromiumPage::OnFrameNavigated},
      {"Page.navigatedWithinDocument", &TChromiumPage::OnNavigatedWithinDocument},
      {"Page.loadEventFired", &TChromiumPage::OnLoadEventFired},
      {"Target.targetInfoChanged", &TChromiumPage::OnTargetInfoChanged},
      {"Runtime.bindingCalled", &TChromiumPage::OnBindingCalled},
      {"Runtime.consoleAPICalled", &TChromiumPage::OnConsoleApiCalled},
      {"Engine.ended", &TChromiumPage::OnEngineEnded},
      {"Inspector.targetCrashed", &TChromiumPage::OnTargetCrashed},
      {"Page.javascriptDialogOpening", &TChromiumPage::OnDialogOpening},
      {"Fetch.authRequired", &TChromiumPage::OnAuthRequired},
      {"Security.certificateError", &TChromiumPage::OnCertificateError},
      {"Page.windowOpen", &TChromiumPage::OnWindowOpen},
      {"Target.targetCreated", &TChromiumPage::OnTargetCreated},
      {"Browser.downloadWillBegin", &TChromiumPage::OnDownloadWillBegin},
      {"Browser.downloadProgress", &TChromiumPage::OnDownloadProgress},
  };
  return *handlers;
}

void TChromiumPage::OnEvent(const std::string& method, const json& params) {
  if (FClosed) return;
  const auto& handlers = EventHandlers();
  if (auto it = handlers.find(method); it != handlers.end()) (this->*(it->second))(params);
}

// The load a document request belongs to: the one that let it go; 0 for any other request.
uint64_t TChromiumPage::DocumentLoad(const json& params) const {
  std::lock_guard<std::mutex> lock(FLock);
  return !FDocumentRequest.empty() && params.value("requestId", "") == FDocumentRequest ? FDocumentSerial : 0;
}

void TChromiumPage::OnResponseReceived(const json& params) {
  uint64_t serial = DocumentLoad(params);
  if (serial == 0) return;
  int status = params.value("response", json::object()).value("status", 0);
  auto self = shared_from_this();
  PostUi([self, serial, status] {
    if (serial == self->FSerial) self->FStatus = status;
  });
}

void TChromiumPage::OnLoadingFailed(const json& params) {
  uint64_t serial = DocumentLoad(params);
  if (serial == 0) return;
  int error = params.value("canceled", false) ? ERR_ABORTED : ErrorCodeOfName(params.value("errorText", ""));
  auto self = shared_from_this();
  PostUi([self, serial, error] { self->FailLoad(serial, error, false); });
}

// The main frame's new page is in place (the final address after redirects; also pages that
// come without a response, such as about:blank). An error page commits nothing.
void TChromiumPage::OnFrameNavigated(const json& params) {
  const json frame = params.value("frame", json::object());
  if (frame.value("id", "") != FTarget || frame.contains("parentId") || frame.contains("unreachableUrl")) return;
  std::string engine_url = frame.value("url", "") + frame.value("urlFragment", "");
  std::wstring address = ProgramAddress(engine_url);
  auto self = shared_from_this();
  PostUi([self, address, engine_url = FromUtf8(engine_url)] { self->CommitAddress(address, engine_url, true); });
  RefreshHistory();
}

void TChromiumPage::OnNavigatedWithinDocument(const json& params) {
  if (params.value("frameId", "") != FTarget) return;
  std::string engine_url = params.value("url", "");
  std::wstring address = ProgramAddress(engine_url);
  auto self = shared_from_this();
  PostUi([self, address, engine_url = FromUtf8(engine_url)] { self->CommitAddress(address, engine_url, false); });
  RefreshHistory();
}

void TChromiumPage::OnLoadEventFired(const json&) {
  auto self = shared_from_this();
  PostUi([self] { self->LoadEventFired(); });
}

// Titles the page sets later, by script, and the engine's own name for the page.
void TChromiumPage::OnTargetInfoChanged(const json& params) {
  std::wstring title = FromUtf8(params.value("targetInfo", json::object()).value("title", ""));
  auto self = shared_from_this();
  PostUi([self, title] { self->TitleReported(title); });
}

void TChromiumPage::OnBindingCalled(const json& params) {
  if (params.value("name", "") != kTitleBinding) return;
  std::wstring title = FromUtf8(params.value("payload", ""));
  auto self = shared_from_this();
  PostUi([self, title] { self->TitleReported(title); });
}

// The engine keeps what the console was given, and what that references, until told to let go.
void TChromiumPage::OnConsoleApiCalled(const json&) {
  if (++FConsoleMessages % engine::kConsoleDiscardEvery != 0) return;
  Send("Runtime.discardConsoleEntries", {});
  Send("Runtime.releaseObjectGroup", {{"objectGroup", "console"}});
}

void TChromiumPage::OnEngineEnded(const json&) {
  auto self = shared_from_this();
  PostUi([self] { self->EngineEnded(); });
}

void TChromiumPage::OnTargetCrashed(const json&) {
  auto self = shared_from_this();
  PostUi([self] { self->PageCrashed(); });
}

void TChromiumPage::OnFrame(const json& params) {
  // Decoded on the page's frame worker; only the newest is.
  if (!FKeeper) return;
  if (int ack = FKeeper->Offer({params.value("data", ""), params.value("sessionId", 0), false, 0}))
    Send("Page.screencastFrameAck", {{"sessionId", ack}});
}

void TChromiumPage::OnRequestPaused(const json& params) {
  auto self = shared_from_this();
  bool main_document = params.value("resourceType", "") == "Document" && params.value("frameId", "") == FTarget;
  if (!main_document) {
    if (EngineOwnRequest(params)) {
      // The engine's own wants (the page's icon) are no request the program's pages make.
      Send("Fetch.failRequest", {{"requestId", params.value("requestId", "")}, {"errorReason", "BlockedByClient"}});
      return;
    }
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
  STANDIN_ON_THREAD(TID_UI);
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
  {
    // The document request of the load in progress; its redirects keep the engine's id.
    std::lock_guard<std::mutex> lock(FLock);
    FDocumentRequest = params.value("networkId", request_id);
    FDocumentSerial = FSerial;
  }
  auto self = shared_from_this();
  TRuntimeThreads::Instance().Post(TID_IO, MakeWork([self, params] { self->ServeRequest(params); }));
}

// ---- Requests the program serves (IO thread) --------------------------------------------

void TChromiumPage::ServeRequest(json params) {
  STANDIN_ON_THREAD(TID_IO);
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
  request->SetUrl(FAddresses.ToProgram(engine_url));
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
  STANDIN_ON_THREAD(TID_IO);
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
