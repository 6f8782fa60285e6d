#pragma once
// Journal lines of the cookie store's operations.

#include "cookie_store.h"

namespace standin {

void JournalStoragePath(const std::wstring& path, bool persist_session_cookies, const cookies::TStorageOpenResult& r);
void JournalFlush(const cookies::TCookieStore& store, const cookies::TFlushResult& r, const char* reason);

}  // namespace standin
