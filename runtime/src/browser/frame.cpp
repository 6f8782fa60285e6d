#include "frame.h"

#include "faults.h"
#include "held_ref.h"
#include "journal.h"
#include "request.h"
#include "runtime_threads.h"
#include "string_record.h"
#include "string_view_record.h"

#include <memory>

namespace standin {

namespace {

// The engine hands the text over in the UI thread's loop work, as the runtime does.
std::function<void(std::wstring)> VisitorCall(cef_string_visitor_t* visitor) {
  auto held = std::make_shared<THeld<cef_string_visitor_t>>(THeld<cef_string_visitor_t>::Adopt(visitor, "string_visitor"));
  return [held](std::wstring text) {
    cef_string_t value = ViewOf(text);
    if (*held && (*held)->visit) (*held)->visit(held->Get(), &value);
    held->Reset();
  };
}

}  // namespace

TFrame::TFrame(TCoreRef core) : TRuntimeStruct("frame"), FCore(std::move(core)) {
  cef_frame_t& m = Members();
  m.is_valid = &IsValid;
  m.undo = &EditCommand;
  m.redo = &EditCommand;
  m.cut = &EditCommand;
  m.copy = &EditCommand;
  m.paste = &EditCommand;
  m.del = &EditCommand;
  m.select_all = &EditCommand;
  m.view_source = &ViewSource;
  m.get_source = &GetSource;
  m.get_text = &GetText;
  m.load_request = &LoadRequest;
  m.load_url = &LoadUrl;
  m.load_string = &LoadHtml;
  m.execute_java_script = &ExecuteJavaScript;
  m.is_main = &IsMain;
  m.is_focused = &IsFocused;
  m.get_name = &GetName;
  m.get_identifier = &GetIdentifier;
  m.get_parent = &GetParent;
  m.get_url = &GetUrl;
  m.get_browser = &GetBrowser;
  m.get_v8context = &GetV8Context;
  m.visit_dom = &VisitDom;
}

int CEF_CALLBACK TFrame::IsValid(cef_frame_t* self) { return C(self).Closed() ? 0 : 1; }
// The page has no editable content.
void CEF_CALLBACK TFrame::EditCommand(cef_frame_t*) {}
void CEF_CALLBACK TFrame::ViewSource(cef_frame_t* self) { C(self).ShowDevTools(nullptr); }
void CEF_CALLBACK TFrame::GetSource(cef_frame_t* self, cef_string_visitor_t* visitor) {
  if (visitor) C(self).Engine()->VisitSource(VisitorCall(visitor));
}
void CEF_CALLBACK TFrame::GetText(cef_frame_t* self, cef_string_visitor_t* visitor) {
  if (visitor) C(self).Engine()->VisitText(VisitorCall(visitor));
}

void CEF_CALLBACK TFrame::LoadRequest(cef_frame_t* self, cef_request_t* request) {
  THeld<cef_request_t> held = THeld<cef_request_t>::Adopt(request, "request_argument");
  if (!request || !request->get_url) return;
  cef_string_userfree_t url = request->get_url(request);
  std::wstring text = url ? std::wstring(url->str, url->length) : std::wstring();
  if (url) cef_string_userfree_utf16_free(url);
  C(self).LoadUrl(text);
}

void CEF_CALLBACK TFrame::LoadUrl(cef_frame_t* self, const cef_string_t* url) { C(self).LoadUrl(Read(url)); }

void CEF_CALLBACK TFrame::LoadHtml(cef_frame_t* self, const cef_string_t* string_val, const cef_string_t* url) {
  C(self).Engine()->LoadHtml(Read(string_val), Read(url));
}

void CEF_CALLBACK TFrame::ExecuteJavaScript(cef_frame_t* self, const cef_string_t* code, const cef_string_t* script_url,
                                            int) {
  C(self).Engine()->ExecuteScript(Read(code), Read(script_url));
}

int CEF_CALLBACK TFrame::IsMain(cef_frame_t*) { return 1; }

int CEF_CALLBACK TFrame::IsFocused(cef_frame_t* self) {
  HWND window = C(self).Window();
  return window && GetFocus() == window ? 1 : 0;
}

cef_string_userfree_t CEF_CALLBACK TFrame::GetName(cef_frame_t*) { return nullptr; }
int64 CEF_CALLBACK TFrame::GetIdentifier(cef_frame_t* self) { return C(self).FrameId(); }
cef_frame_t* CEF_CALLBACK TFrame::GetParent(cef_frame_t*) { return nullptr; }
cef_string_userfree_t CEF_CALLBACK TFrame::GetUrl(cef_frame_t* self) {
  return FaultOn("null_strings") ? nullptr : UserFreeResult(C(self).Url());
}
cef_browser_t* CEF_CALLBACK TFrame::GetBrowser(cef_frame_t* self) { return C(self).NewBrowser(); }
cef_v8context_t* CEF_CALLBACK TFrame::GetV8Context(cef_frame_t*) { return nullptr; }

void CEF_CALLBACK TFrame::VisitDom(cef_frame_t*, cef_domvisitor_t* visitor) {
  // No DOM: the visitor is given back unvisited.
  THeld<cef_domvisitor_t>::Adopt(visitor, "dom_visitor").Reset();
}

}  // namespace standin
