#pragma once
// While an installed Chromium shows the pages, its cookies are the ones pages see and set;
// the global cookie manager's store stays what persists and what the program reads. The two
// are kept as one: the engine's jar and the store are merged when an engine starts, the store
// takes the engine's cookies before every read, flush and shutdown, after page loads and at
// least every half minute (written out then, so a hard kill loses little), and what the
// program changes reaches the engine.

#include "cookie_store.h"
#include "devtools_connection.h"

#include <memory>

namespace standin {

// When the engine is connected: it takes the global store's cookies (on the IO thread, before
// any cookie work that follows), and the store follows it from then on.
void AttachEngineCookies(std::shared_ptr<engine::TDevToolsConnection> connection);
void DetachEngineCookies();

// Each does nothing without a connected engine. Not on the connection's receiving thread.
void PullEngineCookies(cookies::TCookieStore& store);
// The engine gets the store's changes between two of its AllCookies views.
void MirrorToEngine(const std::vector<cookies::TCookie>& before, const std::vector<cookies::TCookie>& after);
// The engine holds exactly these cookies.
void ReplaceEngineCookies(const std::vector<cookies::TCookie>& all);
// The store and the engine's jar become one (the store's cookies win where both have one).
void MergeEngineCookies(cookies::TCookieStore& store);
// Any thread: the global store takes the engine's cookies on the IO thread and, when it has a
// folder and they changed, writes them out (journalled with the reason).
void SaveEngineCookies(const char* reason);
// Not on the IO thread: waits until the cookie work asked for before this call is done (a
// save before the engine closes); false when it took longer than timeout_ms.
bool WaitForCookieWork(int timeout_ms);

}  // namespace standin
