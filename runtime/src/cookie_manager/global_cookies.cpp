#include "global_cookies.h"

#include "cookie_journal.h"
#include "engine_cookie_sync.h"

#include <mutex>
#include <utility>

namespace standin {

namespace {

std::mutex g_lock;
std::shared_ptr<cookies::TCookieStore>* g_store = new std::shared_ptr<cookies::TCookieStore>();

}  // namespace

std::shared_ptr<cookies::TCookieStore> GlobalCookieStore() {
  std::lock_guard<std::mutex> lock(g_lock);
  if (!*g_store) *g_store = std::make_shared<cookies::TCookieStore>();
  return *g_store;
}

void ShutdownGlobalCookieStore() {
  std::shared_ptr<cookies::TCookieStore> store;
  {
    std::lock_guard<std::mutex> lock(g_lock);
    store = std::exchange(*g_store, nullptr);
  }
  if (!store) return;
  // The engine is still there: what its pages set is written out too.
  PullEngineCookies(*store);
  DetachEngineCookies();
  if (store->StoragePath().empty()) return;
  JournalFlush(*store, store->Flush(), "shutdown");
}

}  // namespace standin
