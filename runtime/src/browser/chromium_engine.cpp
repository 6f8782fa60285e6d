#include "chromium_engine.h"

#include "engine_cookie_sync.h"
#include "engine_locator.h"
#include "engine_process.h"
#include "journal.h"
#include "wine_host.h"

#include <windows.h>

#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

namespace standin {

namespace {

constexpr int kStartTimeoutMs = 15000;

struct TEngineState {
  std::mutex lock;
  std::condition_variable started;
  bool starting = false;
  std::thread starter;
  std::unique_ptr<engine::TEngineProcess> process;
  TChromiumEngine::TConnectionRef connection;
  bool unix_engine = false;
  std::map<std::string, TChromiumEngine::TTargetListener> targets;
};

TEngineState& State() {
  static auto* state = new TEngineState;
  return *state;
}

void JournalText(const char* reason, const std::wstring& executable) {
  TJournalLine line("page_engine");
  line.Word("kind", "text").Word("reason", reason);
  if (!executable.empty()) line.Text("executable", executable);
  line.Write();
}

void RouteTargetEvent(const std::string& method, const engine::json& params) {
  if (method != "Target.targetInfoChanged" && method != "Target.targetCreated") return;
  const engine::json info = params.value("targetInfo", engine::json::object());
  // A target a page opened (a popup) is the opener's business.
  std::string target = info.value(method == "Target.targetCreated" ? "openerId" : "targetId", "");
  TChromiumEngine::TTargetListener listener;
  {
    std::lock_guard<std::mutex> lock(State().lock);
    auto it = State().targets.find(target);
    if (it == State().targets.end()) return;
    listener = it->second;
  }
  listener(method, params);
}

// The starter thread: find, start, connect; whatever fails leaves the text display.
void StartEngine(const std::wstring& profile_root) {
  engine::TEngineLocation location = engine::LocateEngine(engine::SystemEngineSearch());
  if (location.executable.empty()) {
    JournalText(location.reason.c_str(), L"");
    return;
  }
  auto process = std::make_unique<engine::TEngineProcess>();
  std::string failure;
  if (!process->Start(location.executable, engine::ProfileFolder(profile_root), kStartTimeoutMs, failure)) {
    JournalText(failure.c_str(), location.executable);
    return;
  }
  auto connection = std::make_shared<engine::TDevToolsConnection>();
  if (!connection->Connect(process->TakePipe(), failure)) {
    JournalText(failure.c_str(), location.executable);
    return;
  }
  connection->Listen("", &RouteTargetEvent);
  connection->OnClosed([] {
    TJournalLine("page_engine_ended").Write();
    DetachEngineCookies();
    std::map<std::string, TChromiumEngine::TTargetListener> targets;
    {
      std::lock_guard<std::mutex> lock(State().lock);
      targets = State().targets;
    }
    for (auto& [id, listener] : targets) listener("Engine.ended", engine::json::object());
  });
  if (!connection->CallAndWait("Target.setDiscoverTargets", {{"discover", true}}, "", 5000).ok) {
    JournalText("no_answer", location.executable);
    return;
  }
  // Before any page: the engine starts from the program's cookies, not its profile's own.
  AttachEngineCookies(connection);
  TJournalLine line("page_engine");
  line.Word("kind", "chromium").Text("executable", location.executable).Text("product", process->Product())
      .Word("transport", "pipe").Int("sandbox", process->Sandboxed() ? 1 : 0);
  if (!process->NoSandboxReason().empty()) line.Text("no_sandbox_reason", process->NoSandboxReason());
  line.Write();
  std::lock_guard<std::mutex> lock(State().lock);
  State().process = std::move(process);
  State().connection = std::move(connection);
  State().unix_engine = engine::IsUnixPath(location.executable);
}

}  // namespace

TChromiumEngine& TChromiumEngine::Instance() {
  static TChromiumEngine instance;
  return instance;
}

void TChromiumEngine::Start(const std::wstring& profile_root) {
  std::lock_guard<std::mutex> lock(State().lock);
  if (State().starting || State().starter.joinable()) return;
  State().starting = true;
  State().starter = std::thread([profile_root] {
    StartEngine(profile_root);
    std::lock_guard<std::mutex> lock(State().lock);
    State().starting = false;
    State().started.notify_all();
  });
}

TChromiumEngine::TConnectionRef TChromiumEngine::Connection() {
  std::unique_lock<std::mutex> lock(State().lock);
  State().started.wait(lock, [] { return !State().starting; });
  if (State().connection && !State().connection->Connected()) return nullptr;
  return State().connection;
}

void TChromiumEngine::Stop() {
  std::thread starter;
  {
    std::unique_lock<std::mutex> lock(State().lock);
    State().started.wait(lock, [] { return !State().starting; });
    starter = std::move(State().starter);
  }
  if (starter.joinable()) starter.join();
  TConnectionRef connection;
  std::unique_ptr<engine::TEngineProcess> process;
  {
    std::lock_guard<std::mutex> lock(State().lock);
    connection = std::move(State().connection);
    process = std::move(State().process);
    State().targets.clear();
  }
  if (connection) {
    // Asked politely first; the watchdog or the job ends whatever is left.
    connection->CallAndWait("Browser.close", {}, "", 2000);
    connection->OnClosed({});
    connection->Close();
  }
  process.reset();
}

bool TChromiumEngine::UnixEngine() const {
  std::lock_guard<std::mutex> lock(State().lock);
  return State().unix_engine;
}

void TChromiumEngine::ListenToTarget(const std::string& target_id, TTargetListener listener) {
  std::lock_guard<std::mutex> lock(State().lock);
  State().targets[target_id] = std::move(listener);
}

void TChromiumEngine::StopListeningToTarget(const std::string& target_id) {
  std::lock_guard<std::mutex> lock(State().lock);
  State().targets.erase(target_id);
}

}  // namespace standin
