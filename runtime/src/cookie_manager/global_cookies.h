#pragma once
// The cookie store of the global cookie manager, which http: loads read and fill. It lives
// from its first use until runtime shutdown, which writes it out.

#include "cookie_store.h"

#include <memory>

namespace standin {

std::shared_ptr<cookies::TCookieStore> GlobalCookieStore();

// Flushes the global store if it has a folder, journals it, and forgets it.
void ShutdownGlobalCookieStore();

}  // namespace standin
