#pragma once
// One browser: its client, its window, its main frame's address and page, and the load in
// progress. The structs handed to the program (browser, host, frame) are thin wrappers that
// share this object, so it lives while any of them does. Program callbacks run without the
// lock held; UI-thread state changes only on the UI thread.

#include "held_ref.h"
#include "page_engine.h"
#include "page_view.h"
#include "page_window.h"

#include <cef_capi.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace standin {

class TDevToolsWindow;

enum class TCloseReason { CloseBrowser, WindowDestroyed, Shutdown };

class TBrowserCore : public std::enable_shared_from_this<TBrowserCore> {
 public:
  TBrowserCore(int id, THeld<cef_client_t> client, uint32_t background_argb);
  ~TBrowserCore();

  int Id() const { return FId; }
  uint32_t Background() const { return FBackground; }  // the background colour setting (ARGB)
  int64_t FrameId() const { return FId; }

  // New wrapper structs, each with one reference for the receiver.
  cef_browser_t* NewBrowser();
  cef_browser_host_t* NewHost();
  cef_frame_t* NewFrame();

  // The client with one reference of the caller's own; empty once the browser is closed.
  THeld<cef_client_t> Client() const;

  // UI thread: the browser's native window inside the parent the program gave.
  bool CreateNativeWindow(const cef_window_info_t& info);
  HWND Window() const;

  // UI thread, once, right after the window: what shows the pages and runs the loads.
  void SetEngine(std::shared_ptr<TPageEngine> engine);
  // The engine; once the browser has closed, one that does nothing.
  std::shared_ptr<TPageEngine> Engine() const;

  // Any thread; the work happens in the UI thread's loop work.
  void LoadUrl(std::wstring url) { Engine()->Load(std::move(url)); }
  void Close(TCloseReason reason);
  // UI thread, at runtime shutdown: ends everything without calling the program.
  void CloseAtShutdown();

  bool IsLoading() const;
  bool HasDocument() const;
  bool Closed() const;
  std::wstring Url() const;
  std::wstring Source() const;
  std::wstring Text() const;

  double ZoomLevel() const;
  void SetZoomLevel(double level);
  void SetFocus(bool focus);
  void SetVisible(bool visible);
  void Invalidate();
  void ShowDevTools(const cef_window_info_t* info);
  void CloseDevTools();

  // An engine that renders pages itself (UI thread): its address, the picture, the error.
  void CommitAddress(const std::wstring& url);
  void ShowPicture(std::shared_ptr<const page::TPagePicture> picture);

  // The text display's access (navigation.cpp): its page in place, and the loading state.
  std::mutex& Lock() const { return FLock; }
  void CommitPage(const std::wstring& url, std::wstring title, std::vector<std::wstring> paragraphs,
                  std::wstring source);  // UI thread
  void ShowError(const std::wstring& url, int error, bool change_address);  // UI thread
  void SetLoadingLocked(bool loading) { FLoading = loading; }
  bool LoadingLocked() const { return FLoading; }

 private:
  void FinishClose(TCloseReason reason);
  void UpdateView();
  void OnWindowFocus();
  void OnWindowKey(UINT message, WPARAM wparam, LPARAM lparam);
  void OnWindowInput(UINT message, WPARAM wparam, LPARAM lparam);
  void OnWindowResized(int width, int height);

  const int FId;
  const uint32_t FBackground;
  mutable std::mutex FLock;
  THeld<cef_client_t> FClient;
  std::shared_ptr<TPageEngine> FEngine;        // set once before the browser is shared
  std::unique_ptr<page::TPageWindow> FWindow;  // UI thread only
  std::shared_ptr<const page::TPagePicture> FPicture;
  std::unique_ptr<TDevToolsWindow> FDevTools;  // UI thread only
  HWND FWindowHandle = nullptr;
  bool FClosed = false;
  bool FLoading = false;
  bool FHasDocument = false;
  double FZoom = 0;
  std::wstring FUrl;
  std::wstring FTitle;
  std::vector<std::wstring> FParagraphs;
  std::wstring FSource;
};

using TCoreRef = std::shared_ptr<TBrowserCore>;

}  // namespace standin
