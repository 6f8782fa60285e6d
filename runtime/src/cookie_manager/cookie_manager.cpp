#include "cookie_manager.h"

#include "cookie_journal.h"
#include "cookie_rules.h"
#include "engine_cookie_sync.h"
#include "held_ref.h"
#include "journal.h"
#include "runtime_threads.h"
#include "string_record.h"
#include "string_view_record.h"
#include "utf.h"

#include <memory>

namespace standin {

namespace {

template <class Struct>
std::shared_ptr<THeld<Struct>> Hold(Struct* object, const char* kind) {
  return std::make_shared<THeld<Struct>>(THeld<Struct>::Adopt(object, kind));
}

void ToCefTime(int64_t microseconds, cef_time_t& out) {
  out = {};
  if (microseconds != 0) cef_time_from_doublet(static_cast<double>(microseconds) / 1e6, &out);
}

int64_t FromCefTime(const cef_time_t& time) {
  double seconds = 0;
  if (!cef_time_to_doublet(&time, &seconds)) return 0;
  return static_cast<int64_t>(seconds * 1e6);
}

// A cookie as the runtime passes it: the record borrows the texts of this object.
struct TCefCookie {
  explicit TCefCookie(const cookies::TCookie& c)
      : name(FromUtf8(c.name)), value(FromUtf8(c.value)), domain(FromUtf8(c.domain)), path(FromUtf8(c.path)) {
    record.name = ViewOf(name);
    record.value = ViewOf(value);
    record.domain = ViewOf(domain);
    record.path = ViewOf(path);
    record.secure = c.secure ? 1 : 0;
    record.httponly = c.httponly ? 1 : 0;
    ToCefTime(c.creation, record.creation);
    ToCefTime(c.last_access, record.last_access);
    record.has_expires = c.has_expires ? 1 : 0;
    if (c.has_expires) ToCefTime(c.expires, record.expires);
  }
  std::wstring name, value, domain, path;
  cef_cookie_t record = {};
};

cookies::TCookie FromCefCookie(const cef_cookie_t& c) {
  cookies::TCookie cookie;
  cookie.name = ToUtf8(View(&c.name));
  cookie.value = ToUtf8(View(&c.value));
  cookie.domain = ToUtf8(View(&c.domain));
  cookie.path = ToUtf8(View(&c.path));
  cookie.secure = c.secure != 0;
  cookie.httponly = c.httponly != 0;
  cookie.has_expires = c.has_expires != 0;
  if (cookie.has_expires) cookie.expires = FromCefTime(c.expires);
  return cookie;
}

using TCookieList = std::vector<cookies::TCookie>;

// IO thread: shows each cookie to the visitor, deleting those it asks to delete.
void Visit(cookies::TCookieStore& store, cef_cookie_visitor_t* visitor, const TCookieList& found, const char* scope,
           const std::wstring& url) {
  int total = static_cast<int>(found.size());
  int visited = 0, deleted = 0;
  for (int i = 0; i < total && visitor->visit; ++i) {
    TCefCookie cookie(found[static_cast<size_t>(i)]);
    int delete_cookie = 0;
    int go_on = visitor->visit(visitor, &cookie.record, i, total, &delete_cookie);
    ++visited;
    if (delete_cookie && store.DeleteExact(found[static_cast<size_t>(i)])) ++deleted;
    if (!go_on) break;
  }
  TJournalLine("cookie_visit").Word("scope", scope).Text("url", url).Int("total", total).Int("visited", visited)
      .Int("deleted", deleted).Write();
}

TCookieManager* Self(cef_cookie_manager_t* self) { return TCookieManager::From(self); }

// IO thread: a read or change of the store; with the engine, the store first takes the
// engine's cookies and the engine then gets what the change did.
template <class F>
void WithEngine(bool engine, cookies::TCookieStore& store, F&& work) {
  if (!engine) {
    work();
    return;
  }
  PullEngineCookies(store);
  std::vector<cookies::TCookie> before = store.AllCookies();
  work();
  MirrorToEngine(before, store.AllCookies());
}

}  // namespace

bool PostCookieWork(std::function<void()> work) {
  return TRuntimeThreads::Instance().Post(TID_IO, MakeWork(std::move(work)));
}

void CompleteOnIo(cef_completion_callback_t* callback) {
  if (!callback) return;
  auto held = Hold(callback, "completion_callback");
  PostCookieWork([held] {
    if ((*held)->on_complete) (*held)->on_complete(held->Get());
  });
}

TCookieManager::TCookieManager(std::shared_ptr<cookies::TCookieStore> store, bool engine)
    : TRuntimeStruct("cookie_manager"), FStore(std::move(store)), FEngine(engine) {
  cef_cookie_manager_t& m = Members();
  m.set_supported_schemes = &SetSupportedSchemes;
  m.visit_all_cookies = &VisitAllCookies;
  m.visit_url_cookies = &VisitUrlCookies;
  m.set_cookie = &SetCookie;
  m.delete_cookies = &DeleteCookies;
  m.set_storage_path = &SetStoragePath;
  m.flush_store = &FlushStore;
}

void CEF_CALLBACK TCookieManager::SetSupportedSchemes(cef_cookie_manager_t* self, cef_string_list_t schemes,
                                                      cef_completion_callback_t* callback) {
  auto held = Hold(callback, "completion_callback");
  std::vector<std::string> list;
  int size = schemes ? cef_string_list_size(schemes) : 0;
  for (int i = 0; i < size; ++i) {
    cef_string_t value = {};
    cef_string_list_value(schemes, i, &value);
    list.push_back(ToUtf8(View(&value)));
    cef_string_utf16_clear(&value);
  }
  auto store = Self(self)->FStore;
  PostCookieWork([store, list, held] {
    std::string joined;
    for (const std::string& scheme : list) joined += (joined.empty() ? "" : ",") + scheme;
    store->SetSupportedSchemes(list);
    TJournalLine("cookie_schemes").Text("schemes", joined).Write();
    if (*held && (*held)->on_complete) (*held)->on_complete(held->Get());
  });
}

int CEF_CALLBACK TCookieManager::VisitAllCookies(cef_cookie_manager_t* self, cef_cookie_visitor_t* visitor) {
  auto held = Hold(visitor, "cookie_visitor");
  if (!visitor) return 0;
  auto store = Self(self)->FStore;
  bool engine = Self(self)->FEngine;
  return PostCookieWork([store, held, engine] {
           WithEngine(engine, *store, [&] { Visit(*store, held->Get(), store->AllCookies(), "all", L""); });
         })
             ? 1
             : 0;
}

int CEF_CALLBACK TCookieManager::VisitUrlCookies(cef_cookie_manager_t* self, const cef_string_t* url,
                                                 int include_http_only, cef_cookie_visitor_t* visitor) {
  auto held = Hold(visitor, "cookie_visitor");
  std::wstring address = Read(url);
  if (!visitor || !cookies::ParseCookieUrl(ToUtf8(address)).valid) return 0;
  auto store = Self(self)->FStore;
  bool engine = Self(self)->FEngine;
  return PostCookieWork([store, held, address, include_http_only, engine] {
           WithEngine(engine, *store, [&] {
             Visit(*store, held->Get(), store->UrlCookies(ToUtf8(address), include_http_only != 0), "url", address);
           });
         })
             ? 1
             : 0;
}

int CEF_CALLBACK TCookieManager::SetCookie(cef_cookie_manager_t* self, const cef_string_t* url,
                                           const cef_cookie_t* cookie, cef_set_cookie_callback_t* callback) {
  auto held = Hold(callback, "set_cookie_callback");
  std::wstring address = Read(url);
  if (!cookie || !cookies::ParseCookieUrl(ToUtf8(address)).valid) return 0;
  cookies::TCookie copy = FromCefCookie(*cookie);
  auto store = Self(self)->FStore;
  bool engine = Self(self)->FEngine;
  return PostCookieWork([store, held, address, copy, engine] {
           bool ok = false;
           WithEngine(engine, *store, [&] { ok = store->SetCookie(ToUtf8(address), copy); });
           TJournalLine("cookie_set").Word("source", "api").Text("url", address).Text("name", copy.name)
               .Int("result", ok ? 1 : 0).Write();
           if (*held && (*held)->on_complete) (*held)->on_complete(held->Get(), ok ? 1 : 0);
         })
             ? 1
             : 0;
}

int CEF_CALLBACK TCookieManager::DeleteCookies(cef_cookie_manager_t* self, const cef_string_t* url,
                                               const cef_string_t* cookie_name,
                                               cef_delete_cookies_callback_t* callback) {
  auto held = Hold(callback, "delete_cookies_callback");
  std::wstring address = Read(url);
  std::wstring name = Read(cookie_name);
  if (!address.empty() && !cookies::ParseCookieUrl(ToUtf8(address)).valid) return 0;
  auto store = Self(self)->FStore;
  bool engine = Self(self)->FEngine;
  return PostCookieWork([store, held, address, name, engine] {
           int count = 0;
           WithEngine(engine, *store, [&] { count = store->DeleteCookies(ToUtf8(address), ToUtf8(name)); });
           TJournalLine("cookie_delete").Text("url", address).Text("name", name).Int("count", count).Write();
           if (*held && (*held)->on_complete) (*held)->on_complete(held->Get(), std::max(count, 0));
         })
             ? 1
             : 0;
}

int CEF_CALLBACK TCookieManager::SetStoragePath(cef_cookie_manager_t* self, const cef_string_t* path,
                                                int persist_session_cookies, cef_completion_callback_t* callback) {
  auto held = Hold(callback, "completion_callback");
  std::wstring folder = Read(path);
  auto store = Self(self)->FStore;
  bool engine = Self(self)->FEngine;
  return PostCookieWork([store, held, folder, persist_session_cookies, engine] {
           // The folder left behind keeps what the engine holds; the engine then starts over
           // from the new folder's cookies. The run's first folder is the one the engine's own
           // jar continues, so the two are merged instead.
           if (engine) PullEngineCookies(*store);
           bool first_folder = store->StoragePath().empty();
           cookies::TStorageOpenResult result = store->SetStoragePath(folder, persist_session_cookies != 0);
           if (engine && first_folder) {
             MergeEngineCookies(*store);
           } else if (engine) {
             ReplaceEngineCookies(store->AllCookies());
           }
           JournalStoragePath(folder, persist_session_cookies != 0, result);
           if (*held && (*held)->on_complete) (*held)->on_complete(held->Get());
         })
             ? 1
             : 0;
}

int CEF_CALLBACK TCookieManager::FlushStore(cef_cookie_manager_t* self, cef_completion_callback_t* callback) {
  auto held = Hold(callback, "completion_callback");
  auto store = Self(self)->FStore;
  bool engine = Self(self)->FEngine;
  return PostCookieWork([store, held, engine] {
           if (engine) PullEngineCookies(*store);
           JournalFlush(*store, store->Flush(), "call");
           if (*held && (*held)->on_complete) (*held)->on_complete(held->Get());
         })
             ? 1
             : 0;
}

}  // namespace standin
