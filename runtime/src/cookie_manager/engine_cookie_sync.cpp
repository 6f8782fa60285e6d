#include "engine_cookie_sync.h"

#include "cookie_file.h"
#include "cookie_journal.h"
#include "engine_cookies.h"
#include "global_cookies.h"
#include "journal.h"
#include "runtime_threads.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <future>
#include <mutex>

namespace standin {

namespace {

using engine::json;
using TConnectionRef = std::shared_ptr<engine::TDevToolsConnection>;

constexpr int kAnswerTimeoutMs = 5000;

std::mutex g_lock;
TConnectionRef* g_connection = new TConnectionRef();
std::atomic<bool> g_save_pending{false};
std::string* g_saved = new std::string();  // IO thread: the store file's text as last written

TConnectionRef Connection() {
  std::lock_guard<std::mutex> lock(g_lock);
  if (*g_connection && !(*g_connection)->Connected()) g_connection->reset();
  return *g_connection;
}

bool SetCookies(const TConnectionRef& connection, json records) {
  if (records.empty()) return true;
  return connection->CallAndWait("Storage.setCookies", {{"cookies", std::move(records)}}, "", kAnswerTimeoutMs).ok;
}

void Replace(const TConnectionRef& connection, const std::vector<cookies::TCookie>& all) {
  json records = json::array();
  for (const cookies::TCookie& cookie : all) records.push_back(engine::EngineCookieOf(cookie));
  bool ok = connection->CallAndWait("Storage.clearCookies", {}, "", kAnswerTimeoutMs).ok &&
            SetCookies(connection, std::move(records));
  TJournalLine("engine_cookies").Word("step", "replace").Int("count", static_cast<int64_t>(all.size()))
      .Int("result", ok ? 1 : 0).Write();
}

bool SameCookie(const cookies::TCookie& a, const cookies::TCookie& b) {
  return a.SameKey(b) && a.value == b.value && a.secure == b.secure && a.httponly == b.httponly &&
         a.has_expires == b.has_expires && (!a.has_expires || a.expires == b.expires) && a.same_site == b.same_site &&
         a.priority == b.priority;
}

bool EngineCookies(const TConnectionRef& connection, std::vector<cookies::TCookie>& all) {
  engine::TReply reply = connection->CallAndWait("Storage.getCookies", {}, "", kAnswerTimeoutMs);
  if (!reply.ok) return false;
  for (const json& record : reply.result.value("cookies", json::array())) all.push_back(engine::CookieOfEngine(record));
  return true;
}

// The engine's jar and the store become one: the store's cookies go to the engine (the store
// is what the program set and what was taken from the engine last), the engine's own cookies
// that the store lacks join the store. Neither is cleared.
void Merge(const TConnectionRef& connection, cookies::TCookieStore& store) {
  std::vector<cookies::TCookie> engine_cookies;
  std::vector<cookies::TCookie> all = store.AllCookies();
  bool ok = EngineCookies(connection, engine_cookies);
  size_t added = 0;
  for (cookies::TCookie& cookie : engine_cookies)
    if (std::none_of(all.begin(), all.end(), [&](const cookies::TCookie& c) { return c.SameKey(cookie); })) {
      all.push_back(std::move(cookie));
      ++added;
    }
  if (added > 0) store.ReplaceAll(all);
  json records = json::array();
  for (const cookies::TCookie& cookie : all) records.push_back(engine::EngineCookieOf(cookie));
  ok = ok && SetCookies(connection, std::move(records));
  TJournalLine("engine_cookies").Word("step", "merge").Int("count", static_cast<int64_t>(all.size()))
      .Int("added", static_cast<int64_t>(added)).Int("result", ok ? 1 : 0).Write();
}

}  // namespace

void AttachEngineCookies(TConnectionRef connection) {
  // On the IO thread, in line with the cookie manager's own work; the engine's first pages
  // wait for it, so none of their cookies is cleared away.
  auto done = std::make_shared<std::promise<void>>();
  auto attach = [connection, done] {
    Merge(connection, *GlobalCookieStore());
    {
      std::lock_guard<std::mutex> lock(g_lock);
      *g_connection = connection;
    }
    done->set_value();
  };
  if (!TRuntimeThreads::Instance().Post(TID_IO, MakeWork(attach))) return;
  done->get_future().wait_for(std::chrono::milliseconds(2 * kAnswerTimeoutMs + 1000));
}

void DetachEngineCookies() {
  std::lock_guard<std::mutex> lock(g_lock);
  g_connection->reset();
}

void PullEngineCookies(cookies::TCookieStore& store) {
  TConnectionRef connection = Connection();
  if (!connection) return;
  std::vector<cookies::TCookie> all;
  if (!EngineCookies(connection, all)) {
    TJournalLine("engine_cookies").Word("step", "pull").Int("result", 0).Write();
    return;
  }
  store.ReplaceAll(std::move(all));
}

void MergeEngineCookies(cookies::TCookieStore& store) {
  if (TConnectionRef connection = Connection()) Merge(connection, store);
}

void SaveEngineCookies(const char* reason) {
  // A burst of load ends (every monitor at a rotation) makes one save.
  if (g_save_pending.exchange(true)) return;
  auto save = [reason] {
    g_save_pending = false;
    std::shared_ptr<cookies::TCookieStore> store = GlobalCookieStore();
    if (!Connection()) return;
    PullEngineCookies(*store);
    if (store->StoragePath().empty()) return;
    // Only a change is written: the file is replaced as a whole each time.
    std::string now = cookies::SerializeCookies(store->AllCookies());
    if (now == *g_saved) return;
    cookies::TFlushResult result = store->Flush();
    if (result.written) *g_saved = now;
    JournalFlush(*store, result, reason);
  };
  if (!TRuntimeThreads::Instance().Post(TID_IO, MakeWork(save))) g_save_pending = false;
}

bool WaitForCookieWork(int timeout_ms) {
  auto done = std::make_shared<std::promise<void>>();
  std::future<void> finished = done->get_future();
  if (!TRuntimeThreads::Instance().Post(TID_IO, MakeWork([done] { done->set_value(); }))) return false;
  return finished.wait_for(std::chrono::milliseconds(timeout_ms)) == std::future_status::ready;
}

void MirrorToEngine(const std::vector<cookies::TCookie>& before, const std::vector<cookies::TCookie>& after) {
  TConnectionRef connection = Connection();
  if (!connection) return;
  json records = json::array();
  for (const cookies::TCookie& old : before)
    if (std::none_of(after.begin(), after.end(), [&](const cookies::TCookie& c) { return c.SameKey(old); }))
      records.push_back(engine::EngineRemovalOf(old));
  for (const cookies::TCookie& now : after)
    if (std::none_of(before.begin(), before.end(), [&](const cookies::TCookie& c) { return SameCookie(c, now); }))
      records.push_back(engine::EngineCookieOf(now));
  size_t count = records.size();
  if (count == 0) return;
  bool ok = SetCookies(connection, std::move(records));
  TJournalLine("engine_cookies").Word("step", "mirror").Int("count", static_cast<int64_t>(count))
      .Int("result", ok ? 1 : 0).Write();
}

void ReplaceEngineCookies(const std::vector<cookies::TCookie>& all) {
  if (TConnectionRef connection = Connection()) Replace(connection, all);
}

}  // namespace standin
