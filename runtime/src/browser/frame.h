#pragma once
// cef_frame_t for a browser's main frame (the stand-in has no other frames).

#include "browser_core.h"
#include "runtime_object.h"

namespace standin {

class TFrame final : public TRuntimeStruct<TFrame, cef_frame_t> {
 public:
  explicit TFrame(TCoreRef core);

 private:
  static TBrowserCore& C(cef_frame_t* self) { return *From(self)->FCore; }
  static int CEF_CALLBACK IsValid(cef_frame_t* self);
  static void CEF_CALLBACK EditCommand(cef_frame_t* self);
  static void CEF_CALLBACK ViewSource(cef_frame_t* self);
  static void CEF_CALLBACK GetSource(cef_frame_t* self, cef_string_visitor_t* visitor);
  static void CEF_CALLBACK GetText(cef_frame_t* self, cef_string_visitor_t* visitor);
  static void CEF_CALLBACK LoadRequest(cef_frame_t* self, cef_request_t* request);
  static void CEF_CALLBACK LoadUrl(cef_frame_t* self, const cef_string_t* url);
  static void CEF_CALLBACK LoadHtml(cef_frame_t* self, const cef_string_t* string_val, const cef_string_t* url);
  static void CEF_CALLBACK ExecuteJavaScript(cef_frame_t* self, const cef_string_t* code, const cef_string_t* script_url,
                                             int start_line);
  static int CEF_CALLBACK IsMain(cef_frame_t* self);
  static int CEF_CALLBACK IsFocused(cef_frame_t* self);
  static cef_string_userfree_t CEF_CALLBACK GetName(cef_frame_t* self);
  static int64 CEF_CALLBACK GetIdentifier(cef_frame_t* self);
  static cef_frame_t* CEF_CALLBACK GetParent(cef_frame_t* self);
  static cef_string_userfree_t CEF_CALLBACK GetUrl(cef_frame_t* self);
  static cef_browser_t* CEF_CALLBACK GetBrowser(cef_frame_t* self);
  static cef_v8context_t* CEF_CALLBACK GetV8Context(cef_frame_t* self);
  static void CEF_CALLBACK VisitDom(cef_frame_t* self, cef_domvisitor_t* visitor);

  TCoreRef FCore;
};

}  // namespace standin
