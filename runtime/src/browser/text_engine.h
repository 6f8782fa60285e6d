#pragma once
// The runtime's own page display: loads run by the runtime's loaders, the page shown as its
// title, address and text (navigation.cpp and the browser core do the work).

#include "page_engine.h"

namespace standin {

class TTextEngine final : public TPageEngine {
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
  void Close() override {}

 private:
  std::weak_ptr<TBrowserCore> FCore;
};

}  // namespace standin
