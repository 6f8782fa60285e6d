#pragma once
// Which cookies belong to which address: the parts of an address that matter, and the
// domain and path rules.

#include "cookie.h"

#include <string>
#include <string_view>

namespace standin::cookies {

struct TCookieUrl {
  std::string scheme;  // lower case
  std::string host;    // lower case, no port; IPv6 without brackets
  std::string path;    // starts with '/'; no query or fragment
  bool valid = false;
};

// Reads scheme://[user@]host[:port]/path?query#fragment.
TCookieUrl ParseCookieUrl(std::string_view url);

bool IsIpAddress(std::string_view host);
// host equals the domain, or is below it (".example.com" or "example.com" both cover
// "www.example.com"); IP addresses only match themselves.
bool DomainMatches(std::string_view host, std::string_view domain);
bool PathMatches(std::string_view request_path, std::string_view cookie_path);
// The folder of the address's path, as a cookie without a Path attribute gets it.
std::string DefaultPath(std::string_view request_path);

// Whether the cookie goes with a request for url (expiry aside).
bool CookieMatchesUrl(const TCookie& cookie, const TCookieUrl& url);

std::string AsciiLower(std::string_view text);

}  // namespace standin::cookies
