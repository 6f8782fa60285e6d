// TCefFrameRef: ICefFrame over the runtime's cef_frame_t, one line per member.

#include "ceflib/cef_browser.h"
#include "ceflib/cef_frame.h"
#include "ceflib/cef_ref_of.h"
#include "ceflib/cef_request.h"
#include "ceflib/cef_v8.h"

namespace ceflib {
namespace {

using F = cef_frame_t;

class TCefFrameRef final : public TCefRefOf<TCefFrameRef, ICefFrame, F> {
 public:
  using TCefRefOf::TCefRefOf;
  bool IsValid() override { return Call(&F::is_valid); }
  void Undo() override { Call(&F::undo); }
  void Redo() override { Call(&F::redo); }
  void Cut() override { Call(&F::cut); }
  void Copy() override { Call(&F::copy); }
  void Paste() override { Call(&F::paste); }
  void Del() override { Call(&F::del); }
  void SelectAll() override { Call(&F::select_all); }
  void ViewSource() override { Call(&F::view_source); }
  void GetSource(const RefPtr<ICefStringVisitor>& visitor) override { Call(&F::get_source, visitor); }
  void GetSourceProc(const TCefStringVisitorProc& proc) override { GetSource(MakeRef<TCefFastStringVisitor>(proc)); }
  void GetText(const RefPtr<ICefStringVisitor>& visitor) override { Call(&F::get_text, visitor); }
  void GetTextProc(const TCefStringVisitorProc& proc) override { GetText(MakeRef<TCefFastStringVisitor>(proc)); }
  void LoadRequest(const RefPtr<ICefRequest>& request) override { Call(&F::load_request, request); }
  void LoadUrl(const ustring& url) override { Call(&F::load_url, url); }
  void LoadString(const ustring& stringVal, const ustring& url) override { Call(&F::load_string, stringVal, url); }
  void ExecuteJavaScript(const ustring& code, const ustring& scriptUrl, int startLine) override {
    Call(&F::execute_java_script, code, scriptUrl, startLine);
  }
  bool IsMain() override { return Call(&F::is_main); }
  bool IsFocused() override { return Call(&F::is_focused); }
  ustring GetName() override { return Call(&F::get_name); }
  int64_t GetIdentifier() override { return Call(&F::get_identifier); }
  RefPtr<ICefFrame> GetParent() override { return Call(&F::get_parent); }
  ustring GetUrl() override { return Call(&F::get_url); }
  RefPtr<ICefBrowser> GetBrowser() override { return Call(&F::get_browser); }
  RefPtr<ICefv8Context> GetV8context() override { return Call(&F::get_v8context); }
  void VisitDom(const RefPtr<ICefDomVisitor>& visitor) override { Call(&F::visit_dom, visitor); }
  void VisitDomProc(const TCefDomVisitorProc& proc) override { VisitDom(MakeRef<TCefFastDomVisitor>(proc)); }
};

}  // namespace

RefPtr<ICefFrame> ICefFrame::UnWrap(void* data) { return TCefFrameRef::UnWrap(data); }

}  // namespace ceflib
