#pragma once
// A browser's pages rendered by the installed Chromium: one engine target per browser, sized
// to the browser window, its screencast painted into that window, the window's input sent to
// it. The engine's events become the runtime's callbacks, in the runtime's order and threads;
// requests for the program's own schemes are answered by the program's handlers.

#include "browser_core.h"
#include "chromium_engine.h"
#include "frame_pipeline.h"
#include "load_result.h"
#include "page_engine.h"
#include "page_addresses.h"
#include "runtime_threads.h"
#include "utf.h"
#include "viewport.h"

#include <atomic>
#include <map>
#include <mutex>
#include <unordered_map>

namespace standin {

class TChromiumPage final : public TPageEngine, public std::enable_shared_from_this<TChromiumPage> {
 public:
  using TConnectionRef = TChromiumEngine::TConnectionRef;
  using json = engine::json;

  // Asks the engine for a target and never waits: `made` runs on the engine thread with the
  // page, or null when the engine gives no target (it may never run if the engine stops
  // answering). A page that replaces another holds its pictures back until its first load
  // ends, so the window keeps the last one meanwhile.
  using TMade = std::function<void(std::shared_ptr<TChromiumPage>)>;
  static void Create(const TCoreRef& core, TConnectionRef connection, bool hold_frames, TMade made);
  TChromiumPage(const TCoreRef& core, TConnectionRef connection, std::string target, std::string session);

  const std::string& TargetId() const { return FTarget; }
  // The engine the target is in.
  const TConnectionRef& Connection() const { return FConnection; }
  const std::string& SessionId() const { return FSession; }

  void Load(std::wstring url) override;
  void LoadHtml(std::wstring html, std::wstring url) override;
  void Stop() override;
  void Reload() override;
  void GoBack() override;
  void GoForward() override;
  bool CanGoBack() const override;
  bool CanGoForward() const override;
  void ExecuteScript(std::wstring code, std::wstring script_url) override;
  void VisitSource(std::function<void(std::wstring)> visit) override;
  void VisitText(std::function<void(std::wstring)> visit) override;
  void WindowInput(UINT message, WPARAM wparam, LPARAM lparam) override;
  void WindowResized(int width, int height) override;
  void Close() override;
  // As Close, but the engine's target stays open on a blank page, no longer the runtime's.
  void Park();

 private:
  // The engine's events by method name (receiving thread).
  using TEventHandler = void (TChromiumPage::*)(const json& params);
  static const std::unordered_map<std::string, TEventHandler>& EventHandlers();
  // Asks the engine for a lossless picture of the page as it is while `since` is the newest
  // frame; the keeper takes it unless the page has moved on meanwhile.
  static void AskLossless(const TConnectionRef& connection, const std::string& session,
                          const std::shared_ptr<engine::TFrameKeeper>& keeper, uint64_t since);

