#include "browser_host.h"

#include "held_ref.h"
#include "journal.h"
#include "runtime_threads.h"
#include "string_view_record.h"

#include <memory>

namespace standin {

namespace {

TBrowserCore& C(cef_browser_host_t* self) { return TBrowserHost::From(self)->Core(); }

template <class Struct>
void GiveBack(Struct* object, const char* kind) {
  THeld<Struct>::Adopt(object, kind).Reset();
}

cef_browser_t* CEF_CALLBACK GetBrowser(cef_browser_host_t* self) { return C(self).NewBrowser(); }
void CEF_CALLBACK CloseBrowser(cef_browser_host_t* self, int) { C(self).Close(TCloseReason::CloseBrowser); }
void CEF_CALLBACK SetFocus(cef_browser_host_t* self, int focus) { C(self).SetFocus(focus != 0); }
void CEF_CALLBACK SetWindowVisibility(cef_browser_host_t* self, int visible) { C(self).SetVisible(visible != 0); }
cef_window_handle_t CEF_CALLBACK GetWindowHandle(cef_browser_host_t* self) { return C(self).Window(); }
cef_window_handle_t CEF_CALLBACK GetOpenerWindowHandle(cef_browser_host_t*) { return nullptr; }
cef_client_t* CEF_CALLBACK GetClient(cef_browser_host_t* self) { return C(self).Client().PassOut(); }
cef_request_context_t* CEF_CALLBACK GetRequestContext(cef_browser_host_t*) { return nullptr; }
double CEF_CALLBACK GetZoomLevel(cef_browser_host_t* self) { return C(self).ZoomLevel(); }
void CEF_CALLBACK SetZoomLevel(cef_browser_host_t* self, double level) { C(self).SetZoomLevel(level); }

void CEF_CALLBACK RunFileDialog(cef_browser_host_t*, cef_file_dialog_mode_t, const cef_string_t*, const cef_string_t*,
                                cef_string_list_t, int, cef_run_file_dialog_callback_t* callback) {
  // No dialog: the callback hears that nothing was chosen.
  auto held = std::make_shared<THeld<cef_run_file_dialog_callback_t>>(
      THeld<cef_run_file_dialog_callback_t>::Adopt(callback, "run_file_dialog_callback"));
  if (!callback) return;
  TRuntimeThreads::Instance().Post(TID_UI, MakeWork([held] {
    if ((*held)->on_file_dialog_dismissed) (*held)->on_file_dialog_dismissed(held->Get(), 0, nullptr);
  }));
}

void CEF_CALLBACK StartDownload(cef_browser_host_t*, const cef_string_t*) {}
void CEF_CALLBACK Print(cef_browser_host_t*) {}

void CEF_CALLBACK PrintToPdf(cef_browser_host_t*, const cef_string_t* path, const cef_pdf_print_settings_t*,
                             cef_pdf_print_callback_t* callback) {
  auto held = std::make_shared<THeld<cef_pdf_print_callback_t>>(
      THeld<cef_pdf_print_callback_t>::Adopt(callback, "pdf_print_callback"));
  if (!callback) return;
  std::wstring file(path && path->str ? path->str : L"", path ? path->length : 0);
  TRuntimeThreads::Instance().Post(TID_UI, MakeWork([held, file] {
    cef_string_t text = ViewOf(file);
    if ((*held)->on_pdf_print_finished) (*held)->on_pdf_print_finished(held->Get(), &text, 0);
  }));
}

void CEF_CALLBACK Find(cef_browser_host_t*, int, const cef_string_t*, int, int, int) {}
void CEF_CALLBACK StopFinding(cef_browser_host_t*, int) {}

void CEF_CALLBACK ShowDevTools(cef_browser_host_t* self, const cef_window_info_t* info, cef_client_t* client,
                               const cef_browser_settings_t*, const cef_point_t*) {
  GiveBack(client, "devtools_client");
  C(self).ShowDevTools(info);
}

void CEF_CALLBACK CloseDevTools(cef_browser_host_t* self) { C(self).CloseDevTools(); }

void CEF_CALLBACK GetNavigationEntries(cef_browser_host_t*, cef_navigation_entry_visitor_t* visitor, int) {
  GiveBack(visitor, "navigation_entry_visitor");
}

void CEF_CALLBACK SetMouseCursorChangeDisabled(cef_browser_host_t*, int) {}
int CEF_CALLBACK IsMouseCursorChangeDisabled(cef_browser_host_t*) { return 0; }
void CEF_CALLBACK ReplaceMisspelling(cef_browser_host_t*, const cef_string_t*) {}
void CEF_CALLBACK AddWordToDictionary(cef_browser_host_t*, const cef_string_t*) {}
int CEF_CALLBACK IsWindowRenderingDisabled(cef_browser_host_t*) { return 0; }
void CEF_CALLBACK WasResized(cef_browser_host_t* self) { C(self).Invalidate(); }
void CEF_CALLBACK WasHidden(cef_browser_host_t*, int) {}
void CEF_CALLBACK NotifyScreenInfoChanged(cef_browser_host_t*) {}
void CEF_CALLBACK Invalidate(cef_browser_host_t* self, cef_paint_element_type_t) { C(self).Invalidate(); }
void CEF_CALLBACK SendKeyEvent(cef_browser_host_t*, const cef_key_event_t*) {}
void CEF_CALLBACK SendMouseClickEvent(cef_browser_host_t*, const cef_mouse_event_t*, cef_mouse_button_type_t, int, int) {}
void CEF_CALLBACK SendMouseMoveEvent(cef_browser_host_t*, const cef_mouse_event_t*, int) {}
void CEF_CALLBACK SendMouseWheelEvent(cef_browser_host_t*, const cef_mouse_event_t*, int, int) {}
void CEF_CALLBACK SendFocusEvent(cef_browser_host_t* self, int set_focus) { C(self).SetFocus(set_focus != 0); }
void CEF_CALLBACK SendCaptureLostEvent(cef_browser_host_t*) {}
void CEF_CALLBACK NotifyMoveOrResizeStarted(cef_browser_host_t*) {}
int CEF_CALLBACK GetWindowlessFrameRate(cef_browser_host_t*) { return 0; }
void CEF_CALLBACK SetWindowlessFrameRate(cef_browser_host_t*, int) {}
cef_text_input_context_t CEF_CALLBACK GetNsTextInputContext(cef_browser_host_t*) { return nullptr; }
void CEF_CALLBACK HandleKeyEventBeforeTextInputClient(cef_browser_host_t*, cef_event_handle_t) {}
void CEF_CALLBACK HandleKeyEventAfterTextInputClient(cef_browser_host_t*, cef_event_handle_t) {}

void CEF_CALLBACK DragTargetDragEnter(cef_browser_host_t*, cef_drag_data_t* drag_data, const cef_mouse_event_t*,
                                      cef_drag_operations_mask_t) {
  GiveBack(drag_data, "drag_data");
}

void CEF_CALLBACK DragTargetDragOver(cef_browser_host_t*, const cef_mouse_event_t*, cef_drag_operations_mask_t) {}
void CEF_CALLBACK DragTargetDragLeave(cef_browser_host_t*) {}
void CEF_CALLBACK DragTargetDrop(cef_browser_host_t*, const cef_mouse_event_t*) {}
void CEF_CALLBACK DragSourceEndedAt(cef_browser_host_t*, int, int, cef_drag_operations_mask_t) {}
void CEF_CALLBACK DragSourceSystemDragEnded(cef_browser_host_t*) {}

}  // namespace

TBrowserHost::TBrowserHost(TCoreRef core) : TRuntimeStruct("browser_host"), FCore(std::move(core)) {
  cef_browser_host_t& m = Members();
  m.get_browser = &GetBrowser;
  m.close_browser = &CloseBrowser;
  m.set_focus = &SetFocus;
  m.set_window_visibility = &SetWindowVisibility;
  m.get_window_handle = &GetWindowHandle;
  m.get_opener_window_handle = &GetOpenerWindowHandle;
  m.get_client = &GetClient;
  m.get_request_context = &GetRequestContext;
  m.get_zoom_level = &GetZoomLevel;
  m.set_zoom_level = &SetZoomLevel;
  m.run_file_dialog = &RunFileDialog;
  m.start_download = &StartDownload;
  m.print = &Print;
  m.print_to_pdf = &PrintToPdf;
  m.find = &Find;
  m.stop_finding = &StopFinding;
  m.show_dev_tools = &ShowDevTools;
  m.close_dev_tools = &CloseDevTools;
  m.get_navigation_entries = &GetNavigationEntries;
  m.set_mouse_cursor_change_disabled = &SetMouseCursorChangeDisabled;
  m.is_mouse_cursor_change_disabled = &IsMouseCursorChangeDisabled;
  m.replace_misspelling = &ReplaceMisspelling;
  m.add_word_to_dictionary = &AddWordToDictionary;
  m.is_window_rendering_disabled = &IsWindowRenderingDisabled;
  m.was_resized = &WasResized;
  m.was_hidden = &WasHidden;
  m.notify_screen_info_changed = &NotifyScreenInfoChanged;
  m.invalidate = &Invalidate;
  m.send_key_event = &SendKeyEvent;
  m.send_mouse_click_event = &SendMouseClickEvent;
  m.send_mouse_move_event = &SendMouseMoveEvent;
  m.send_mouse_wheel_event = &SendMouseWheelEvent;
  m.send_focus_event = &SendFocusEvent;
  m.send_capture_lost_event = &SendCaptureLostEvent;
  m.notify_move_or_resize_started = &NotifyMoveOrResizeStarted;
  m.get_windowless_frame_rate = &GetWindowlessFrameRate;
  m.set_windowless_frame_rate = &SetWindowlessFrameRate;
  m.get_nstext_input_context = &GetNsTextInputContext;
  m.handle_key_event_before_text_input_client = &HandleKeyEventBeforeTextInputClient;
  m.handle_key_event_after_text_input_client = &HandleKeyEventAfterTextInputClient;
  m.drag_target_drag_enter = &DragTargetDragEnter;
  m.drag_target_drag_over = &DragTargetDragOver;
  m.drag_target_drag_leave = &DragTargetDragLeave;
  m.drag_target_drop = &DragTargetDrop;
  m.drag_source_ended_at = &DragSourceEndedAt;
  m.drag_source_system_drag_ended = &DragSourceSystemDragEnded;
}

}  // namespace standin
