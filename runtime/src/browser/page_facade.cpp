#include "page_facade.h"

#include "browser_events.h"
#include "chromium_page.h"
#include "engine_limits.h"
#include "journal.h"
#include "runtime_threads.h"

namespace standin {

namespace {

// A page's main thread answers a trivial evaluation at once unless its script never yields.
constexpr auto kProbeEvery = std::chrono::seconds(5);
constexpr auto kProbePatience = std::chrono::seconds(15);
// A target the engine refused is asked for again this often while the engine is up.
constexpr auto kTargetRetry = std::chrono::seconds(5);
// How long the engine may take to give a target before another is asked for.
constexpr auto kTargetPatience = std::chrono::seconds(10);
// How often a renderer's memory is looked at, for recycling its target.
constexpr auto kMemoryEvery = std::chrono::seconds(60);

// Target.targetCrashed names the renderer's end as the engine's termination statuses do.
cef_termination_status_t StatusOfCrash(const std::string& status) {
  if (status == "killed" || status == "oom" || status == "oom_protected") return TS_PROCESS_WAS_KILLED;
  if (status == "crashed") return TS_PROCESS_CRASHED;
  return TS_ABNORMAL_TERMINATION;
}

const char* StatusName(cef_termination_status_t status) {
  switch (status) {
    case TS_PROCESS_WAS_KILLED: return "killed";
    case TS_PROCESS_CRASHED: return "crashed";
    default: return "abnormal";
  }
}

}  // namespace

std::shared_ptr<TPageFacade> TPageFacade::Create(const TCoreRef& core) {
  auto facade = std::make_shared<TPageFacade>(core);
  TChromiumEngine::Instance().AddClient(facade);
  return facade;
}

std::shared_ptr<TChromiumPage> TPageFacade::Page() const {
  std::lock_guard<std::mutex> lock(FLock);
  return FPage;
}

int TPageFacade::BrowserId() const {
  auto core = FCore.lock();
  return core ? core->Id() : 0;
}

std::wstring TPageFacade::CurrentAddress() const {
  auto core = FCore.lock();
  std::wstring url = core ? core->Url() : std::wstring();
  std::lock_guard<std::mutex> lock(FLock);
  return url.empty() ? FLastAsked : url;
}

// ---- The program's calls: to the page, or kept for the next one --------------------------

void TPageFacade::Load(std::wstring url) { Send(TPendingLoad{std::move(url), std::nullopt}); }

void TPageFacade::LoadHtml(std::wstring html, std::wstring url) {
  Send(TPendingLoad{std::move(url), std::move(html)});
}

const char* TPageFacade::TargetDueLocked() const {
  if (!FPage) return nullptr;
  auto seconds = std::chrono::duration_cast<std::chrono::seconds>(TClock::now() - FBorn).count();
  return engine::TargetRecycleReason(engine::RecycleLimits(), FLoads, seconds, FRendererBytes);
}

bool TPageFacade::RecycleDue() const {
  if (TChromiumEngine::Instance().RecycleReason()) return true;
  std::lock_guard<std::mutex> lock(FLock);
  return TargetDueLocked() != nullptr;
}

// A load goes to the page, or waits for the next one: while there is none, and when the page's
// target or the whole engine is due for a fresh one, which it is about to leave anyway.
void TPageFacade::Send(TPendingLoad load) {
  const char* engine_due = TChromiumEngine::Instance().RecycleReason();
  const char* target_due = nullptr;
  std::shared_ptr<TChromiumPage> page;
  {
    std::lock_guard<std::mutex> lock(FLock);
    FLastAsked = load.url;
    target_due = FPage && !engine_due ? TargetDueLocked() : nullptr;
    if (!FPage || engine_due || target_due) {
      FPending = std::move(load);
    } else {
      FFresh = false;
      ++FLoads;
      page = FPage;
    }
  }
  if (page) {
    if (load.html) return page->LoadHtml(std::move(*load.html), std::move(load.url));
    return page->Load(std::move(load.url));
  }
  if (engine_due) {
    // Its pages come back on the fresh engine; this one's with the load just asked for.
    TChromiumEngine::Instance().Recycle(engine_due);
    return Replace("recycle_engine", false);
  }
  if (target_due) {
    TJournalLine("engine_recycle").Word("scope", "target").Int("browser", BrowserId()).Word("reason", target_due)
        .Write();
    Replace("recycle_target", false);
  }
}

void TPageFacade::Stop() {
  std::shared_ptr<TChromiumPage> page;
  {
    std::lock_guard<std::mutex> lock(FLock);
    FPending.reset();
    page = FPage;
  }
  if (page) page->Stop();
}

void TPageFacade::Reload() {
  bool fresh;
  {
    std::lock_guard<std::mutex> lock(FLock);
    fresh = FFresh || !FPage;
  }
  // A target that has shown nothing yet (it replaced one) has nothing to reload: the address
  // the browser showed loads there instead, as it does on a fresh target when this one is due.
  if (!fresh && !RecycleDue()) {
    std::shared_ptr<TChromiumPage> page;
    {
      std::lock_guard<std::mutex> lock(FLock);
      page = FPage;
      if (page) ++FLoads;
    }
    if (page) return page->Reload();
  }
  std::wstring url = CurrentAddress();
  if (!url.empty()) Load(std::move(url));
}

void TPageFacade::GoBack() {
  if (auto page = Page()) page->GoBack();
}

void TPageFacade::GoForward() {
  if (auto page = Page()) page->GoForward();
}

bool TPageFacade::CanGoBack() const {
  auto page = Page();
  return page && page->CanGoBack();
}

bool TPageFacade::CanGoForward() const {
  auto page = Page();
  return page && page->CanGoForward();
}

void TPageFacade::ExecuteScript(std::wstring code, std::wstring script_url) {
  if (auto page = Page()) {
    page->ExecuteScript(std::move(code), std::move(script_url));
  } else {
    TJournalLine("engine_neutral").Int("browser", BrowserId()).Word("operation", "execute_java_script")
        .Word("reason", "no_target").Write();
  }
}

void TPageFacade::VisitSource(std::function<void(std::wstring)> visit) {
  if (auto page = Page()) return page->VisitSource(std::move(visit));
  TRuntimeThreads::Instance().Post(TID_UI, MakeWork([visit = std::move(visit)] { visit(std::wstring()); }));
}

void TPageFacade::VisitText(std::function<void(std::wstring)> visit) {
  if (auto page = Page()) return page->VisitText(std::move(visit));
  TRuntimeThreads::Instance().Post(TID_UI, MakeWork([visit = std::move(visit)] { visit(std::wstring()); }));
}

void TPageFacade::WindowInput(UINT message, WPARAM wparam, LPARAM lparam) {
  STANDIN_CHECK_THREAD(FUiThread);
  if (auto page = Page()) page->WindowInput(message, wparam, lparam);
}

void TPageFacade::WindowResized(int width, int height) {
  STANDIN_CHECK_THREAD(FUiThread);
  // A target made later takes the window's size then.
  if (auto page = Page()) page->WindowResized(width, height);
}

void TPageFacade::Close() {
  STANDIN_CHECK_THREAD(FUiThread);
  std::shared_ptr<TChromiumPage> page;
  {
    std::lock_guard<std::mutex> lock(FLock);
    FClosed = true;
    FPending.reset();
    page = std::move(FPage);
  }
  Retire(page);
}

// ---- Targets coming and going (engine thread) -------------------------------------------

void TPageFacade::Replace(const char* reason, bool reload) {
  // The program's calls from now on wait for the next target.
  std::shared_ptr<TChromiumPage> old;
  {
    std::lock_guard<std::mutex> lock(FLock);
    old = std::move(FPage);
    FReplacement = FReplacement || old;
    FReloadNext = FReloadNext || reload;
  }
  std::weak_ptr<TPageFacade> weak = weak_from_this();
  TChromiumEngine::Instance().Post([weak, reason, reload, old] {
    auto self = weak.lock();
    if (!self) return;
    STANDIN_CHECK_THREAD(self->FEngineThread);
    TJournalLine("engine_page_replaced").Int("browser", self->BrowserId()).Word("reason", reason)
        .Int("reload", reload ? 1 : 0).Write();
    self->FProbeAnswered.reset();
    // The new target first (a fresh engine may have given it one already): the engine is
    // never left without a page open.
    if (!self->Page())
      if (auto connection = TChromiumEngine::Instance().Connection()) self->MakeTarget(connection);
    Retire(old);
  });
}

void TPageFacade::EngineUp(const TConnectionRef& connection) {
  STANDIN_CHECK_THREAD(FEngineThread);
  if (!connection->Connected()) return;
  FConnection = connection;
  if (!Page()) MakeTarget(connection);
}

void TPageFacade::EngineDown() {
  STANDIN_CHECK_THREAD(FEngineThread);
  FConnection.reset();
  FMaking = 0;
  Drop();
  std::lock_guard<std::mutex> lock(FLock);
  FReloadNext = true;
}

// The current target goes; the next one is a replacement, showing nothing until it paints.
void TPageFacade::Drop() {
  std::shared_ptr<TChromiumPage> page;
  {
    std::lock_guard<std::mutex> lock(FLock);
    page = std::move(FPage);
    FReplacement = FReplacement || page;
  }
  FProbeAnswered.reset();
  Retire(page);
}

void TPageFacade::Retire(const std::shared_ptr<TChromiumPage>& page) {
  if (!page) return;
  TChromiumEngine::Instance().StopWatchingTargetCrash(page->TargetId());
  if (TChromiumEngine::Instance().PageClosing(page->Connection(), page->TargetId())) return page->Park();
  page->Close();
}

void TPageFacade::MakeTarget(const TConnectionRef& connection) {
  STANDIN_CHECK_THREAD(FEngineThread);
  auto core = FCore.lock();
  bool replacement;
  {
    std::lock_guard<std::mutex> lock(FLock);
    if (FClosed || !core) return;
    replacement = FReplacement;
  }
  // One target asked for at a time; one the engine never answers for is given up on.
  TClock::time_point now = TClock::now();
  if (FMaking && now - FLastAttempt < kTargetPatience) return;
  FLastAttempt = now;
  uint64_t attempt = ++FAttempts;
  FMaking = attempt;
  std::weak_ptr<TPageFacade> weak = weak_from_this();
  TChromiumPage::Create(core, connection, replacement, [weak, connection, attempt](std::shared_ptr<TChromiumPage> page) {
    auto self = weak.lock();
    if (!self || self->FMaking != attempt) {
      // Given up on, or the browser has gone meanwhile: never opened, so simply closed.
      if (page) page->Close();
      return;
    }
    self->FMaking = 0;
    if (page && connection->Connected()) self->Adopt(std::move(page), connection);
  });
}

void TPageFacade::Adopt(std::shared_ptr<TChromiumPage> page, const TConnectionRef& connection) {
  std::optional<TPendingLoad> pending;
  bool reload;
  {
    std::lock_guard<std::mutex> lock(FLock);
    if (FClosed) {
      page->Close();
      return;
    }
    FPage = page;
    FBorn = TClock::now();
    FLoads = 0;
    FRendererBytes = 0;
    pending = std::exchange(FPending, std::nullopt);
    reload = std::exchange(FReloadNext, false);
    FReplacement = false;
    FFresh = !pending && !reload;
  }
  FConnection = connection;
  FProbeAnswered.reset();
  TChromiumEngine::Instance().PageOpened(connection);
  std::weak_ptr<TPageFacade> weak = weak_from_this();
  std::string target = page->TargetId();
  TChromiumEngine::Instance().WatchTargetCrash(target, [weak, target](const std::string&, const engine::json& params) {
    auto status = StatusOfCrash(params.value("status", ""));
    TChromiumEngine::Instance().Post([weak, target, status] {
      if (auto self = weak.lock()) self->RendererEnded(target, status, "renderer_ended");
    });
  });
  if (pending || reload) {
    std::lock_guard<std::mutex> lock(FLock);
    ++FLoads;
  }
  if (pending) {
    if (pending->html) {
      page->LoadHtml(std::move(*pending->html), std::move(pending->url));
    } else {
      page->Load(std::move(pending->url));
    }
  } else if (reload) {
    std::wstring url = CurrentAddress();
    TJournalLine("engine_page_back").Int("browser", BrowserId()).Text("url", url).Write();
    if (!url.empty()) page->Load(url);
  }
}

// The page's renderer is gone or will not answer: the program hears of it (and reloads as it
// sees fit); the target gives way to a new one.
void TPageFacade::RendererEnded(const std::string& target, cef_termination_status_t status, const char* why) {
  STANDIN_CHECK_THREAD(FEngineThread);
  auto page = Page();
  if (!page || page->TargetId() != target) return;
  TJournalLine("engine_renderer_ended").Int("browser", BrowserId()).Word("reason", why)
      .Word("status", StatusName(status)).Text("url", CurrentAddress()).Write();
  std::weak_ptr<TBrowserCore> weak = FCore;
  TRuntimeThreads::Instance().Post(TID_UI, MakeWork([weak, status] {
    auto core = weak.lock();
    if (core && !core->Closed()) RaiseRenderProcessTerminated(*core, status);
  }));
  Replace(why, false);
}

void TPageFacade::Tick(TClock::time_point now) {
  STANDIN_CHECK_THREAD(FEngineThread);
  if (Page()) return Probe(now);
  if (!FConnection || !FConnection->Connected()) return;
  if (now - FLastAttempt >= (FMaking ? kTargetPatience : kTargetRetry)) MakeTarget(FConnection);
}

void TPageFacade::Probe(TClock::time_point now) {
  auto page = Page();
  if (!page || !FConnection) return;
  if (FProbeAnswered && !*FProbeAnswered && now - FProbeSent > kProbePatience) {
    std::string target = page->TargetId();
    // Its renderer is ended first, so that neither its script nor its process lives on.
    TChromiumEngine::Instance().StopWatchingTargetCrash(target);
    FConnection->Call("Page.crash", {}, page->SessionId());
    RendererEnded(target, TS_PROCESS_WAS_KILLED, "page_hung");
    return;
  }
  if (FProbeAnswered && !*FProbeAnswered) return;
  if (now - FMemorySampled >= kMemoryEvery) SampleMemory(page, now);
  if (FProbeAnswered && now - FProbeSent < kProbeEvery) return;
  auto answered = std::make_shared<std::atomic<bool>>(false);
  FProbeAnswered = answered;
  FProbeSent = now;
  // Any answer counts, an error too: the page's thread was free to give it.
  FConnection->Call("Runtime.evaluate", {{"expression", "1"}}, page->SessionId(),
                    [answered](const engine::TReply&) { *answered = true; });
}

// The renderer's heap as the page's inspector counts it (script, and the DOM where the engine
// says), for recycling a target before it grows without bound.
void TPageFacade::SampleMemory(const std::shared_ptr<TChromiumPage>& page, TClock::time_point now) {
  FMemorySampled = now;
  std::weak_ptr<TPageFacade> weak = weak_from_this();
  FConnection->Call("Runtime.getHeapUsage", {}, page->SessionId(),
                    [weak, target = page->TargetId()](const engine::TReply& reply) {
                      auto self = weak.lock();
                      if (!self || !reply.ok) return;
                      int64_t bytes = 0;
                      for (const char* field : {"usedSize", "embedderHeapUsedSize", "backingStorageSize"})
                        bytes += static_cast<int64_t>(reply.result.value(field, 0.0));
                      std::lock_guard<std::mutex> lock(self->FLock);
                      if (self->FPage && self->FPage->TargetId() == target) self->FRendererBytes = bytes;
                    });
}

}  // namespace standin
