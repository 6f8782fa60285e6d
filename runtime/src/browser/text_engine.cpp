#include "text_engine.h"

#include "browser_core.h"
#include "journal.h"
#include "navigation.h"
#include "runtime_threads.h"
#include "utf.h"

namespace standin {

namespace {

void VisitLater(std::function<void(std::wstring)> visit, std::wstring text) {
  TRuntimeThreads::Instance().Post(TID_UI, MakeWork([visit = std::move(visit), text = std::move(text)] { visit(text); }));
}

}  // namespace

void TTextEngine::Navigate(std::wstring url, std::shared_ptr<std::string> html, int history_target) {
  TCoreRef core = FCore.lock();
  if (!core || core->Closed()) return;
  auto nav = std::make_shared<TNavigation>();
  nav->url = std::move(url);
  nav->html = std::move(html);
  nav->history_target = history_target;
  nav->engine = weak_from_this();
  TNavigationRef old;
  {
    std::lock_guard<std::mutex> lock(FLock);
    nav->serial = FNavigation.next_serial++;
    old = std::exchange(FNavigation.current, nav);
  }
  if (old) AbortNavigation(core, old, false);
  TRuntimeThreads::Instance().Post(TID_UI, MakeWork([core, nav] { BeginNavigation(core, nav); }));
}

bool TTextEngine::IsCurrent(const TNavigationRef& nav) const {
  std::lock_guard<std::mutex> lock(FLock);
  return FNavigation.current == nav;
}

bool TTextEngine::Idle() const {
  STANDIN_CHECK_THREAD(FUiThread);
  std::lock_guard<std::mutex> lock(FLock);
  return !FNavigation.current || FNavigation.current->finished;
}

void TTextEngine::Commit(const std::wstring& url, int history_target) {
  STANDIN_CHECK_THREAD(FUiThread);
  std::lock_guard<std::mutex> lock(FLock);
  if (history_target >= 0 && static_cast<size_t>(history_target) < FHistory.size()) {
    FHistoryIndex = static_cast<size_t>(history_target);
    FHistory[FHistoryIndex] = url;
    return;
  }
  if (!FHistory.empty()) FHistory.resize(FHistoryIndex + 1);
  FHistory.push_back(url);
  if (FHistory.size() > kHistoryLimit) FHistory.erase(FHistory.begin(), FHistory.end() - kHistoryLimit);
  FHistoryIndex = FHistory.size() - 1;
}

bool TTextEngine::CanStep(int step) const {
  std::lock_guard<std::mutex> lock(FLock);
  if (FHistory.empty()) return false;
  auto target = static_cast<int64_t>(FHistoryIndex) + step;
  return target >= 0 && target < static_cast<int64_t>(FHistory.size());
}

void TTextEngine::HistoryStep(int step) {
  std::wstring url;
  int target;
  {
    std::lock_guard<std::mutex> lock(FLock);
    auto to = static_cast<int64_t>(FHistoryIndex) + step;
    if (FHistory.empty() || to < 0 || to >= static_cast<int64_t>(FHistory.size())) return;
    target = static_cast<int>(to);
    url = FHistory[static_cast<size_t>(target)];
  }
  Navigate(url, nullptr, target);
}

void TTextEngine::Load(std::wstring url) { Navigate(std::move(url), nullptr, -1); }

void TTextEngine::LoadHtml(std::wstring html, std::wstring url) {
  Navigate(std::move(url), std::make_shared<std::string>(ToUtf8(html)), -1);
}

void TTextEngine::Stop() {
  TNavigationRef current;
  {
    std::lock_guard<std::mutex> lock(FLock);
    current = FNavigation.current;
  }
  if (TCoreRef core = FCore.lock(); core && current) AbortNavigation(core, current, false);
}

void TTextEngine::Close() {
  STANDIN_CHECK_THREAD(FUiThread);
  TNavigationRef current;
  {
    std::lock_guard<std::mutex> lock(FLock);
    current = FNavigation.current;
  }
  if (TCoreRef core = FCore.lock(); core && current) AbortNavigation(core, current, true);
}

void TTextEngine::Reload() {
  if (auto core = FCore.lock()) {
    std::wstring url = core->Url();
    if (!url.empty()) Navigate(url, nullptr, -1);
  }
}

void TTextEngine::GoBack() { HistoryStep(-1); }
void TTextEngine::GoForward() { HistoryStep(1); }
bool TTextEngine::CanGoBack() const { return CanStep(-1); }
bool TTextEngine::CanGoForward() const { return CanStep(1); }

void TTextEngine::ExecuteScript(std::wstring, std::wstring) {
  // No script runs here; the journal says that the program asked.
  if (auto core = FCore.lock()) TJournalLine("script_ignored").Int("browser", core->Id()).Write();
}

void TTextEngine::VisitSource(std::function<void(std::wstring)> visit) {
  auto core = FCore.lock();
  VisitLater(std::move(visit), core ? core->Source() : std::wstring());
}

void TTextEngine::VisitText(std::function<void(std::wstring)> visit) {
  auto core = FCore.lock();
  VisitLater(std::move(visit), core ? core->Text() : std::wstring());
}

}  // namespace standin
