#pragma once
// Parsing and canonical form of absolute URLs, close to what the browser does with them:
// scheme and host in lower case, default ports dropped, "." and ".." path segments resolved,
// unsafe and non-ASCII characters percent-escaped as UTF-8. Standard schemes (http, https,
// ws, wss, ftp, file and custom schemes declared standard) have an authority and a path;
// other schemes keep everything after the colon as their path.

#include <string>
#include <string_view>

namespace standin {

struct TUrlParts {
  std::wstring spec;
  std::wstring scheme;
  std::wstring username;
  std::wstring password;
  std::wstring host;
  std::wstring port;
  std::wstring origin;  // scheme://host[:port]/ for standard schemes, empty otherwise
  std::wstring path;
  std::wstring query;
  std::wstring fragment;
};

// False when the text is not a valid absolute URL.
bool ParseUrl(std::wstring_view text, TUrlParts& parts);

}  // namespace standin
