#include "chromium_engine.h"

#include "engine_cookie_sync.h"
#include "engine_limits.h"
#include "engine_locator.h"
#include "engine_process.h"
#include "journal.h"
#include "process_memory.h"
#include "thread_check.h"
#include "wine_host.h"
#include "worker_thread.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <future>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace standin {

namespace {

using TClock = std::chrono::steady_clock;
using TConnectionRef = TChromiumEngine::TConnectionRef;

constexpr int kStartTimeoutMs = 15000;
constexpr int kTickMs = 1000;
// A heartbeat goes out every two seconds and has five to answer: a dead or frozen engine is
// noticed within seven seconds, and a busy one is not taken for dead.
constexpr auto kHeartbeatEvery = std::chrono::seconds(2);
constexpr auto kHeartbeatPatience = std::chrono::seconds(5);
constexpr int64_t kFirstBackoffMs = 1000;
constexpr int64_t kLastBackoffMs = 60000;
// An engine that lived this long died of something else than its start: the next one starts
// after the shortest wait again.
constexpr auto kHealthyLife = std::chrono::seconds(60);
constexpr auto kCookieSaveEvery = std::chrono::seconds(30);
constexpr int kStopPatienceMs = 3000;
// The engine's memory is looked at this often; a recycle only ever waits for a page's load.
constexpr auto kMemorySampleEvery = std::chrono::seconds(60);
// An engine asked to close is given this long to leave its profile before the next one starts.
constexpr auto kCloseGrace = std::chrono::seconds(5);

struct TEngineState {
  mutable std::mutex lock;
  std::unique_ptr<TWorkerThread> thread;
  bool expected = false;
  std::wstring executable;
  std::wstring profile_root;
  TConnectionRef connection;
  bool unix_engine = false;
  std::vector<std::weak_ptr<TEngineClient>> clients;
  std::map<std::string, TChromiumEngine::TTargetListener> targets;
  std::map<std::string, TChromiumEngine::TTargetListener> crash_watchers;
  uint64_t up_generation = 0;   // the engine now up
  TClock::time_point up_since;
  int64_t engine_bytes = 0;     // its processes' memory when last looked at
  int live_pages = 0;                 // the clients' targets open in it
  std::vector<std::string> holders;   // other page targets kept open until a client's comes

