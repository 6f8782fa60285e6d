#include "text_engine.h"

#include "browser_core.h"
#include "journal.h"
#include "runtime_threads.h"
#include "utf.h"

namespace standin {

namespace {

void VisitLater(std::function<void(std::wstring)> visit, std::wstring text) {
  TRuntimeThreads::Instance().Post(TID_UI, MakeWork([visit = std::move(visit), text = std::move(text)] { visit(text); }));
}

}  // namespace

void TTextEngine::Load(std::wstring url) {
  if (auto core = FCore.lock()) core->TextNavigate(std::move(url), nullptr, -1);
}

void TTextEngine::LoadHtml(std::wstring html, std::wstring url) {
  if (auto core = FCore.lock()) core->TextNavigate(std::move(url), std::make_shared<std::string>(ToUtf8(html)), -1);
}

void TTextEngine::Stop() {
  if (auto core = FCore.lock()) core->TextStop();
}

void TTextEngine::Reload() {
  if (auto core = FCore.lock()) {
    std::wstring url = core->Url();
    if (!url.empty()) core->TextNavigate(url, nullptr, -1);
  }
}

void TTextEngine::GoBack() {
  if (auto core = FCore.lock()) core->TextHistoryStep(-1);
}

void TTextEngine::GoForward() {
  if (auto core = FCore.lock()) core->TextHistoryStep(1);
}

bool TTextEngine::CanGoBack() const {
  auto core = FCore.lock();
  return core && core->TextCanStep(-1);
}

bool TTextEngine::CanGoForward() const {
  auto core = FCore.lock();
  return core && core->TextCanStep(1);
}

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
