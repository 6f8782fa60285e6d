#pragma once
// The installed Chromium that renders the runtime's pages, one per process, and its
// supervisor. Found at initialize; started, watched and restarted on a thread of its own (the
// engine thread), so neither the program's start nor its UI thread ever waits for it. An
// engine that dies or stops answering its heartbeat is ended and started again, with a
// backoff, for as long as the runtime runs; the browsers' page façades hear of each engine
// that comes and goes and bring their pages back on it. The journal says which engine shows
// pages, each start and why it happened.

#include "devtools_connection.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace standin {

// One browser's pages over the engine's lifetimes (its page façade). Every call runs on the
// engine thread.
class TEngineClient {
 public:
  using TConnectionRef = std::shared_ptr<engine::TDevToolsConnection>;
  virtual ~TEngineClient() = default;
  // An engine is connected (a new one after a restart): the client makes its target there.
  virtual void EngineUp(const TConnectionRef& connection) = 0;
  // The engine went away; whatever the client had of it is gone.
  virtual void EngineDown() = 0;
  // About once a second while an engine is up: time for the client's liveness probes.
  virtual void Tick(std::chrono::steady_clock::time_point now) = 0;
};

class TChromiumEngine {
 public:
  using TConnectionRef = std::shared_ptr<engine::TDevToolsConnection>;
  using TTargetListener = std::function<void(const std::string& method, const engine::json& params)>;

  static TChromiumEngine& Instance();

  // At initialize; profile_root is the runtime's cache folder (empty: a temporary folder).
  // Finds the engine at once and starts it on the engine thread.
  void Start(const std::wstring& profile_root);
  // Whether pages go to the engine: false when none is installed (the text display), true
  // also while it starts or restarts. Never waits.
  bool Expected() const;
  // The engine connected now; null while it starts, restarts, or when there is none.
  TConnectionRef Connection() const;
  // At shutdown: ends the engine and its thread.
  void Stop();
  // Why the engine now up is due for a fresh one (its running time or its processes' memory:
  // "time", "memory"), or null. Asked when a page is about to load anyway.
  const char* RecycleReason() const;
  // Any thread: the engine is closed as at the program's end (cookies saved, the pages' storage
  // kept in its profile) and a fresh one started at once; the clients bring their pages back.
  void Recycle(const char* reason);
  // The engine forgets the session's cookies once no page is open in it, so one always is:
  // the start-up tab until a browser's target is there, later the last target a browser
  // gives up, kept blank instead of closed. A client calls PageOpened for each target it
  // takes on, and asks PageClosing before it ends one: true means park it, not close it.
  // Targets of an engine that has gone since do not count.
  void PageOpened(const TConnectionRef& connection);
  bool PageClosing(const TConnectionRef& connection, const std::string& target_id);
  // The engine reads Unix paths: a Linux engine started under Wine.
  bool UnixEngine() const;

  // Clients hear of every engine from now on (of the current one at once).
  void AddClient(std::weak_ptr<TEngineClient> client);
  // Work for the engine thread (where blocking engine calls belong); false once stopped.
  bool Post(std::function<void()> work, int64_t delay_ms = 0);

  // Browser-wide events about one target: its title changes (listener) and its renderer's end
  // (crash handler, Target.targetCrashed), on the connection's receiving thread.
  void ListenToTarget(const std::string& target_id, TTargetListener listener);
  void StopListeningToTarget(const std::string& target_id);
  void WatchTargetCrash(const std::string& target_id, TTargetListener on_crash);
  void StopWatchingTargetCrash(const std::string& target_id);

 private:
  TChromiumEngine() = default;
};

}  // namespace standin
