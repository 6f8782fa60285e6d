#include "browser_core.h"

#include "browser.h"
#include "browser_events.h"
#include "browser_host.h"
#include "browser_registry.h"
#include "devtools_window.h"
#include "frame.h"
#include "journal.h"
#include "load_result.h"
#include "navigation.h"
#include "runtime_threads.h"
#include "thread_check.h"
#include "utf.h"

namespace standin {

namespace {

template <class F>
bool PostToUi(F&& f) {
  return TRuntimeThreads::Instance().Post(TID_UI, MakeWork(std::forward<F>(f)));
}

bool OnUi() { return TRuntimeThreads::Instance().CurrentlyOn(TID_UI); }

// What a closed browser's engine calls reach: nothing.
class TClosedEngine final : public TPageEngine {
 public:
  void Load(std::wstring) override {}
  void LoadHtml(std::wstring, std::wstring) override {}
  void Stop() override {}
  void Reload() override {}
  void GoBack() override {}
  void GoForward() override {}
  bool CanGoBack() const override { return false; }
  bool CanGoForward() const override { return false; }
  void ExecuteScript(std::wstring, std::wstring) override {}
  void VisitSource(std::function<void(std::wstring)> visit) override { Empty(std::move(visit)); }
  void VisitText(std::function<void(std::wstring)> visit) override { Empty(std::move(visit)); }
  void WindowInput(UINT, WPARAM, LPARAM) override {}
  void WindowResized(int, int) override {}
  void Close() override {}

