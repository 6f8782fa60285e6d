#include "http_url.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace standin::net {

namespace {

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  return text;
}

// The length of a "scheme:" prefix, 0 when the text has none.
size_t SchemeLength(std::string_view text) {
  if (text.empty() || !std::isalpha(static_cast<unsigned char>(text[0]))) return 0;
  for (size_t i = 1; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == ':') return i;
    if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return 0;
  }
  return 0;
}

// "a/b/../c/./d" rules of RFC 3986 section 5.2.4, for a path that starts with '/'.
std::string RemoveDotSegments(std::string_view path) {
  std::vector<std::string_view> out;
  size_t start = 1;
  bool trailing_slash = false;
  while (start <= path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string_view::npos) end = path.size();
    std::string_view segment = path.substr(start, end - start);
    bool last = end == path.size();
    if (segment == ".") {
      trailing_slash = last;
    } else if (segment == "..") {
      if (!out.empty()) out.pop_back();
      trailing_slash = last;
    } else {
      out.push_back(segment);
      trailing_slash = false;
    }
    start = end + 1;
  }
  std::string result;
  for (std::string_view segment : out) {
    result += '/';
    result += segment;
  }
  if (trailing_slash || result.empty()) result += '/';
  return result;
}

struct TSplit {
  std::string_view origin;  // scheme://authority
  std::string_view path;
  std::string_view query;  // with '?'
};

bool SplitAbsolute(std::string_view url, TSplit& split) {
  size_t scheme = SchemeLength(url);
  if (scheme == 0 || url.substr(scheme, 3) != "://") return false;
  size_t authority_end = url.find_first_of("/?#", scheme + 3);
  if (authority_end == std::string_view::npos) authority_end = url.size();
  split.origin = url.substr(0, authority_end);
  std::string_view rest = url.substr(authority_end);
  rest = rest.substr(0, rest.find('#'));
  size_t query = rest.find('?');
  split.path = rest.substr(0, query);
  split.query = query == std::string_view::npos ? std::string_view() : rest.substr(query);
  return true;
}

std::string Join(std::string_view origin, std::string_view path_and_more) {
  size_t cut = path_and_more.find_first_of("?#");
  std::string_view path = path_and_more.substr(0, cut);
  std::string result(origin);
  result += RemoveDotSegments(path.empty() ? std::string_view("/") : path);
  if (cut != std::string_view::npos) result += path_and_more.substr(cut);
  return result;
}

}  // namespace

std::string THttpUrl::HostHeader() const {
  std::string text = host.find(':') != std::string::npos ? "[" + host + "]" : host;
  uint16_t default_port = scheme == "https" ? 443 : 80;
  if (port != default_port) text += ":" + std::to_string(port);
  return text;
}

std::optional<THttpUrl> ParseHttpUrl(std::string_view url) {
  url = Trim(url);
  size_t scheme_length = SchemeLength(url);
  if (scheme_length == 0 || url.substr(scheme_length, 3) != "://") return std::nullopt;
  THttpUrl parts;
  parts.scheme = Lower(url.substr(0, scheme_length));
  if (parts.scheme == "https") {
    parts.port = 443;
  } else if (parts.scheme != "http") {
    return std::nullopt;
  }
  std::string_view rest = url.substr(scheme_length + 3);
  size_t authority_end = rest.find_first_of("/?#");
  std::string_view authority = rest.substr(0, authority_end);
  rest = authority_end == std::string_view::npos ? std::string_view() : rest.substr(authority_end);
  if (size_t at = authority.rfind('@'); at != std::string_view::npos) authority.remove_prefix(at + 1);

  std::string_view host = authority;
  std::string_view port;
  if (!authority.empty() && authority.front() == '[') {
    size_t close = authority.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    host = authority.substr(1, close - 1);
    std::string_view after = authority.substr(close + 1);
    if (!after.empty()) {
      if (after.front() != ':') return std::nullopt;
      port = after.substr(1);
    }
  } else if (size_t colon = authority.rfind(':'); colon != std::string_view::npos) {
    host = authority.substr(0, colon);
    port = authority.substr(colon + 1);
  }
  if (host.empty()) return std::nullopt;
  parts.host = Lower(host);
  if (!port.empty()) {
    if (port.size() > 5 || !std::all_of(port.begin(), port.end(), [](char c) { return c >= '0' && c <= '9'; }))
      return std::nullopt;
    unsigned long value = std::stoul(std::string(port));
    if (value == 0 || value > 65535) return std::nullopt;
    parts.port = static_cast<uint16_t>(value);
  }

  rest = rest.substr(0, rest.find('#'));
  std::string target = rest.empty() || rest.front() == '?' ? "/" + std::string(rest) : std::string(rest);
  for (char c : target) {
    if (c == ' ') {
      parts.target += "%20";
    } else {
      parts.target += c;
    }
  }
  return parts;
}

std::string ResolveReference(std::string_view base, std::string_view reference) {
  reference = Trim(reference);
  if (SchemeLength(reference) != 0) return std::string(reference);
  TSplit split;
  if (!SplitAbsolute(base, split)) return {};
  if (reference.substr(0, 2) == "//") {
    return std::string(base.substr(0, SchemeLength(base) + 1)) + std::string(reference);
  }
  std::string base_path = split.path.empty() ? "/" : std::string(split.path);
  if (reference.empty()) return std::string(split.origin) + base_path + std::string(split.query);
  switch (reference.front()) {
    case '/':
      return Join(split.origin, reference);
    case '?':
      return std::string(split.origin) + base_path + std::string(reference);
    case '#':
      return std::string(split.origin) + base_path + std::string(split.query) + std::string(reference);
    default: {
      std::string merged = base_path.substr(0, base_path.rfind('/') + 1) + std::string(reference);
      return Join(split.origin, merged);
    }
  }
}

}  // namespace standin::net
