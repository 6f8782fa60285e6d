#pragma once
// A Set-Cookie header turned into a cookie for the address that sent it.

#include "cookie.h"
#include "cookie_rules.h"

#include <optional>
#include <string_view>

namespace standin::cookies {

// Nothing when the header is unusable or names a domain the address may not set cookies
// for. A cookie whose Max-Age or Expires lies in the past comes back already expired: the
// store then deletes the cookie it replaces.
std::optional<TCookie> ParseSetCookie(std::string_view header, const TCookieUrl& url, int64_t now);

}  // namespace standin::cookies
