#include "engine_address.h"

#include <cwctype>

namespace standin::engine {

namespace {

constexpr std::wstring_view kSuffix = L".standin-scheme.invalid";

bool EngineKnows(const std::wstring& scheme) {
  for (const wchar_t* known : {L"http", L"https", L"about", L"data", L"file", L"blob", L"javascript", L"chrome",
                               L"chrome-error", L"ws", L"wss", L"view-source", L"filesystem"})
    if (scheme == known) return true;
  return false;
}

bool IsLabel(const std::wstring& text) {
  if (text.empty() || text.size() > 63) return false;
  for (wchar_t c : text)
    if (!(std::iswalnum(c) && c < 128) && c != L'-') return false;
  return true;
}

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text)
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  return text;
}

}  // namespace

std::wstring ToEngineAddress(const std::wstring& url) {
  size_t colon = url.find(L':');
  if (colon == std::wstring::npos || url.compare(colon, 3, L"://") != 0) return url;
  std::wstring scheme = Lower(url.substr(0, colon));
  if (EngineKnows(scheme) || !IsLabel(scheme)) return url;
  size_t host_start = colon + 3;
  size_t host_end = url.find_first_of(L"/?#", host_start);
  if (host_end == std::wstring::npos) host_end = url.size();
  std::wstring host = Lower(url.substr(host_start, host_end - host_start));
  std::wstring rest = host_end < url.size() ? url.substr(host_end) : L"/";
  if (rest[0] != L'/') rest = L"/" + rest;
  return L"http://" + (host.empty() ? L"" : host + L".") + scheme + std::wstring(kSuffix) + rest;
}

std::wstring FromEngineAddress(const std::wstring& url) {
  constexpr std::wstring_view kHttp = L"http://";
  if (url.compare(0, kHttp.size(), kHttp) != 0) return url;
  size_t host_end = url.find_first_of(L"/?#", kHttp.size());
  if (host_end == std::wstring::npos) host_end = url.size();
  std::wstring host = url.substr(kHttp.size(), host_end - kHttp.size());
  if (host.size() <= kSuffix.size() || host.compare(host.size() - kSuffix.size(), kSuffix.size(), kSuffix) != 0)
    return url;
  host.resize(host.size() - kSuffix.size());
  size_t dot = host.rfind(L'.');
  std::wstring scheme = dot == std::wstring::npos ? host : host.substr(dot + 1);
  std::wstring program_host = dot == std::wstring::npos ? L"" : host.substr(0, dot);
  return scheme + L"://" + program_host + url.substr(host_end);
}

const char* MappedAddressPattern() { return "http://*.standin-scheme.invalid/*"; }

}  // namespace standin::engine
