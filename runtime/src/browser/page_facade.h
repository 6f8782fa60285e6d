#pragma once
// A browser's pages on the installed Chromium, as the browser sees them for its whole life:
// the façade stays while the engine's targets, and the engine itself, come and go. It holds
// the current TChromiumPage (one engine target) and replaces it when the engine restarts,
// when the page's renderer ends or stops answering, or when anyone calls Replace. Before a
// target or the engine can grow without bound (its loads, running time, memory) the next load
// the program asks for goes to a fresh one. What the program asks while there is no target
// waits for the next one; a page that comes back after a restart loads its address again, and
// the window keeps the last picture until it paints.

#include "browser_core.h"
#include "chromium_engine.h"
#include "page_engine.h"
#include "thread_check.h"

#include <atomic>
#include <mutex>
#include <optional>

namespace standin {

class TChromiumPage;

class TPageFacade final : public TPageEngine,
                          public TEngineClient,
                          public std::enable_shared_from_this<TPageFacade> {
 public:
  using TClock = std::chrono::steady_clock;

  // UI thread: the façade of a new browser; its target comes from the engine thread.
  static std::shared_ptr<TPageFacade> Create(const TCoreRef& core);
  explicit TPageFacade(const TCoreRef& core) : FCore(core) {}

  void Load(std::wstring url) override;
  void LoadHtml(std::wstring html, std::wstring url) override;
  void Stop() override;
  void Reload() override;
  void GoBack() override;
  void GoForward() override;
  bool CanGoBack() const override;
  bool CanGoForward() const override;
  void ExecuteScript(std::wstring code, std::wstring script_url) override;
  void VisitSource(std::function<void(std::wstring)> visit) override;
  void VisitText(std::function<void(std::wstring)> visit) override;
  void WindowInput(UINT message, WPARAM wparam, LPARAM lparam) override;
  void WindowResized(int width, int height) override;
  void Close() override;

  // Any thread: the page moves to a new engine target (the reason is journalled). With
  // reload, the current address loads there again by itself; without, the program's next
  // load or reload goes there. Either way the last picture stays until the new page paints.
  void Replace(const char* reason, bool reload);

  // The engine thread's calls.
  void EngineUp(const TConnectionRef& connection) override;
  void EngineDown() override;
  void Tick(TClock::time_point now) override;

 private:
  struct TPendingLoad {
    std::wstring url;
    std::optional<std::wstring> html;
  };

  std::shared_ptr<TChromiumPage> Page() const;
  void Send(TPendingLoad load);
  // Why the current target is due for a fresh one ("loads", "time", "memory"), or null.
  const char* TargetDueLocked() const;
  // Whether the target or the whole engine is.
  bool RecycleDue() const;
  // Engine thread.
  void MakeTarget(const TConnectionRef& connection);
  void Adopt(std::shared_ptr<TChromiumPage> page, const TConnectionRef& connection);
  void Drop();
  static void Retire(const std::shared_ptr<TChromiumPage>& page);
  void SampleMemory(const std::shared_ptr<TChromiumPage>& page, TClock::time_point now);
  void Probe(TClock::time_point now);
  void RendererEnded(const std::string& target, cef_termination_status_t status, const char* why);
  // The address to load again: the page's committed one, else the last one asked for.
  std::wstring CurrentAddress() const;
  int BrowserId() const;

  std::weak_ptr<TBrowserCore> FCore;

  mutable std::mutex FLock;  // what the engine thread, the UI thread and the program's calls share
  std::shared_ptr<TChromiumPage> FPage;
  bool FClosed = false;
  bool FFresh = true;          // the page has loaded nothing the program asked for
  bool FReloadNext = false;    // the next target loads the current address again
  bool FReplacement = false;   // the next target replaces one that showed pages
  std::optional<TPendingLoad> FPending;  // asked for while there was no target
  std::wstring FLastAsked;
  // Of the current target: its loads, since when it is there, its renderer's memory.
  int64_t FLoads = 0;
  TClock::time_point FBorn;
  int64_t FRendererBytes = 0;

  // Engine thread only.
  TThreadChecker FEngineThread;
  TConnectionRef FConnection;
  TClock::time_point FLastAttempt;
  uint64_t FAttempts = 0;
  uint64_t FMaking = 0;  // the target asked for and not yet given, or 0
  TClock::time_point FProbeSent;
  TClock::time_point FMemorySampled;
  std::shared_ptr<std::atomic<bool>> FProbeAnswered;

  TThreadChecker FUiThread;
};

}  // namespace standin
