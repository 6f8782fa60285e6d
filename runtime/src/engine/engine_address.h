#pragma once
// The program's own schemes (local://...) as addresses the engine fetches: every such
// address becomes an http: one under a host that never resolves, so the engine asks the
// runtime for it, and relative links inside such pages resolve as they would in the
// program's scheme. local://z/tmp/x/ <-> http://z.local.standin-scheme.invalid/tmp/x/

#include <string>

namespace standin::engine {

// Unchanged for the schemes the engine knows itself (http, https, about, data, file ...).
std::wstring ToEngineAddress(const std::wstring& url);
// Unchanged for anything that is not such a mapped address.
std::wstring FromEngineAddress(const std::wstring& url);
// The interception pattern that covers every mapped address.
const char* MappedAddressPattern();

}  // namespace standin::engine
