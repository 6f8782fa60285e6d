#pragma once
// The parts of an http: address the client needs, and resolution of a redirect's Location
// against the address that answered it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace standin::net {

struct THttpUrl {
  std::string scheme;  // lower case
  std::string host;    // lower case, IPv6 literals without brackets
  uint16_t port = 80;
  std::string target;  // path and query, never empty ("/" at least); the fragment dropped
  // host, or host:port when the port is not the scheme's default; IPv6 in brackets.
  std::string HostHeader() const;
};

// Accepts absolute http: and https: addresses; anything else gives nothing.
std::optional<THttpUrl> ParseHttpUrl(std::string_view url);

// The absolute address a reference (absolute, scheme-relative, absolute-path, relative path
// or query-only) names when found in a response from base. Empty when base is not absolute.
std::string ResolveReference(std::string_view base, std::string_view reference);

}  // namespace standin::net
