// TCefFrameRef: ICefFrame over the runtime's cef_frame_t, one line per member.

#include "ceflib/cef_browser.h"
#include "ceflib/cef_frame.h"
#include "ceflib/cef_ref_of.h"
#include "ceflib/cef_request.h"

namespace ceflib {
namespace {

class TCefFrameRef final : public TCefRefOf<TCefFrameRef, ICefFrame, cef_frame_t> {
 public:
  using TCefRefOf::TCefRefOf;
  bool IsValid() override { return Call(&cef_frame_t::is_valid); }
  void Undo() override { Call(&cef_frame_t::undo); }
  void Redo() override { Call(&cef_frame_t::redo); }
  void Cut() override { Call(&cef_frame_t::cut); }
  void Copy() override { Call(&cef_frame_t::copy); }
  void Paste() override { Call(&cef_frame_t::paste); }
  void Del() override { Call(&cef_frame_t::del); }
  void SelectAll() override { Call(&cef_frame_t::select_all); }
  void ViewSource() override { Call(&cef_frame_t::view_source); }
  void LoadRequest(const RefPtr<ICefRequest>& request) override { Call(&cef_frame_t::load_request, request); }
  void LoadUrl(const ustring& url) override { Call(&cef_frame_t::load_url, url); }
  void LoadString(const ustring& stringVal, const ustring& url) override { Call(&cef_frame_t::load_string, stringVal, url); }
  void ExecuteJavaScript(const ustring& code, const ustring& scriptUrl, int startLine) override {
    Call(&cef_frame_t::execute_java_script, code, scriptUrl, startLine);
  }
  bool IsMain() override { return Call(&cef_frame_t::is_main); }
  bool IsFocused() override { return Call(&cef_frame_t::is_focused); }
  ustring GetName() override { return Call(&cef_frame_t::get_name); }
  int64_t GetIdentifier() override { return Call(&cef_frame_t::get_identifier); }
  RefPtr<ICefFrame> GetParent() override { return Call(&cef_frame_t::get_parent); }
  ustring GetUrl() override { return Call(&cef_frame_t::get_url); }
  RefPtr<ICefBrowser> GetBrowser() override { return Call(&cef_frame_t::get_browser); }
};

}  // namespace

RefPtr<ICefFrame> ICefFrame::UnWrap(void* data) { return TCefFrameRef::UnWrap(data); }

}  // namespace ceflib
