#pragma once
// The browser family (cef_browser_t, cef_browser_host_t and the callbacks their operations
// take): ICefBrowser and ICefBrowserHost reach runtime objects through their wrappers; the
// run-file-dialog, navigation-entry and PDF callbacks are objects we hand to the runtime, with
// Fast forms around a closure. CreateBrowserSync makes a windowed browser.

#include <cstdint>
#include <functional>

#include "ceflib/cef_base.h"
#include "ceflib/cef_client.h"
#include "ceflib/cef_forward.h"
#include "ceflib/cef_own_of.h"
#include "ceflib/cef_request_context.h"
#include "ceflib/cef_types.h"

namespace ceflib {

class ICefBrowser : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefBrowser> UnWrap(void* data);

  virtual RefPtr<ICefBrowserHost> GetHost() = 0;
  virtual bool CanGoBack() = 0;
  virtual void GoBack() = 0;
  virtual bool CanGoForward() = 0;
  virtual void GoForward() = 0;
  virtual bool IsLoading() = 0;
  virtual void Reload() = 0;
  virtual void ReloadIgnoreCache() = 0;
  virtual void StopLoad() = 0;
  virtual int GetIdentifier() = 0;
  virtual bool IsSame(const RefPtr<ICefBrowser>& that) = 0;
  virtual bool IsPopup() = 0;
  virtual bool HasDocument() = 0;
  virtual RefPtr<ICefFrame> GetMainFrame() = 0;
  virtual RefPtr<ICefFrame> GetFocusedFrame() = 0;
  virtual RefPtr<ICefFrame> GetFrameByident(int64_t identifier) = 0;
  virtual RefPtr<ICefFrame> GetFrame(const ustring& name) = 0;
  virtual size_t GetFrameCount() = 0;
  // identifiersCount: in, the room in identifiers; out, the number the runtime stored.
  virtual void GetFrameIdentifiers(size_t* identifiersCount, int64_t* identifiers) = 0;
  // Appends the names of every frame to names.
  virtual void GetFrameNames(ustringlist& names) = 0;
  virtual bool SendProcessMessage(cef_process_id_t targetProcess, const RefPtr<ICefProcessMessage>& message) = 0;
};

// ---- Callbacks the host's operations take ----

class ICefRunFileDialogCallback : public virtual ICefBase {
 public:
  virtual void OnFileDialogDismissed(int selectedAcceptFilter, const ustringlist& filePaths) = 0;
};

class ICefNavigationEntryVisitor : public virtual ICefBase {
 public:
  // True to go on with the next entry.
  virtual bool Visit(const RefPtr<ICefNavigationEntry>& entry, bool current, int index, int total) = 0;
};

class ICefPdfPrintCallback : public virtual ICefBase {
 public:
  virtual void OnPdfPrintFinished(const ustring& path, bool ok) = 0;
};

using TCefRunFileDialogCallbackProc = std::function<void(int selectedAcceptFilter, const ustringlist& filePaths)>;
using TCefNavigationEntryVisitorProc =
    std::function<bool(const RefPtr<ICefNavigationEntry>& entry, bool current, int index, int total)>;
using TOnPdfPrintFinishedProc = std::function<void(const ustring& path, bool ok)>;