  // Engine thread only.
  TThreadChecker engine_thread;
  std::unique_ptr<engine::TEngineProcess> process;
  uint64_t generation = 0;  // of the engine now up, or of the last one
  int attempt = 0;
  int64_t backoff_ms = 0;
  TClock::time_point started_at;
  TClock::time_point heartbeat_sent;
  TClock::time_point cookies_saved;
  std::shared_ptr<std::atomic<bool>> heartbeat_answered;
  TClock::time_point memory_sampled;
};

TEngineState& State() {
  static auto* state = new TEngineState;
  return *state;
}

void PostEngineWork(std::function<void()> work, int64_t delay_ms = 0) {
  std::lock_guard<std::mutex> lock(State().lock);
  if (State().thread) State().thread->Post(MakeWork(std::move(work)), delay_ms);
}

std::vector<std::shared_ptr<TEngineClient>> LiveClientsLocked() {
  std::vector<std::shared_ptr<TEngineClient>> live;
  auto& clients = State().clients;
  clients.erase(std::remove_if(clients.begin(), clients.end(), [](const auto& weak) { return weak.expired(); }),
                clients.end());
  for (const auto& weak : clients)
    if (auto client = weak.lock()) live.push_back(std::move(client));
  return live;
}

std::vector<std::shared_ptr<TEngineClient>> LiveClients() {
  std::lock_guard<std::mutex> lock(State().lock);
  return LiveClientsLocked();
}

void RouteTargetEvent(const std::string& method, const engine::json& params) {
  const bool crashed = method == "Target.targetCrashed";
  const bool created = method == "Target.targetCreated";
  if (!crashed && !created && method != "Target.targetInfoChanged") return;
  const engine::json info = params.value("targetInfo", engine::json::object());
  // A target a page opened (a popup) is the opener's business.
  std::string target = crashed   ? params.value("targetId", "")
                       : created ? info.value("openerId", "")
                                 : info.value("targetId", "");
  TChromiumEngine::TTargetListener listener;
  {
    std::lock_guard<std::mutex> lock(State().lock);
    auto& listeners = crashed ? State().crash_watchers : State().targets;
    auto it = listeners.find(target);
    if (it == listeners.end()) return;
    listener = it->second;
  }
  listener(method, params);
}

void Tick(uint64_t generation);
void StartAttempt(const char* reason);

// Engine thread: after a failed start or a death, the next start waits longer each time.
void ScheduleStart(const char* reason) {
  TEngineState& s = State();
  s.backoff_ms = s.backoff_ms == 0 ? kFirstBackoffMs : std::min(s.backoff_ms * 2, kLastBackoffMs);
  TJournalLine("engine_restart_scheduled").Word("reason", reason).Int("delay_ms", s.backoff_ms).Write();
  PostEngineWork([reason] { StartAttempt(reason); }, s.backoff_ms);
}

// Engine thread: whatever is left of the engine is ended; the clients drop their targets. The
// next engine starts at once after one that closed as asked, else after the backoff.
void EngineDied(uint64_t generation, const char* reason, bool closed_as_asked = false) {
  TEngineState& s = State();
  STANDIN_CHECK_THREAD(s.engine_thread);
  TConnectionRef connection;
  std::vector<std::shared_ptr<TEngineClient>> clients;
  {
    std::lock_guard<std::mutex> lock(s.lock);
    if (generation != s.generation || !s.connection) return;
    connection = std::exchange(s.connection, nullptr);
    clients = LiveClientsLocked();
    s.targets.clear();
    s.crash_watchers.clear();
  }
  TJournalLine("page_engine_ended").Word("reason", reason).Write();
  DetachEngineCookies();
  connection->OnClosed({});
  connection->Close();
  // Whatever is left of it goes, also an engine too frozen to see its pipe close. One that
  // closed as asked is gone already, and the kill would find the next one's pid.
  if (s.process && !closed_as_asked) s.process->Kill();
  s.process.reset();
  for (const auto& client : clients) client->EngineDown();
  if (TClock::now() - s.started_at >= kHealthyLife) s.backoff_ms = 0;
  if (closed_as_asked) return StartAttempt(reason);
  ScheduleStart(reason);
}

// Engine thread: the engine now up is closed as at the program's end (its cookies saved, its
// profile written out) and a fresh one takes its place.
void RecycleNow(uint64_t generation, const char* reason) {
  TEngineState& s = State();
  STANDIN_CHECK_THREAD(s.engine_thread);
  TConnectionRef connection = TChromiumEngine::Instance().Connection();
  if (!connection || generation != s.generation) return;
  TJournalLine("engine_recycle").Word("scope", "engine").Word("reason", reason).Write();
  // The store takes the engine's cookies before it goes: the next engine starts from them.
  SaveEngineCookies("recycle");
  WaitForCookieWork(2 * kStopPatienceMs);
  connection->OnClosed({});
  connection->CallAndWait("Browser.close", {}, "", kStopPatienceMs);
  for (auto until = TClock::now() + kCloseGrace; connection->Connected() && TClock::now() < until;)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EngineDied(generation, "recycle", !connection->Connected());
}

// Engine thread: the memory of every process of the engine, summed.
void SampleMemory(const TConnectionRef& connection) {
  connection->Call("SystemInfo.getProcessInfo", {}, "", [](const engine::TReply& reply) {
    if (!reply.ok) return;
    std::vector<uint32_t> pids;
    for (const auto& process : reply.result.value("processInfo", engine::json::array()))
      if (process.contains("id") && process["id"].is_number_unsigned()) pids.push_back(process["id"].get<uint32_t>());
    PostEngineWork([pids] {
      const bool unix_engine = TChromiumEngine::Instance().UnixEngine();
      int64_t total = 0;
      for (uint32_t pid : pids) total += engine::ProcessMemoryBytes(pid, unix_engine);
      TJournalLine("engine_memory").Int("processes", static_cast<int64_t>(pids.size())).Int("bytes", total).Write();
      std::lock_guard<std::mutex> lock(State().lock);
      State().engine_bytes = total;
    });
  });
}

bool Connect(engine::TEngineProcess& process, TConnectionRef& connection, std::string& failure) {
  connection = std::make_shared<engine::TDevToolsConnection>();
  if (!connection->Connect(process.TakePipe(), failure)) return false;
  connection->Listen("", &RouteTargetEvent);
  if (!connection->CallAndWait("Target.setDiscoverTargets", {{"discover", true}}, "", 5000).ok) {
    failure = "no_answer";
    return false;
  }
  // The start-up tab holds the session until the first browser's target is there.
  engine::TReply targets = connection->CallAndWait("Target.getTargets", {}, "", 5000);
  std::vector<std::string> holders;
  for (const auto& info : targets.result.value("targetInfos", engine::json::array()))
    if (info.value("type", "") == "page") holders.push_back(info.value("targetId", ""));
  std::lock_guard<std::mutex> lock(State().lock);
  State().holders = std::move(holders);
  State().live_pages = 0;
  return true;
}

// Engine thread: start, connect, merge the cookies, then every client makes its target.
void StartAttempt(const char* reason) {
  TEngineState& s = State();
  STANDIN_CHECK_THREAD(s.engine_thread);
  std::wstring executable, profile_root;
  {
    std::lock_guard<std::mutex> lock(s.lock);
    if (s.connection) return;
    executable = s.executable;
    profile_root = s.profile_root;
  }
  ++s.attempt;
  TJournalLine("engine_start").Int("attempt", s.attempt).Word("reason", reason).Write();
  auto process = std::make_unique<engine::TEngineProcess>();
  TConnectionRef connection;
  std::string failure;
  if (!process->Start(executable, engine::ProfileFolder(profile_root), kStartTimeoutMs, failure) ||
      !Connect(*process, connection, failure)) {
    TJournalLine("engine_start_failed").Int("attempt", s.attempt).Word("step", failure).Text("executable", executable)
        .Write();
    if (connection) connection->Close();
    process.reset();
    ScheduleStart("start_failed");
    return;
  }
  const uint64_t generation = ++s.generation;
  connection->OnClosed([generation] {
    PostEngineWork([generation] { EngineDied(generation, "connection_closed"); });
  });
  // Before any page: the engine's own jar and the program's store become one.
  AttachEngineCookies(connection);
  TJournalLine line("page_engine");
  line.Word("kind", "chromium").Text("executable", executable).Text("product", process->Product())
      .Word("transport", "pipe").Int("sandbox", process->Sandboxed() ? 1 : 0).Int("start", s.attempt);
  if (!process->NoSandboxReason().empty()) line.Text("no_sandbox_reason", process->NoSandboxReason());
  line.Write();
  s.process = std::move(process);
  s.started_at = s.cookies_saved = s.memory_sampled = TClock::now();
  s.heartbeat_answered.reset();
  std::vector<std::shared_ptr<TEngineClient>> clients;
  {
    std::lock_guard<std::mutex> lock(s.lock);
    s.connection = connection;
    s.up_generation = generation;
    s.up_since = s.started_at;
    s.engine_bytes = 0;
    clients = LiveClientsLocked();
  }
  if (!connection->Connected()) {
    EngineDied(generation, "connection_closed");
    return;
  }
  for (const auto& client : clients) client->EngineUp(connection);
  PostEngineWork([generation] { Tick(generation); }, kTickMs);
}

// Engine thread, once a second while an engine is up: its heartbeat, the clients' probes,
// and the cookies the engine's pages set, saved at least every half minute.
void Tick(uint64_t generation) {
  TEngineState& s = State();
  STANDIN_CHECK_THREAD(s.engine_thread);
  TConnectionRef connection = TChromiumEngine::Instance().Connection();
  if (!connection || generation != s.generation) return;
  const TClock::time_point now = TClock::now();
  if (s.heartbeat_answered && !*s.heartbeat_answered && now - s.heartbeat_sent > kHeartbeatPatience) {
    EngineDied(generation, "no_heartbeat");
    return;
  }
  if (!s.heartbeat_answered || (*s.heartbeat_answered && now - s.heartbeat_sent >= kHeartbeatEvery)) {
    auto answered = std::make_shared<std::atomic<bool>>(false);
    s.heartbeat_answered = answered;
    s.heartbeat_sent = now;
    connection->Call("Browser.getVersion", {}, "", [answered](const engine::TReply& reply) {
      if (reply.ok) *answered = true;
    });
  }
  if (now - s.cookies_saved >= kCookieSaveEvery) {
    s.cookies_saved = now;
    SaveEngineCookies("engine_timer");
  }
  if (now - s.memory_sampled >= kMemorySampleEvery) {
    s.memory_sampled = now;
    SampleMemory(connection);
  }
  for (const auto& client : LiveClients()) client->Tick(now);
  PostEngineWork([generation] { Tick(generation); }, kTickMs);
}

}  // namespace

