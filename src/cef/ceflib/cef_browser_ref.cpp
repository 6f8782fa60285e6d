// TCefBrowserRef: ICefBrowser over the runtime's cef_browser_t, one line per member.

#include "ceflib/cef_browser.h"
#include "ceflib/cef_frame.h"
#include "ceflib/cef_ref_of.h"

namespace ceflib {
namespace {

class TCefBrowserRef final : public TCefRefOf<TCefBrowserRef, ICefBrowser, cef_browser_t> {
 public:
  using TCefRefOf::TCefRefOf;
  bool CanGoBack() override { return Call(&cef_browser_t::can_go_back); }
  void GoBack() override { Call(&cef_browser_t::go_back); }
  bool CanGoForward() override { return Call(&cef_browser_t::can_go_forward); }
  void GoForward() override { Call(&cef_browser_t::go_forward); }
  bool IsLoading() override { return Call(&cef_browser_t::is_loading); }
  void Reload() override { Call(&cef_browser_t::reload); }
  void ReloadIgnoreCache() override { Call(&cef_browser_t::reload_ignore_cache); }
  void StopLoad() override { Call(&cef_browser_t::stop_load); }
  int GetIdentifier() override { return Call(&cef_browser_t::get_identifier); }
  bool IsSame(const RefPtr<ICefBrowser>& that) override { return Call(&cef_browser_t::is_same, that); }
  bool IsPopup() override { return Call(&cef_browser_t::is_popup); }
  bool HasDocument() override { return Call(&cef_browser_t::has_document); }
  RefPtr<ICefFrame> GetMainFrame() override { return Call(&cef_browser_t::get_main_frame); }
  RefPtr<ICefFrame> GetFocusedFrame() override { return Call(&cef_browser_t::get_focused_frame); }
  RefPtr<ICefFrame> GetFrameByident(int64_t identifier) override { return Call(&cef_browser_t::get_frame_byident, identifier); }
  RefPtr<ICefFrame> GetFrame(const ustring& name) override { return Call(&cef_browser_t::get_frame, name); }
  size_t GetFrameCount() override { return Call(&cef_browser_t::get_frame_count); }
  void GetFrameNames(ustringlist& names) override { Call(&cef_browser_t::get_frame_names, names); }
};

}  // namespace

RefPtr<ICefBrowser> ICefBrowser::UnWrap(void* data) { return TCefBrowserRef::UnWrap(data); }

}  // namespace ceflib
