#include "cookie_journal.h"

#include "journal.h"

namespace standin {

void JournalStoragePath(const std::wstring& path, bool persist_session_cookies, const cookies::TStorageOpenResult& r) {
  TJournalLine("cookie_storage_path")
      .Text("path", path)
      .Int("persist_session_cookies", persist_session_cookies ? 1 : 0)
      .Int("same_folder", r.same_folder ? 1 : 0)
      .Int("file_found", r.file_found ? 1 : 0)
      .Int("file_rejected", r.file_rejected ? 1 : 0)
      .Unsigned("loaded", r.loaded)
      .Write();
}

void JournalFlush(const cookies::TCookieStore& store, const cookies::TFlushResult& r, const char* reason) {
  TJournalLine("cookie_flush")
      .Text("path", store.StoragePath())
      .Word("reason", reason)
      .Int("written", r.written ? 1 : 0)
      .Unsigned("count", r.count)
      .Write();
}

}  // namespace standin