TChromiumEngine& TChromiumEngine::Instance() {
  static TChromiumEngine instance;
  return instance;
}

void TChromiumEngine::Start(const std::wstring& profile_root) {
  TEngineState& s = State();
  // Finding it only looks at files, so the program learns at once whether pages go to an
  // engine; starting it is the engine thread's.
  engine::TEngineLocation location = engine::LocateEngine(engine::SystemEngineSearch());
  std::lock_guard<std::mutex> lock(s.lock);
  if (s.thread || s.expected) return;
  if (location.executable.empty()) {
    TJournalLine("page_engine").Word("kind", "text").Word("reason", location.reason).Write();
    return;
  }
  s.expected = true;
  s.unix_engine = engine::IsUnixPath(location.executable);
  s.executable = location.executable;
  s.profile_root = profile_root;
  s.thread = std::make_unique<TWorkerThread>("engine");
  s.thread->Post(MakeWork([] {
                   State().engine_thread.Bind();
                   StartAttempt("initialize");
                 }),
                 0);
}

bool TChromiumEngine::Expected() const {
  std::lock_guard<std::mutex> lock(State().lock);
  return State().expected;
}

TChromiumEngine::TConnectionRef TChromiumEngine::Connection() const {
  std::lock_guard<std::mutex> lock(State().lock);
  if (State().connection && !State().connection->Connected()) return nullptr;
  return State().connection;
}