  // Receiving thread.
  void Start(int width, int height);
  void TargetReady();
  void Navigate(const std::string& address, uint64_t serial);  // any thread
  void OnEvent(const std::string& method, const json& params);
  void OnFrame(const json& params);
  void StartFrames(TBrowserCore& core, const engine::TViewport& viewport);
  void OnRequestPaused(const json& params);
  void OnResponseReceived(const json& params);
  void OnLoadingFailed(const json& params);
  void OnFrameNavigated(const json& params);
  void OnNavigatedWithinDocument(const json& params);
  void OnLoadEventFired(const json& params);
  void OnTargetInfoChanged(const json& params);
  void OnBindingCalled(const json& params);
  void OnConsoleApiCalled(const json& params);
  void OnEngineEnded(const json& params);
  void OnTargetCrashed(const json& params);
  // What the page asks of the program (chromium_page_prompts.cpp).
  void StartPrompts();
  void OnDialogOpening(const json& params);
  void OnAuthRequired(const json& params);
  void OnCertificateError(const json& params);
  void OnWindowOpen(const json& params);
  void OnTargetCreated(const json& params);
  void OnDownloadWillBegin(const json& params);
  void OnDownloadProgress(const json& params);
  void AnswerDialog(const json& params);       // UI thread
  void AnswerCertificate(const json& params);  // UI thread
  void AskCredentials(const json& params);     // IO thread
  void AskDownload(const json& params);        // UI thread
  void DownloadAnswered(const std::string& guid, bool go, std::wstring path);  // any thread
  void SettleDownload(const std::string& guid);                                 // any thread
  uint64_t DocumentLoad(const json& params) const;
  // UI thread.
  void NavigateOwn(std::wstring url, bool html);
  void EndReplacedLoad();
  void BeginLoad(const std::wstring& url);
  void FinishLoad(uint64_t serial, const std::wstring& title);
  void FailLoad(uint64_t serial, int error, bool by_browse);
  void EndLoading(TBrowserCore& core);
  void RaiseTitle(std::wstring title);
  void CommitAddress(const std::wstring& address, const std::wstring& engine_url, bool new_document);
  void LoadEventFired();
  void TitleReported(const std::wstring& title);
  void BrowseDecision(json params, bool own);
  void EngineEnded();
  void PageCrashed();
  // The window gets the picture, or keeps it for the end of the load (chromium_page_hold.cpp).
  void Present(TBrowserCore& core, std::shared_ptr<const page::TPagePicture> picture);
  // Every end of a main-frame load, ended or failed.
  void LoadEnded(bool loaded);
  void ShowErrorPage(TBrowserCore& core, int error);
  // IO thread: the program's handlers answer a paused request, or it goes on to the network.
  void ServeRequest(json params);
  void ServeAllowed(const json& params, TRef<TRequest> request);
  void Fulfil(const std::string& request_id, const TLoadResult& result);
  void Evaluate(const std::wstring& expression, std::function<void(std::wstring)> visit);
  void Send(const std::string& method, json params);
  void RefreshHistory();  // any thread
  void StepHistory(int step, int attempt = 0);
  void JournalNeutral(const char* operation, const char* reason);
  // The engine's form of a program's address and back (any thread).
  std::string EngineAddress(const std::wstring& url) { return ToUtf8(FAddresses.ToEngine(url)); }
  std::wstring ProgramAddress(const std::string& engine_url) const { return FAddresses.ToProgram(FromUtf8(engine_url)); }

  template <class F>
  void PostUi(F&& f) {
    TRuntimeThreads::Instance().Post(TID_UI, MakeWork(std::forward<F>(f)));
  }

  std::weak_ptr<TBrowserCore> FCore;
  TConnectionRef FConnection;
  const std::string FTarget;
  const std::string FSession;
  // Ends what the runtime has of the page; false when it had ended already.
  bool Leave();
  std::atomic<bool> FClosed{false};
  std::atomic<uint64_t> FSerial{0};  // the current load; replies for older ones are stale
  engine::TPageAddresses FAddresses;
  std::atomic<uint32_t> FConsoleMessages{0};  // since the last discard

  mutable std::mutex FLock;           // what the receiving and IO threads share
  std::string FDocumentRequest;       // the engine's id of the load's document request
  uint64_t FDocumentSerial = 0;       // and the load it belongs to
  std::wstring FOwnAddress;           // engine address of the load the program asked for
  std::map<std::wstring, std::string> FHtml;  // load_string pages by engine address
  bool FReady = false;          // the target's first document is in place
  std::string FWaitingAddress;  // a navigation asked for before that
  int FHistoryIndex = 0;
  int FHistoryCount = 0;
  struct TDownload {
    bool answered = false;
    bool go = false;
    bool completed = false;
    std::wstring path;  // where the program wants it
    std::wstring name;  // the engine's suggestion
  };
  std::map<std::string, TDownload> FDownloads;  // by the engine's id
  std::wstring FDownloadFolder;                 // set before the first event

  // The frames: what the screencast is asked for, the newest frame, the worker that shows it.
  struct TScreencast {
    std::mutex lock;
    engine::TViewport viewport;
  };
  std::shared_ptr<TScreencast> FScreencast;      // set in Start
  std::shared_ptr<engine::TFrameKeeper> FKeeper;  // set in Start
  std::unique_ptr<engine::TFramePipeline> FFrames;  // UI thread; ends at Close

  // UI thread only.
  bool FLoading = false;
  bool FReplacing = false;  // a new load takes over from the one that ends
  bool FCommitted = false;  // the load in progress has its page in place
  int FStatus = 0;
  std::wstring FUrl;      // the program's address of the current page
  std::wstring FEngineUrl;  // the same as the engine names it
  std::wstring FLoadUrl;  // the address of the load in progress
  std::wstring FTitle;      // as last raised
  std::wstring FLoadTitle;  // as the engine last named the page while it loads
  int FCertificateError = 0;  // the certificate the program refused for the load in progress
  int FDownloadCount = 0;
  bool FHoldFrames = false;  // set before the first picture can come
  std::shared_ptr<const page::TPagePicture> FHeldPicture;
};

}  // namespace standin
