#include "url_parser.h"

#include "scheme_registry.h"
#include "uri_escape.h"
#include "utf.h"

#include <cstring>
#include <vector>

namespace standin {
namespace {

bool IsSchemeChar(wchar_t c, bool first) {
  bool alpha = (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
  if (first) return alpha;
  return alpha || (c >= L'0' && c <= L'9') || c == L'+' || c == L'-' || c == L'.';
}

// Leading and trailing blanks and control characters go; tabs and line breaks go everywhere.
std::wstring Clean(std::wstring_view text) {
  size_t begin = 0, end = text.size();
  while (begin < end && text[begin] <= L' ') ++begin;
  while (end > begin && text[end - 1] <= L' ') --end;
  std::wstring out;
  for (wchar_t c : text.substr(begin, end - begin)) {
    if (c != L'\t' && c != L'\n' && c != L'\r') out += c;
  }
  return out;
}

// Escapes what may not stand in a component; existing %XX escapes are kept as they are.
std::wstring EscapeComponent(std::wstring_view text, const char* also_escaped) {
  auto keep = [also_escaped](unsigned char b) {
    return b > 0x20 && b < 0x7F && !(b != 0 && std::strchr(also_escaped, b) != nullptr);
  };
  return PercentEscape(ToUtf8(text), keep);
}

const wchar_t* DefaultPort(std::wstring_view scheme) {
  if (scheme == L"http" || scheme == L"ws") return L"80";
  if (scheme == L"https" || scheme == L"wss") return L"443";
  if (scheme == L"ftp") return L"21";
  return nullptr;
}

std::wstring ResolveDotSegments(std::wstring_view path) {
  std::vector<std::wstring> segments;
  size_t start = 1;  // path always begins with '/'
  bool trailing_slash = false;
  while (start <= path.size()) {
    size_t slash = path.find(L'/', start);
    std::wstring segment(path.substr(start, slash == std::wstring_view::npos ? std::wstring_view::npos : slash - start));
    std::wstring lower = AsciiLower(segment);
    bool last = slash == std::wstring_view::npos;
    if (lower == L"." || lower == L"%2e") {
      trailing_slash = last;
    } else if (lower == L".." || lower == L".%2e" || lower == L"%2e." || lower == L"%2e%2e") {
      if (!segments.empty()) segments.pop_back();
      trailing_slash = last;
    } else {
      segments.push_back(std::move(segment));
      trailing_slash = false;
    }
    if (last) break;
    start = slash + 1;
  }
  std::wstring out;
  for (const auto& segment : segments) out += L"/" + segment;
  if (trailing_slash || out.empty()) out += L"/";
  return out;
}

bool ParseAuthority(std::wstring_view authority, TUrlParts& parts) {
  size_t at = authority.rfind(L'@');
  if (at != std::wstring_view::npos) {
    std::wstring_view userinfo = authority.substr(0, at);
    authority.remove_prefix(at + 1);
    size_t colon = userinfo.find(L':');
    parts.username = EscapeComponent(userinfo.substr(0, colon), " \"<>`#?{}/:;=@[\\]^|");
    if (colon != std::wstring_view::npos) {
      parts.password = EscapeComponent(userinfo.substr(colon + 1), " \"<>`#?{}/:;=@[\\]^|");
    }
  }
  std::wstring_view host = authority;
  std::wstring_view port;
  size_t bracket = authority.rfind(L']');
  size_t colon = authority.rfind(L':');
  if (colon != std::wstring_view::npos && (bracket == std::wstring_view::npos || colon > bracket)) {
    host = authority.substr(0, colon);
    port = authority.substr(colon + 1);
  }
  for (wchar_t c : host) {
    if (c <= L' ' || c == 0x7F || std::wcschr(L"<>\"#%/?@\\^|`{}", c) != nullptr) return false;
  }
  parts.host = AsciiLower(host);
  if (!port.empty()) {
    unsigned long value = 0;
    for (wchar_t c : port) {
      if (c < L'0' || c > L'9') return false;
      value = value * 10 + (c - L'0');
      if (value > 65535) return false;
    }
    std::wstring canonical = std::to_wstring(value);
    const wchar_t* default_port = DefaultPort(parts.scheme);
    if (!default_port || canonical != default_port) parts.port = canonical;
  }
  return true;
}

}  // namespace

bool ParseUrl(std::wstring_view input, TUrlParts& parts) {
  parts = TUrlParts();
  std::wstring text = Clean(input);
  size_t colon = text.find(L':');
  if (colon == std::wstring::npos || colon == 0) return false;
  for (size_t i = 0; i < colon; ++i) {
    if (!IsSchemeChar(text[i], i == 0)) return false;
  }
  parts.scheme = AsciiLower(std::wstring_view(text).substr(0, colon));
  std::wstring_view rest = std::wstring_view(text).substr(colon + 1);

  size_t hash = rest.find(L'#');
  if (hash != std::wstring_view::npos) {
    parts.fragment = EscapeComponent(rest.substr(hash + 1), " \"<>`");
    rest = rest.substr(0, hash);
  }
  bool has_query = false;
  size_t question = rest.find(L'?');
  if (question != std::wstring_view::npos) {
    parts.query = EscapeComponent(rest.substr(question + 1), " \"<>#");
    has_query = true;
    rest = rest.substr(0, question);
  }
  std::wstring query_part = has_query ? L"?" + parts.query : L"";
  std::wstring fragment_part = hash != std::wstring_view::npos ? L"#" + parts.fragment : L"";

  if (!TSchemeRegistry::Instance().IsStandard(parts.scheme)) {
    // Such a path may hold blanks; only controls and non-ASCII characters are escaped.
    parts.path = PercentEscape(ToUtf8(rest), [](unsigned char b) { return b >= 0x20 && b < 0x7F; });
    parts.spec = parts.scheme + L":" + parts.path + query_part + fragment_part;
    return true;
  }

  auto is_slash = [](wchar_t c) { return c == L'/' || c == L'\\'; };
  size_t skip = 0;
  bool is_file = parts.scheme == L"file";
  // A file URL has at most two slashes before its (often empty) host; others may have more.
  while (skip < rest.size() && is_slash(rest[skip]) && (!is_file || skip < 2)) ++skip;
  rest.remove_prefix(skip);
  size_t authority_end = rest.find_first_of(L"/\\");
  std::wstring_view authority = rest.substr(0, authority_end);
  std::wstring_view path = authority_end == std::wstring_view::npos ? std::wstring_view() : rest.substr(authority_end);
  std::wstring drive_path;
  if (is_file && authority.size() == 2 && IsSchemeChar(authority[0], true) &&
      (authority[1] == L':' || authority[1] == L'|')) {
    // "file://C:/x" names a drive, not a host.
    drive_path = L"/" + std::wstring(1, authority[0]) + L":" + std::wstring(path);
    path = drive_path;
    authority = {};
  }
  if (!ParseAuthority(authority, parts)) return false;
  if (parts.host.empty() && parts.scheme != L"file") return false;

  std::wstring slashed(path);
  for (auto& c : slashed) {
    if (c == L'\\') c = L'/';
  }
  if (slashed.empty()) slashed = L"/";
  parts.path = EscapeComponent(ResolveDotSegments(slashed), " \"<>`{}");

  std::wstring authority_text;
  if (!parts.username.empty() || !parts.password.empty()) {
    authority_text = parts.username;
    if (!parts.password.empty()) authority_text += L":" + parts.password;
    authority_text += L"@";
  }
  std::wstring host_port = parts.host + (parts.port.empty() ? L"" : L":" + parts.port);
  parts.spec = parts.scheme + L"://" + authority_text + host_port + parts.path + query_part + fragment_part;
  parts.origin = parts.scheme + L"://" + host_port + L"/";
  return true;
}

}  // namespace standin
