#pragma once
// cef_browser_t over a browser core.

#include "browser_core.h"
#include "runtime_object.h"

namespace standin {

class TBrowser final : public TRuntimeStruct<TBrowser, cef_browser_t> {
 public:
  explicit TBrowser(TCoreRef core);
  const TCoreRef& Core() const { return FCore; }

 private:
  static TBrowserCore& C(cef_browser_t* self) { return *From(self)->FCore; }
  static cef_browser_host_t* CEF_CALLBACK GetHost(cef_browser_t* self);
  static int CEF_CALLBACK CanGoBack(cef_browser_t* self);
  static void CEF_CALLBACK GoBack(cef_browser_t* self);
  static int CEF_CALLBACK CanGoForward(cef_browser_t* self);
  static void CEF_CALLBACK GoForward(cef_browser_t* self);
  static int CEF_CALLBACK IsLoading(cef_browser_t* self);
  static void CEF_CALLBACK Reload(cef_browser_t* self);
  static void CEF_CALLBACK ReloadIgnoreCache(cef_browser_t* self);
  static void CEF_CALLBACK StopLoad(cef_browser_t* self);
  static int CEF_CALLBACK GetIdentifier(cef_browser_t* self);
  static int CEF_CALLBACK IsSame(cef_browser_t* self, cef_browser_t* that);
  static int CEF_CALLBACK IsPopup(cef_browser_t* self);
  static int CEF_CALLBACK HasDocument(cef_browser_t* self);
  static cef_frame_t* CEF_CALLBACK GetMainFrame(cef_browser_t* self);
  static cef_frame_t* CEF_CALLBACK GetFocusedFrame(cef_browser_t* self);
  static cef_frame_t* CEF_CALLBACK GetFrameByIdent(cef_browser_t* self, int64 identifier);
  static cef_frame_t* CEF_CALLBACK GetFrame(cef_browser_t* self, const cef_string_t* name);
  static size_t CEF_CALLBACK GetFrameCount(cef_browser_t* self);
  static void CEF_CALLBACK GetFrameIdentifiers(cef_browser_t* self, size_t* count, int64* identifiers);
  static void CEF_CALLBACK GetFrameNames(cef_browser_t* self, cef_string_list_t names);
  static int CEF_CALLBACK SendProcessMessage(cef_browser_t* self, cef_process_id_t target,
                                             cef_process_message_t* message);

  TCoreRef FCore;
};

}  // namespace standin