 private:
  static void Empty(std::function<void(std::wstring)> visit) {
    PostToUi([visit = std::move(visit)] { visit(std::wstring()); });
  }
};

std::shared_ptr<TPageEngine> ClosedEngine() {
  static auto* engine = new std::shared_ptr<TPageEngine>(std::make_shared<TClosedEngine>());
  return *engine;
}

}  // namespace

TBrowserCore::TBrowserCore(int id, THeld<cef_client_t> client, uint32_t background_argb)
    : FId(id), FBackground(background_argb), FClient(std::move(client)) {}

TBrowserCore::~TBrowserCore() = default;

cef_browser_t* TBrowserCore::NewBrowser() {
  return MakeRuntimeObject<TBrowser>(shared_from_this())->PassOut();
}

cef_browser_host_t* TBrowserCore::NewHost() {
  return MakeRuntimeObject<TBrowserHost>(shared_from_this())->PassOut();
}

cef_frame_t* TBrowserCore::NewFrame() {
  return MakeRuntimeObject<TFrame>(shared_from_this())->PassOut();
}

void TBrowserCore::SetEngine(std::shared_ptr<TPageEngine> engine) {
  std::lock_guard<std::mutex> lock(FLock);
  FEngine = std::move(engine);
}

std::shared_ptr<TPageEngine> TBrowserCore::Engine() const {
  std::lock_guard<std::mutex> lock(FLock);
  if (FClosed || !FEngine) return ClosedEngine();
  return FEngine;
}

THeld<cef_client_t> TBrowserCore::Client() const {
  std::lock_guard<std::mutex> lock(FLock);
  return THeld<cef_client_t>::Adopt(FClient.PassOut(), "client");
}

bool TBrowserCore::CreateNativeWindow(const cef_window_info_t& info) {
  auto window = std::make_unique<page::TPageWindow>();
  std::weak_ptr<TBrowserCore> weak = weak_from_this();
  page::TPageWindowEvents events;
  events.on_focus = [weak] {
    if (auto core = weak.lock()) core->OnWindowFocus();
  };
  events.on_key = [weak](UINT message, WPARAM wparam, LPARAM lparam) {
    if (auto core = weak.lock()) core->OnWindowKey(message, wparam, lparam);
  };
  events.on_mouse = [weak](UINT message, WPARAM wparam, LPARAM lparam) {
    if (auto core = weak.lock()) core->OnWindowInput(message, wparam, lparam);
  };
  events.on_resized = [weak](int width, int height) {
    if (auto core = weak.lock()) core->OnWindowResized(width, height);
  };
  events.on_destroyed = [weak] {
    if (auto core = weak.lock()) core->Close(TCloseReason::WindowDestroyed);
  };
  std::wstring name(info.window_name.str ? info.window_name.str : L"", info.window_name.length);
  if (!window->Create(info.parent_window, info.style, info.ex_style, info.x, info.y, info.width, info.height,
                      name.c_str(), std::move(events)))
    return false;
  std::lock_guard<std::mutex> lock(FLock);
  FWindowHandle = window->Handle();
  FWindow = std::move(window);
  page::TPageView view;
  view.background_argb = FBackground;
  FWindow->SetView(std::move(view));
  return true;
}

HWND TBrowserCore::Window() const {
  std::lock_guard<std::mutex> lock(FLock);
  return FWindowHandle;
}

void TBrowserCore::Close(TCloseReason reason) {
  // Even on the UI thread: the program hears of the close in its loop work, never from
  // inside its own call or a window procedure.
  TCoreRef self = shared_from_this();
  PostToUi([self, reason] { self->FinishClose(reason); });
}

void TBrowserCore::FinishClose(TCloseReason reason) {
  STANDIN_ON_THREAD(TID_UI);
  if (Closed()) return;
  if (reason == TCloseReason::CloseBrowser) {
    // A browser asked to close goes with its window. do_close answered false: the window's
    // top-level window is told to close, and whoever owns it destroys it (the browser with
    // it). True: the program closes the window in its own way, when it wants to.
    bool program_closes = AskDoClose(*this);
    HWND window = Window();
    HWND top = window ? GetAncestor(window, GA_ROOT) : nullptr;
    TJournalLine("close_request").Int("browser", FId).Int("do_close", program_closes ? 1 : 0).Write();
    if (top) {
      if (!program_closes) PostMessageW(top, WM_CLOSE, 0, 0);
      return;
    }
  }
  std::unique_ptr<page::TPageWindow> window;
  std::unique_ptr<TDevToolsWindow> devtools;
  std::shared_ptr<TPageEngine> engine;
  {
    std::lock_guard<std::mutex> lock(FLock);
    engine = std::move(FEngine);
  }
  if (engine) engine->Close();
  engine.reset();
  {
    std::lock_guard<std::mutex> lock(FLock);
    FClosed = true;
    FLoading = false;
    window = std::move(FWindow);
    devtools = std::move(FDevTools);
    FWindowHandle = nullptr;
  }
  window.reset();
  devtools.reset();
  const char* why = reason == TCloseReason::CloseBrowser      ? "close_browser"
                    : reason == TCloseReason::WindowDestroyed ? "window_destroyed"
                                                              : "shutdown";
  TJournalLine("browser_closed").Int("browser", FId).Word("reason", why).Write();
  if (reason != TCloseReason::Shutdown) RaiseBeforeClose(*this);
  THeld<cef_client_t> client;
  {
    std::lock_guard<std::mutex> lock(FLock);
    client = std::move(FClient);
  }
  client.Reset();
  TBrowserRegistry::Instance().Remove(FId);
}

void TBrowserCore::CloseAtShutdown() { FinishClose(TCloseReason::Shutdown); }

bool TBrowserCore::IsLoading() const {
  std::lock_guard<std::mutex> lock(FLock);
  return FLoading;
}

bool TBrowserCore::HasDocument() const {
  std::lock_guard<std::mutex> lock(FLock);
  return FHasDocument;
}

bool TBrowserCore::Closed() const {
  std::lock_guard<std::mutex> lock(FLock);
  return FClosed;
}

std::wstring TBrowserCore::Url() const {
  std::lock_guard<std::mutex> lock(FLock);
  return FUrl;
}

std::wstring TBrowserCore::Source() const {
  std::lock_guard<std::mutex> lock(FLock);
  return FSource;
}

std::wstring TBrowserCore::Text() const {
  std::lock_guard<std::mutex> lock(FLock);
  std::wstring text = FTitle;
  for (const std::wstring& paragraph : FParagraphs) text += (text.empty() ? L"" : L"\n") + paragraph;
  return text;
}

double TBrowserCore::ZoomLevel() const {
  std::lock_guard<std::mutex> lock(FLock);
  return FZoom;
}

void TBrowserCore::SetZoomLevel(double level) {
  {
    std::lock_guard<std::mutex> lock(FLock);
    FZoom = level;
  }
  // An engine lays the page out anew at the new scale, as for a new size.
  RECT client = {};
  if (HWND window = Window(); window && GetClientRect(window, &client))
    Engine()->WindowResized(client.right - client.left, client.bottom - client.top);
}

void TBrowserCore::SetFocus(bool focus) {
  TCoreRef self = shared_from_this();
  auto apply = [self, focus] {
    HWND window = self->Window();
    if (!window) return;
    if (!focus) {
      if (GetFocus() == window) ::SetFocus(nullptr);
      return;
    }
    if (!AskSetFocus(*self)) ::SetFocus(window);
  };
  // on_set_focus is the program's to hear in its loop work, as every UI callback.
  PostToUi(apply);
}

void TBrowserCore::SetVisible(bool visible) {
  if (HWND window = Window()) ShowWindow(window, visible ? SW_SHOW : SW_HIDE);
}

void TBrowserCore::Invalidate() {
  if (HWND window = Window()) InvalidateRect(window, nullptr, FALSE);
}

void TBrowserCore::ShowDevTools(const cef_window_info_t* info) {
  if (!OnUi()) return;  // windows belong to the UI thread
  auto devtools = std::make_unique<TDevToolsWindow>();
  if (!devtools->Create(info, Window(), Url(), Source())) return;
  TJournalLine("devtools").Int("browser", FId).Word("action", "show").Write();
  std::unique_ptr<TDevToolsWindow> old;
  {
    std::lock_guard<std::mutex> lock(FLock);
    old = std::exchange(FDevTools, std::move(devtools));
  }
}

void TBrowserCore::CloseDevTools() {
  if (!OnUi()) return;
  std::unique_ptr<TDevToolsWindow> old;
  {
    std::lock_guard<std::mutex> lock(FLock);
    old = std::move(FDevTools);
  }
  if (old) TJournalLine("devtools").Int("browser", FId).Word("action", "close").Write();
}

void TBrowserCore::CommitPage(const std::wstring& url, std::wstring title, std::vector<std::wstring> paragraphs,
                              std::wstring source) {
  {
    std::lock_guard<std::mutex> lock(FLock);
    FUrl = url;
    FTitle = std::move(title);
    FParagraphs = std::move(paragraphs);
    FSource = std::move(source);
    FHasDocument = true;
  }
  UpdateView();
}

void TBrowserCore::ShowError(const std::wstring& url, int error, bool change_address) {
  {
    std::lock_guard<std::mutex> lock(FLock);
    if (!change_address) return;
    FUrl = url;
    FTitle = L"This page is not available";
    FParagraphs = {FromUtf8(ErrorName(error)) + L" (" + std::to_wstring(error) + L")", url};
    FSource.clear();
  }
  UpdateView();
}

void TBrowserCore::CommitAddress(const std::wstring& url) {
  std::lock_guard<std::mutex> lock(FLock);
  FUrl = url;
  FHasDocument = true;
}

void TBrowserCore::ShowPicture(std::shared_ptr<const page::TPagePicture> picture) {
  {
    std::lock_guard<std::mutex> lock(FLock);
    FPicture = std::move(picture);
  }
  UpdateView();
}

void TBrowserCore::UpdateView() {
  page::TPageView view;
  {
    std::lock_guard<std::mutex> lock(FLock);
    if (!FWindow) return;
    view.title = FTitle;
    view.address = FUrl;
    view.paragraphs = FParagraphs;
    view.background_argb = FBackground;
    view.picture = FPicture;
  }
  // The window belongs to this (the UI) thread; it is only replaced here and at close.
  if (FWindow) FWindow->SetView(std::move(view));
}

void TBrowserCore::OnWindowFocus() {
  TCoreRef self = shared_from_this();
  PostToUi([self] {
    if (!self->Closed()) RaiseGotFocus(*self);
  });
}

void TBrowserCore::OnWindowInput(UINT message, WPARAM wparam, LPARAM lparam) {
  if (!Closed()) Engine()->WindowInput(message, wparam, lparam);
}

void TBrowserCore::OnWindowResized(int width, int height) {
  if (!Closed()) Engine()->WindowResized(width, height);
}

void TBrowserCore::OnWindowKey(UINT message, WPARAM wparam, LPARAM lparam) {
  OnWindowInput(message, wparam, lparam);
  TCoreRef self = shared_from_this();
  MSG msg = {};
  msg.hwnd = Window();
  msg.message = message;
  msg.wParam = wparam;
  msg.lParam = lparam;
  msg.time = GetMessageTime();
  PostToUi([self, msg] {
    if (!self->Closed()) RaiseKeyEvent(*self, msg);
  });
}

}  // namespace standin