void TChromiumEngine::Stop() {
  TEngineState& s = State();
  std::unique_ptr<TWorkerThread> thread;
  {
    std::lock_guard<std::mutex> lock(s.lock);
    thread = std::move(s.thread);
    s.expected = false;
  }
  // Drops restarts and ticks still to come. A start in progress may wait for the engine for
  // seconds; the program's end does not: past a short wait the thread is left to finish on
  // its own (an engine it starts ends with the process, when its pipe closes).
  if (thread) {
    auto stopped = std::make_shared<std::promise<void>>();
    std::future<void> done = stopped->get_future();
    TWorkerThread* worker = thread.get();
    std::thread([worker, stopped] {
      worker->Stop();
      stopped->set_value();
    }).detach();
    if (done.wait_for(std::chrono::milliseconds(kStopPatienceMs)) == std::future_status::ready) {
      thread.reset();
    } else {
      TJournalLine("engine_stop").Word("result", "left_starting").Write();
      static_cast<void>(thread.release());
      return;
    }
  }
  TConnectionRef connection;
  {
    std::lock_guard<std::mutex> lock(s.lock);
    connection = std::move(s.connection);
    s.targets.clear();
    s.crash_watchers.clear();
    s.clients.clear();
  }
  if (connection) {
    // Asked politely first; the closed pipe or the job ends whatever is left.
    connection->OnClosed({});
    connection->CallAndWait("Browser.close", {}, "", 2000);
    connection->Close();
  }
  s.process.reset();
}

