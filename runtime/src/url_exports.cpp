// cef_parse_url and cef_create_url. The parts a successful parse writes are runtime-owned
// strings that the caller clears; a failed parse or build leaves the output untouched.

#include "string_record.h"
#include "url_parser.h"

using namespace standin;

int cef_parse_url(const cef_string_t* url, cef_urlparts_t* parts) {
  TUrlParts parsed;
  if (!parts || !ParseUrl(View(url), parsed)) return 0;
  Assign(&parts->spec, parsed.spec);
  Assign(&parts->scheme, parsed.scheme);
  Assign(&parts->username, parsed.username);
  Assign(&parts->password, parsed.password);
  Assign(&parts->host, parsed.host);
  Assign(&parts->port, parsed.port);
  Assign(&parts->origin, parsed.origin);
  Assign(&parts->path, parsed.path);
  Assign(&parts->query, parsed.query);
  return 1;
}

int cef_create_url(const cef_urlparts_t* parts, cef_string_t* url) {
  if (!parts || !url) return 0;
  std::wstring text(View(&parts->spec));
  if (text.empty()) {
    std::wstring_view scheme = View(&parts->scheme);
    std::wstring_view host = View(&parts->host);
    if (scheme.empty() || host.empty()) return 0;
    text.assign(scheme).append(L"://");
    if (!View(&parts->username).empty()) {
      text.append(View(&parts->username));
      if (!View(&parts->password).empty()) text.append(L":").append(View(&parts->password));
      text.append(L"@");
    }
    text.append(host);
    if (!View(&parts->port).empty()) text.append(L":").append(View(&parts->port));
    std::wstring_view path = View(&parts->path);
    if (!path.empty()) {
      if (path.front() != L'/') text.append(L"/");
      text.append(path);
    }
    std::wstring_view query = View(&parts->query);
    if (!query.empty()) {
      if (query.front() != L'?') text.append(L"?");
      text.append(query);
    }
  }
  TUrlParts parsed;
  if (!ParseUrl(text, parsed)) return 0;
  Assign(url, parsed.spec);
  return 1;
}
