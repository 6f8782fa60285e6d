#include "cookie_rules.h"

#include <cctype>

namespace standin::cookies {

std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

TCookieUrl ParseCookieUrl(std::string_view url) {
  TCookieUrl parts;
  size_t colon = url.find(':');
  if (colon == std::string_view::npos || colon == 0) return parts;
  parts.scheme = AsciiLower(url.substr(0, colon));
  std::string_view rest = url.substr(colon + 1);
  if (rest.substr(0, 2) != "//") return parts;
  rest.remove_prefix(2);
  size_t authority_end = rest.find_first_of("/?#");
  std::string_view authority = rest.substr(0, authority_end);
  std::string_view path = authority_end == std::string_view::npos ? std::string_view() : rest.substr(authority_end);
  if (size_t at = authority.rfind('@'); at != std::string_view::npos) authority.remove_prefix(at + 1);
  if (!authority.empty() && authority.front() == '[') {
    size_t close = authority.find(']');
    if (close == std::string_view::npos) return parts;
    authority = authority.substr(1, close - 1);
  } else if (size_t port = authority.rfind(':'); port != std::string_view::npos) {
    authority = authority.substr(0, port);
  }
  parts.host = AsciiLower(authority);
  path = path.substr(0, path.find_first_of("?#"));
  parts.path = path.empty() || path.front() != '/' ? "/" + std::string(path) : std::string(path);
  parts.valid = true;
  return parts;
}

bool IsIpAddress(std::string_view host) {
  if (host.find(':') != std::string_view::npos) return true;
  int dots = 0;
  for (char c : host) {
    if (c == '.') {
      ++dots;
    } else if (c < '0' || c > '9') {
      return false;
    }
  }
  return dots == 3;
}

bool DomainMatches(std::string_view host, std::string_view domain) {
  if (!domain.empty() && domain.front() == '.') domain.remove_prefix(1);
  if (domain.empty()) return false;
  if (host == domain) return true;
  if (IsIpAddress(host)) return false;
  return host.size() > domain.size() && host.substr(host.size() - domain.size()) == domain &&
         host[host.size() - domain.size() - 1] == '.';
}

bool PathMatches(std::string_view request_path, std::string_view cookie_path) {
  if (request_path == cookie_path) return true;
  if (request_path.substr(0, cookie_path.size()) != cookie_path) return false;
  return (!cookie_path.empty() && cookie_path.back() == '/') ||
         (request_path.size() > cookie_path.size() && request_path[cookie_path.size()] == '/');
}

std::string DefaultPath(std::string_view request_path) {
  if (request_path.empty() || request_path.front() != '/') return "/";
  size_t last = request_path.rfind('/');
  if (last == 0) return "/";
  return std::string(request_path.substr(0, last));
}

bool CookieMatchesUrl(const TCookie& cookie, const TCookieUrl& url) {
  if (!url.valid) return false;
  bool domain_ok = cookie.IsHostOnly() ? url.host == cookie.domain : DomainMatches(url.host, cookie.domain);
  if (!domain_ok || !PathMatches(url.path, cookie.path)) return false;
  return !cookie.secure || url.scheme == "https" || url.scheme == "wss";
}

}  // namespace standin::cookies
