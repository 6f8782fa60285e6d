// TCefBrowserRef and TCefBrowserHostRef: ICefBrowser over cef_browser_t and ICefBrowserHost
// over cef_browser_host_t, one line per member in the struct's order; and CreateBrowserSync.

#include "ceflib/cef_browser.h"
#include "ceflib/cef_client.h"
#include "ceflib/cef_drag_data.h"
#include "ceflib/cef_entry_points.h"
#include "ceflib/cef_frame.h"
#include "ceflib/cef_loader.h"
#include "ceflib/cef_navigation_entry.h"
#include "ceflib/cef_process_message.h"
#include "ceflib/cef_ref_of.h"
#include "ceflib/cef_request_context.h"

namespace ceflib {
namespace {

using B = cef_browser_t;

class TCefBrowserRef final : public TCefRefOf<TCefBrowserRef, ICefBrowser, B> {
 public:
  using TCefRefOf::TCefRefOf;
  RefPtr<ICefBrowserHost> GetHost() override { return Call(&B::get_host); }
  bool CanGoBack() override { return Call(&B::can_go_back); }
  void GoBack() override { Call(&B::go_back); }
  bool CanGoForward() override { return Call(&B::can_go_forward); }
  void GoForward() override { Call(&B::go_forward); }
  bool IsLoading() override { return Call(&B::is_loading); }
  void Reload() override { Call(&B::reload); }
  void ReloadIgnoreCache() override { Call(&B::reload_ignore_cache); }
  void StopLoad() override { Call(&B::stop_load); }
  int GetIdentifier() override { return Call(&B::get_identifier); }
  bool IsSame(const RefPtr<ICefBrowser>& that) override { return Call(&B::is_same, that); }
  bool IsPopup() override { return Call(&B::is_popup); }
  bool HasDocument() override { return Call(&B::has_document); }
  RefPtr<ICefFrame> GetMainFrame() override { return Call(&B::get_main_frame); }
  RefPtr<ICefFrame> GetFocusedFrame() override { return Call(&B::get_focused_frame); }
  RefPtr<ICefFrame> GetFrameByident(int64_t identifier) override { return Call(&B::get_frame_byident, identifier); }
  RefPtr<ICefFrame> GetFrame(const ustring& name) override { return Call(&B::get_frame, name); }
  size_t GetFrameCount() override { return Call(&B::get_frame_count); }
  void GetFrameIdentifiers(size_t* identifiersCount, int64_t* identifiers) override {
    Call(&B::get_frame_identifiers, identifiersCount, identifiers);
  }
  void GetFrameNames(ustringlist& names) override { Call(&B::get_frame_names, names); }
  bool SendProcessMessage(cef_process_id_t targetProcess, const RefPtr<ICefProcessMessage>& message) override {
    return Call(&B::send_process_message, targetProcess, message);
  }
};

using H = cef_browser_host_t;

// get_client is not part of the interface.
class TCefBrowserHostRef final : public TCefRefOf<TCefBrowserHostRef, ICefBrowserHost, H> {
 public:
  using TCefRefOf::TCefRefOf;
  RefPtr<ICefBrowser> GetBrowser() override { return Call(&H::get_browser); }
  void CloseBrowser(bool forceClose) override { Call(&H::close_browser, forceClose); }
  void SetFocus(bool focus) override { Call(&H::set_focus, focus); }
  void SetWindowVisibility(bool visible) override { Call(&H::set_window_visibility, visible); }
  cef_window_handle_t GetWindowHandle() override { return Call(&H::get_window_handle); }
  cef_window_handle_t GetOpenerWindowHandle() override { return Call(&H::get_opener_window_handle); }
  RefPtr<ICefRequestContext> GetRequestContext() override { return Call(&H::get_request_context); }
  double GetZoomLevel() override { return Call(&H::get_zoom_level); }
  void SetZoomLevel(double zoomLevel) override { Call(&H::set_zoom_level, zoomLevel); }
  void RunFileDialog(cef_file_dialog_mode_t mode, const ustring& title, const ustring& defaultFilePath,
                     const ustringlist& acceptFilters, int selectedAcceptFilter,
                     const RefPtr<ICefRunFileDialogCallback>& callback) override {
    Call(&H::run_file_dialog, mode, title, defaultFilePath, acceptFilters, selectedAcceptFilter, callback);
  }
  void RunFileDialogProc(cef_file_dialog_mode_t mode, const ustring& title, const ustring& defaultFilePath,
                         const ustringlist& acceptFilters, int selectedAcceptFilter,
                         const TCefRunFileDialogCallbackProc& callback) override {
    RunFileDialog(mode, title, defaultFilePath, acceptFilters, selectedAcceptFilter,
                  MakeRef<TCefFastRunFileDialogCallback>(callback));
  }
  void StartDownload(const ustring& url) override { Call(&H::start_download, url); }
  void Print() override { Call(&H::print); }
  void PrintToPdf(const ustring& path, const cef_pdf_print_settings_t* settings,
                  const RefPtr<ICefPdfPrintCallback>& callback) override {
    Call(&H::print_to_pdf, path, settings, callback);
  }
  void PrintToPdfProc(const ustring& path, const cef_pdf_print_settings_t* settings,
                      const TOnPdfPrintFinishedProc& callback) override {
    PrintToPdf(path, settings, MakeRef<TCefFastPdfPrintCallback>(callback));
  }
  void Find(int identifier, const ustring& searchText, bool forward, bool matchCase, bool findNext) override {
    Call(&H::find, identifier, searchText, forward, matchCase, findNext);
  }
  void StopFinding(bool clearSelection) override { Call(&H::stop_finding, clearSelection); }
  void ShowDevTools(const cef_window_info_t* windowInfo, const RefPtr<ICefClient>& client,
                    const cef_browser_settings_t* settings, const cef_point_t* inspectElementAt) override {
    Call(&H::show_dev_tools, windowInfo, client, settings, inspectElementAt);
  }
  void CloseDevTools() override { Call(&H::close_dev_tools); }
  void GetNavigationEntries(const RefPtr<ICefNavigationEntryVisitor>& visitor, bool currentOnly) override {
    Call(&H::get_navigation_entries, visitor, currentOnly);
  }
  void GetNavigationEntriesProc(const TCefNavigationEntryVisitorProc& visitor, bool currentOnly) override {
    GetNavigationEntries(MakeRef<TCefFastNavigationEntryVisitor>(visitor), currentOnly);
  }
  void SetMouseCursorChangeDisabled(bool disabled) override { Call(&H::set_mouse_cursor_change_disabled, disabled); }
  bool IsMouseCursorChangeDisabled() override { return Call(&H::is_mouse_cursor_change_disabled); }
  void ReplaceMisspelling(const ustring& word) override { Call(&H::replace_misspelling, word); }
  void AddWordToDictionary(const ustring& word) override { Call(&H::add_word_to_dictionary, word); }
  bool IsWindowRenderingDisabled() override { return Call(&H::is_window_rendering_disabled); }
  void WasResized() override { Call(&H::was_resized); }
  void WasHidden(bool hidden) override { Call(&H::was_hidden, hidden); }
  void NotifyScreenInfoChanged() override { Call(&H::notify_screen_info_changed); }
  void Invalidate(cef_paint_element_type_t type) override { Call(&H::invalidate, type); }
  void SendKeyEvent(const cef_key_event_t* event) override { Call(&H::send_key_event, event); }
  void SendMouseClickEvent(const cef_mouse_event_t* event, cef_mouse_button_type_t type, bool mouseUp,
                           int clickCount) override {
    Call(&H::send_mouse_click_event, event, type, mouseUp, clickCount);
  }
  void SendMouseMoveEvent(const cef_mouse_event_t* event, bool mouseLeave) override {
    Call(&H::send_mouse_move_event, event, mouseLeave);
  }
  void SendMouseWheelEvent(const cef_mouse_event_t* event, int deltaX, int deltaY) override {
    Call(&H::send_mouse_wheel_event, event, deltaX, deltaY);
  }
  void SendFocusEvent(bool setFocus) override { Call(&H::send_focus_event, setFocus); }
  void SendCaptureLostEvent() override { Call(&H::send_capture_lost_event); }
  void NotifyMoveOrResizeStarted() override { Call(&H::notify_move_or_resize_started); }
  int GetWindowlessFrameRate() override { return Call(&H::get_windowless_frame_rate); }
  void SetWindowlessFrameRate(int frameRate) override { Call(&H::set_windowless_frame_rate, frameRate); }
  cef_text_input_context_t GetNstextInputContext() override { return Call(&H::get_nstext_input_context); }
  void HandleKeyEventBeforeTextInputClient(cef_event_handle_t keyEvent) override {
    Call(&H::handle_key_event_before_text_input_client, keyEvent);
  }
  void HandleKeyEventAfterTextInputClient(cef_event_handle_t keyEvent) override {
    Call(&H::handle_key_event_after_text_input_client, keyEvent);
  }
  void DragTargetDragEnter(const RefPtr<ICefDragData>& dragData, const cef_mouse_event_t* event,
                           cef_drag_operations_mask_t allowedOps) override {
    Call(&H::drag_target_drag_enter, dragData, event, allowedOps);
  }
  void DragTargetDragOver(const cef_mouse_event_t* event, cef_drag_operations_mask_t allowedOps) override {
    Call(&H::drag_target_drag_over, event, allowedOps);
  }
  void DragTargetDragLeave() override { Call(&H::drag_target_drag_leave); }
  void DragTargetDrop(const cef_mouse_event_t* event) override { Call(&H::drag_target_drop, event); }
  void DragSourceEndedAt(int x, int y, cef_drag_operations_mask_t op) override {
    Call(&H::drag_source_ended_at, x, y, op);
  }
  void DragSourceSystemDragEnded() override { Call(&H::drag_source_system_drag_ended); }
};

}  // namespace

RefPtr<ICefBrowser> ICefBrowser::UnWrap(void* data) { return TCefBrowserRef::UnWrap(data); }

RefPtr<ICefBrowserHost> ICefBrowserHost::UnWrap(void* data) { return TCefBrowserHostRef::UnWrap(data); }

RefPtr<ICefBrowser> CreateBrowserSync(const cef_window_info_t* windowInfo, const RefPtr<ICefClient>& client,
                                      const ustring& url, const cef_browser_settings_t* settings,
                                      const RefPtr<ICefRequestContext>& requestContext) {
  LoadChromiumRuntime();
  return CefInvoke(cef_browser_host_create_browser_sync, windowInfo, client, url, settings, requestContext);
}

}  // namespace ceflib