const char* TChromiumEngine::RecycleReason() const {
  std::lock_guard<std::mutex> lock(State().lock);
  if (!State().connection) return nullptr;
  auto seconds = std::chrono::duration_cast<std::chrono::seconds>(TClock::now() - State().up_since).count();
  return engine::EngineRecycleReason(engine::RecycleLimits(), seconds, State().engine_bytes);
}

void TChromiumEngine::Recycle(const char* reason) {
  uint64_t generation;
  {
    std::lock_guard<std::mutex> lock(State().lock);
    if (!State().connection) return;
    generation = State().up_generation;
  }
  // Several browsers may ask for the same engine: the first one's recycle is the only one.
  Post([generation, reason] { RecycleNow(generation, reason); });
}

void TChromiumEngine::PageOpened(const TConnectionRef& connection) {
  std::vector<std::string> holders;
  {
    std::lock_guard<std::mutex> lock(State().lock);
    if (!connection || connection != State().connection) return;
    ++State().live_pages;
    holders = std::move(State().holders);
    State().holders.clear();
  }
  for (const std::string& target : holders) connection->Call("Target.closeTarget", {{"targetId", target}}, "");
}

bool TChromiumEngine::PageClosing(const TConnectionRef& connection, const std::string& target_id) {
  std::lock_guard<std::mutex> lock(State().lock);
  if (!connection || connection != State().connection) return false;
  if (State().live_pages > 0) --State().live_pages;
  if (State().live_pages > 0 || !State().holders.empty()) return false;
  State().holders.push_back(target_id);
  return true;
}

bool TChromiumEngine::UnixEngine() const {
  std::lock_guard<std::mutex> lock(State().lock);
  return State().unix_engine;
}

void TChromiumEngine::AddClient(std::weak_ptr<TEngineClient> client) {
  TConnectionRef connection;
  {
    std::lock_guard<std::mutex> lock(State().lock);
    State().clients.push_back(client);
    connection = State().connection;
  }
  // An engine already up: the client's target is made on the engine thread, never here.
  if (connection)
    Post([client, connection] {
      if (auto live = client.lock()) live->EngineUp(connection);
    });
}

bool TChromiumEngine::Post(std::function<void()> work, int64_t delay_ms) {
  std::lock_guard<std::mutex> lock(State().lock);
  return State().thread && State().thread->Post(MakeWork(std::move(work)), delay_ms);
}

void TChromiumEngine::ListenToTarget(const std::string& target_id, TTargetListener listener) {
  std::lock_guard<std::mutex> lock(State().lock);
  State().targets[target_id] = std::move(listener);
}

void TChromiumEngine::StopListeningToTarget(const std::string& target_id) {
  std::lock_guard<std::mutex> lock(State().lock);
  State().targets.erase(target_id);
}

void TChromiumEngine::WatchTargetCrash(const std::string& target_id, TTargetListener on_crash) {
  std::lock_guard<std::mutex> lock(State().lock);
  State().crash_watchers[target_id] = std::move(on_crash);
}

void TChromiumEngine::StopWatchingTargetCrash(const std::string& target_id) {
  std::lock_guard<std::mutex> lock(State().lock);
  State().crash_watchers.erase(target_id);
}

}  // namespace standin
