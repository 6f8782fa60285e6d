#include "browser.h"

#include "faults.h"
#include "held_ref.h"
#include "string_record.h"

namespace standin {

TBrowser::TBrowser(TCoreRef core) : TRuntimeStruct("browser"), FCore(std::move(core)) {
  cef_browser_t& m = Members();
  m.get_host = &GetHost;
  m.can_go_back = &CanGoBack;
  m.go_back = &GoBack;
  m.can_go_forward = &CanGoForward;
  m.go_forward = &GoForward;
  m.is_loading = &IsLoading;
  m.reload = &Reload;
  m.reload_ignore_cache = &ReloadIgnoreCache;
  m.stop_load = &StopLoad;
  m.get_identifier = &GetIdentifier;
  m.is_same = &IsSame;
  m.is_popup = &IsPopup;
  m.has_document = &HasDocument;
  m.get_main_frame = &GetMainFrame;
  m.get_focused_frame = &GetFocusedFrame;
  m.get_frame_byident = &GetFrameByIdent;
  m.get_frame = &GetFrame;
  m.get_frame_count = &GetFrameCount;
  m.get_frame_identifiers = &GetFrameIdentifiers;
  m.get_frame_names = &GetFrameNames;
  m.send_process_message = &SendProcessMessage;
}

cef_browser_host_t* CEF_CALLBACK TBrowser::GetHost(cef_browser_t* self) { return C(self).NewHost(); }
int CEF_CALLBACK TBrowser::CanGoBack(cef_browser_t* self) { return C(self).Engine()->CanGoBack() ? 1 : 0; }
void CEF_CALLBACK TBrowser::GoBack(cef_browser_t* self) { C(self).Engine()->GoBack(); }
int CEF_CALLBACK TBrowser::CanGoForward(cef_browser_t* self) { return C(self).Engine()->CanGoForward() ? 1 : 0; }
void CEF_CALLBACK TBrowser::GoForward(cef_browser_t* self) { C(self).Engine()->GoForward(); }
int CEF_CALLBACK TBrowser::IsLoading(cef_browser_t* self) { return C(self).IsLoading() ? 1 : 0; }
void CEF_CALLBACK TBrowser::Reload(cef_browser_t* self) { C(self).Engine()->Reload(); }
void CEF_CALLBACK TBrowser::ReloadIgnoreCache(cef_browser_t* self) { C(self).Engine()->Reload(); }
void CEF_CALLBACK TBrowser::StopLoad(cef_browser_t* self) { C(self).Engine()->Stop(); }
int CEF_CALLBACK TBrowser::GetIdentifier(cef_browser_t* self) { return C(self).Id(); }

int CEF_CALLBACK TBrowser::IsSame(cef_browser_t* self, cef_browser_t* that) {
  // Only browsers of this runtime are ever handed back here.
  int same = that && From(that)->FCore == From(self)->FCore ? 1 : 0;
  THeld<cef_browser_t>::Adopt(that, "browser_argument").Reset();
  return same;
}

int CEF_CALLBACK TBrowser::IsPopup(cef_browser_t*) { return 0; }
int CEF_CALLBACK TBrowser::HasDocument(cef_browser_t* self) { return C(self).HasDocument() ? 1 : 0; }
cef_frame_t* CEF_CALLBACK TBrowser::GetMainFrame(cef_browser_t* self) {
  return FaultOn("no_main_frame") ? nullptr : C(self).NewFrame();
}
cef_frame_t* CEF_CALLBACK TBrowser::GetFocusedFrame(cef_browser_t* self) {
  return FaultOn("no_main_frame") ? nullptr : C(self).NewFrame();
}

cef_frame_t* CEF_CALLBACK TBrowser::GetFrameByIdent(cef_browser_t* self, int64 identifier) {
  return identifier == C(self).FrameId() ? C(self).NewFrame() : nullptr;
}

cef_frame_t* CEF_CALLBACK TBrowser::GetFrame(cef_browser_t* self, const cef_string_t* name) {
  // The main frame has no name; there are no other frames.
  return View(name).empty() ? C(self).NewFrame() : nullptr;
}

size_t CEF_CALLBACK TBrowser::GetFrameCount(cef_browser_t*) { return 1; }

void CEF_CALLBACK TBrowser::GetFrameIdentifiers(cef_browser_t* self, size_t* count, int64* identifiers) {
  if (!count) return;
  if (FaultOn("empty_lists")) {
    *count = 0;
    return;
  }
  if (*count >= 1 && identifiers) identifiers[0] = C(self).FrameId();
  *count = 1;
}

void CEF_CALLBACK TBrowser::GetFrameNames(cef_browser_t*, cef_string_list_t names) {
  if (!names || FaultOn("empty_lists")) return;
  cef_string_t empty = {};
  cef_string_list_append(names, &empty);
}

int CEF_CALLBACK TBrowser::SendProcessMessage(cef_browser_t*, cef_process_id_t, cef_process_message_t* message) {
  // There is no renderer process to receive it.
  THeld<cef_process_message_t>::Adopt(message, "process_message").Reset();
  return 0;
}

}  // namespace standin
