#pragma once
// The runtime's own page display: loads run by the runtime's loaders (navigation.cpp), the
// page shown as its title, address and text by the browser core. This engine keeps what is
// the text display's alone: the load in flight and the history of the pages it showed.

#include "navigation_state.h"
#include "page_engine.h"
#include "thread_check.h"

#include <mutex>
#include <vector>

namespace standin {

class TTextEngine final : public TPageEngine, public std::enable_shared_from_this<TTextEngine> {
 public:
  explicit TTextEngine(const std::shared_ptr<TBrowserCore>& core) : FCore(core) {}

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
  void WindowInput(UINT, WPARAM, LPARAM) override {}
  void WindowResized(int, int) override {}
  // The load in flight ends without a word to the program.
  void Close() override;

  // The loaders' questions: whether nav is still the latest load asked for, and whether no
  // load is left unfinished (UI thread).
  bool IsCurrent(const TNavigationRef& nav) const;
  bool Idle() const;
  // UI thread: a page is in place; it takes the history entry the load moved to, or a new one.
  void Commit(const std::wstring& url, int history_target);

 private:
  void Navigate(std::wstring url, std::shared_ptr<std::string> html, int history_target);
  void HistoryStep(int step);
  bool CanStep(int step) const;

  std::weak_ptr<TBrowserCore> FCore;
  mutable std::mutex FLock;
  TNavigationState FNavigation;
  // A wall display loads pages for months: only the newest entries are kept, as browsers do.
  static constexpr size_t kHistoryLimit = 50;
  std::vector<std::wstring> FHistory;
  size_t FHistoryIndex = 0;  // valid while FHistory is not empty
  TThreadChecker FUiThread;
};

}  // namespace standin