class ICefBrowserHost : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefBrowserHost> UnWrap(void* data);

  virtual RefPtr<ICefBrowser> GetBrowser() = 0;
  virtual void CloseBrowser(bool forceClose) = 0;
  virtual void SetFocus(bool focus) = 0;
  virtual void SetWindowVisibility(bool visible) = 0;
  virtual cef_window_handle_t GetWindowHandle() = 0;
  virtual cef_window_handle_t GetOpenerWindowHandle() = 0;
  virtual RefPtr<ICefRequestContext> GetRequestContext() = 0;
  virtual double GetZoomLevel() = 0;
  virtual void SetZoomLevel(double zoomLevel) = 0;
  virtual void RunFileDialog(cef_file_dialog_mode_t mode, const ustring& title, const ustring& defaultFilePath,
                             const ustringlist& acceptFilters, int selectedAcceptFilter,
                             const RefPtr<ICefRunFileDialogCallback>& callback) = 0;
  virtual void RunFileDialogProc(cef_file_dialog_mode_t mode, const ustring& title, const ustring& defaultFilePath,
                                 const ustringlist& acceptFilters, int selectedAcceptFilter,
                                 const TCefRunFileDialogCallbackProc& callback) = 0;
  virtual void StartDownload(const ustring& url) = 0;
  virtual void Print() = 0;
  virtual void PrintToPdf(const ustring& path, const cef_pdf_print_settings_t* settings,
                          const RefPtr<ICefPdfPrintCallback>& callback) = 0;
  virtual void PrintToPdfProc(const ustring& path, const cef_pdf_print_settings_t* settings,
                              const TOnPdfPrintFinishedProc& callback) = 0;
  virtual void Find(int identifier, const ustring& searchText, bool forward, bool matchCase, bool findNext) = 0;
  virtual void StopFinding(bool clearSelection) = 0;
  virtual void ShowDevTools(const cef_window_info_t* windowInfo, const RefPtr<ICefClient>& client,
                            const cef_browser_settings_t* settings, const cef_point_t* inspectElementAt) = 0;
  virtual void CloseDevTools() = 0;
  virtual void GetNavigationEntries(const RefPtr<ICefNavigationEntryVisitor>& visitor, bool currentOnly) = 0;
  virtual void GetNavigationEntriesProc(const TCefNavigationEntryVisitorProc& visitor, bool currentOnly) = 0;
  virtual void SetMouseCursorChangeDisabled(bool disabled) = 0;
  virtual bool IsMouseCursorChangeDisabled() = 0;
  virtual void ReplaceMisspelling(const ustring& word) = 0;
  virtual void AddWordToDictionary(const ustring& word) = 0;
  virtual bool IsWindowRenderingDisabled() = 0;
  virtual void WasResized() = 0;
  virtual void WasHidden(bool hidden) = 0;
  virtual void NotifyScreenInfoChanged() = 0;
  virtual void Invalidate(cef_paint_element_type_t type) = 0;
  virtual void SendKeyEvent(const cef_key_event_t* event) = 0;
  virtual void SendMouseClickEvent(const cef_mouse_event_t* event, cef_mouse_button_type_t type, bool mouseUp,
                                   int clickCount) = 0;
  virtual void SendMouseMoveEvent(const cef_mouse_event_t* event, bool mouseLeave) = 0;
  virtual void SendMouseWheelEvent(const cef_mouse_event_t* event, int deltaX, int deltaY) = 0;
  virtual void SendFocusEvent(bool setFocus) = 0;
  virtual void SendCaptureLostEvent() = 0;
  virtual void NotifyMoveOrResizeStarted() = 0;
  virtual int GetWindowlessFrameRate() = 0;
  virtual void SetWindowlessFrameRate(int frameRate) = 0;
  virtual cef_text_input_context_t GetNstextInputContext() = 0;
  virtual void HandleKeyEventBeforeTextInputClient(cef_event_handle_t keyEvent) = 0;
  virtual void HandleKeyEventAfterTextInputClient(cef_event_handle_t keyEvent) = 0;
  virtual void DragTargetDragEnter(const RefPtr<ICefDragData>& dragData, const cef_mouse_event_t* event,
                                   cef_drag_operations_mask_t allowedOps) = 0;
  virtual void DragTargetDragOver(const cef_mouse_event_t* event, cef_drag_operations_mask_t allowedOps) = 0;
  virtual void DragTargetDragLeave() = 0;
  virtual void DragTargetDrop(const cef_mouse_event_t* event) = 0;
  virtual void DragSourceEndedAt(int x, int y, cef_drag_operations_mask_t op) = 0;
  virtual void DragSourceSystemDragEnded() = 0;
};

// Loads and starts the runtime if that has not happened yet (its result is not examined), then
// creates a windowed browser synchronously. A nil requestContext means the global context
// (both headers are included so that nil can be passed for either object).
RefPtr<ICefBrowser> CreateBrowserSync(const cef_window_info_t* windowInfo, const RefPtr<ICefClient>& client,
                                      const ustring& url, const cef_browser_settings_t* settings,
                                      const RefPtr<ICefRequestContext>& requestContext);

// ---- Objects handed to the runtime ----

// Does nothing when the dialog is dismissed.
class TCefRunFileDialogCallbackOwn
    : public TCefOwnOf<ICefRunFileDialogCallback, cef_run_file_dialog_callback_t> {
 public:
  TCefRunFileDialogCallbackOwn();
  void OnFileDialogDismissed(int selectedAcceptFilter, const ustringlist& filePaths) override;
};

// Visits no entry beyond the first: Visit returns false.
class TCefNavigationEntryVisitorOwn
    : public TCefOwnOf<ICefNavigationEntryVisitor, cef_navigation_entry_visitor_t> {
 public:
  TCefNavigationEntryVisitorOwn();
  bool Visit(const RefPtr<ICefNavigationEntry>& entry, bool current, int index, int total) override;
};

// Subclasses supply OnPdfPrintFinished.
class TCefPdfPrintCallbackOwn : public TCefOwnOf<ICefPdfPrintCallback, cef_pdf_print_callback_t> {
 protected:
  TCefPdfPrintCallbackOwn();
};

class TCefFastRunFileDialogCallback final : public TCefRunFileDialogCallbackOwn {
 public:
  explicit TCefFastRunFileDialogCallback(TCefRunFileDialogCallbackProc callback);
  void OnFileDialogDismissed(int selectedAcceptFilter, const ustringlist& filePaths) override;

 private:
  const TCefRunFileDialogCallbackProc FCallback;
};

class TCefFastNavigationEntryVisitor final : public TCefNavigationEntryVisitorOwn {
 public:
  explicit TCefFastNavigationEntryVisitor(TCefNavigationEntryVisitorProc visitor);
  bool Visit(const RefPtr<ICefNavigationEntry>& entry, bool current, int index, int total) override;

 private:
  const TCefNavigationEntryVisitorProc FVisitor;
};

class TCefFastPdfPrintCallback final : public TCefPdfPrintCallbackOwn {
 public:
  explicit TCefFastPdfPrintCallback(TOnPdfPrintFinishedProc proc);
  void OnPdfPrintFinished(const ustring& path, bool ok) override;

 private:
  const TOnPdfPrintFinishedProc FProc;
};

}  // namespace ceflib
