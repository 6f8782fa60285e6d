#pragma once
// What shows a browser's pages and runs its loads: the runtime's own text display, or an
// installed Chromium driven over its DevTools protocol. Chosen once, where a browser is
// created (ChoosePageEngine); the rest of the runtime talks to this interface only. Either
// one raises the same callbacks, in the same order and on the same threads.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace standin {

class TBrowserCore;

class TPageEngine {
 public:
  virtual ~TPageEngine() = default;

  // Any thread; the work happens later, callbacks in the UI thread's loop work.
  virtual void Load(std::wstring url) = 0;
  virtual void LoadHtml(std::wstring html, std::wstring url) = 0;
  virtual void Stop() = 0;
  virtual void Reload() = 0;
  virtual void GoBack() = 0;
  virtual void GoForward() = 0;
  virtual bool CanGoBack() const = 0;
  virtual bool CanGoForward() const = 0;
  virtual void ExecuteScript(std::wstring code, std::wstring script_url) = 0;
  // The page's source or text, handed to visit in the UI thread's loop work.
  virtual void VisitSource(std::function<void(std::wstring)> visit) = 0;
  virtual void VisitText(std::function<void(std::wstring)> visit) = 0;

  // UI thread: mouse and key messages of the browser's window, and its new client size.
  virtual void WindowInput(UINT message, WPARAM wparam, LPARAM lparam) = 0;
  virtual void WindowResized(int width, int height) = 0;
  // UI thread: the browser closes; nothing is raised afterwards.
  virtual void Close() = 0;
};

// The engine for a new browser (its window exists), chosen at once: the page façade over the
// installed Chromium when there is one (also while it starts or restarts), else the text
// display.
std::shared_ptr<TPageEngine> ChoosePageEngine(const std::shared_ptr<TBrowserCore>& core);

}  // namespace standin
