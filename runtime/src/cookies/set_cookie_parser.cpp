#include "set_cookie_parser.h"

#include "cookie_date.h"

#include <charconv>
#include <limits>

namespace standin::cookies {

namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

bool HasControlCharacters(std::string_view text) {
  for (char c : text) {
    unsigned char u = static_cast<unsigned char>(c);
    if ((u < 0x20 && u != '\t') || u == 0x7F) return true;
  }
  return false;
}

constexpr int64_t kMicro = 1000000;
// Far enough for any real expiry, small enough that the arithmetic below cannot overflow.
constexpr int64_t kMaxSeconds = int64_t(400) * 366 * 86400;

}  // namespace

std::optional<TCookie> ParseSetCookie(std::string_view header, const TCookieUrl& url, int64_t now) {
  if (!url.valid || HasControlCharacters(header)) return std::nullopt;
  size_t semicolon = header.find(';');
  std::string_view pair = Trim(header.substr(0, semicolon));
  TCookie cookie;
  if (size_t equals = pair.find('='); equals != std::string_view::npos) {
    cookie.name = std::string(Trim(pair.substr(0, equals)));
    cookie.value = std::string(Trim(pair.substr(equals + 1)));
  } else {
    cookie.value = std::string(pair);  // a lone token is a value without a name
  }
  if (cookie.name.empty() && cookie.value.empty()) return std::nullopt;

  std::optional<int64_t> max_age;
  std::optional<int64_t> expires;
  std::string domain_attribute;
  std::string path_attribute;
  std::string_view attributes = semicolon == std::string_view::npos ? std::string_view() : header.substr(semicolon + 1);
  while (!attributes.empty()) {
    size_t next = attributes.find(';');
    std::string_view attribute = attributes.substr(0, next);
    attributes = next == std::string_view::npos ? std::string_view() : attributes.substr(next + 1);
    size_t equals = attribute.find('=');
    std::string name = AsciiLower(Trim(attribute.substr(0, equals)));
    std::string_view value = equals == std::string_view::npos ? std::string_view() : Trim(attribute.substr(equals + 1));
    if (name == "expires") {
      if (std::optional<int64_t> seconds = ParseCookieDate(value)) expires = std::min(*seconds, kMaxSeconds);
    } else if (name == "max-age") {
      int64_t seconds = 0;
      auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), seconds);
      if (!value.empty() && end == value.data() + value.size()) {
        if (ec == std::errc::result_out_of_range) seconds = value.front() == '-' ? -1 : kMaxSeconds;
        max_age = std::min(seconds, kMaxSeconds);
      }
    } else if (name == "domain") {
      domain_attribute = AsciiLower(value);
      if (!domain_attribute.empty() && domain_attribute.front() == '.') domain_attribute.erase(0, 1);
    } else if (name == "path") {
      path_attribute = std::string(value);
    } else if (name == "secure") {
      cookie.secure = true;
    } else if (name == "httponly") {
      cookie.httponly = true;
    }
  }

  if (domain_attribute.empty()) {
    cookie.domain = url.host;
  } else {
    if (!DomainMatches(url.host, domain_attribute)) return std::nullopt;
    // A bare name ("localhost") or an address cannot carry a domain cookie.
    bool host_only = IsIpAddress(url.host) || domain_attribute.find('.') == std::string::npos;
    if (host_only && domain_attribute != url.host) return std::nullopt;
    cookie.domain = host_only ? url.host : "." + domain_attribute;
  }
  cookie.path = !path_attribute.empty() && path_attribute.front() == '/' ? path_attribute : DefaultPath(url.path);

  cookie.creation = now;
  cookie.last_access = now;
  if (max_age) {
    cookie.has_expires = true;
    cookie.expires = *max_age <= 0 ? 0 : now + *max_age * kMicro;
  } else if (expires) {
    cookie.has_expires = true;
    cookie.expires = *expires * kMicro;
  }
  return cookie;
}

}  // namespace standin::cookies
