// cef_cookie_manager_get_global_manager and cef_cookie_manager_create_manager.

#include "cookie_journal.h"
#include "cookie_manager.h"
#include "global_cookies.h"
#include "held_ref.h"
#include "journal.h"
#include "runtime_state.h"
#include "string_record.h"
#include "web_shutdown.h"

using namespace standin;

namespace {

bool Usable(cef_completion_callback_t* callback, const char* name) {
  if (TRuntimeState::Instance().Initialized()) return true;
  THeld<cef_completion_callback_t>::Adopt(callback, "completion_callback").Reset();
  TJournalLine("misuse").Word("what", "cookie_manager_before_initialize").Word("member", name).Write();
  return false;
}

}  // namespace

cef_cookie_manager_t* cef_cookie_manager_get_global_manager(cef_completion_callback_t* callback) {
  if (!Usable(callback, "cef_cookie_manager_get_global_manager")) return nullptr;
  EnsureWebShutdownStep();
  TRef<TCookieManager> manager = MakeRuntimeObject<TCookieManager>(GlobalCookieStore(), true);
  TJournalLine("cookie_manager").Word("kind", "global").Write();
  CompleteOnIo(callback);
  return manager->PassOut();
}

cef_cookie_manager_t* cef_cookie_manager_create_manager(const cef_string_t* path, int persist_session_cookies,
                                                        cef_completion_callback_t* callback) {
  if (!Usable(callback, "cef_cookie_manager_create_manager")) return nullptr;
  EnsureWebShutdownStep();
  auto store = std::make_shared<cookies::TCookieStore>();
  TRef<TCookieManager> manager = MakeRuntimeObject<TCookieManager>(store, false);
  std::wstring folder = Read(path);
  TJournalLine("cookie_manager").Word("kind", "new").Text("path", folder).Write();
  auto held = std::make_shared<THeld<cef_completion_callback_t>>(
      THeld<cef_completion_callback_t>::Adopt(callback, "completion_callback"));
  PostCookieWork([store, folder, persist_session_cookies, held] {
    if (!folder.empty()) {
      cookies::TStorageOpenResult result = store->SetStoragePath(folder, persist_session_cookies != 0);
      JournalStoragePath(folder, persist_session_cookies != 0, result);
    }
    if (*held && (*held)->on_complete) (*held)->on_complete(held->Get());
  });
  return manager->PassOut();
}
