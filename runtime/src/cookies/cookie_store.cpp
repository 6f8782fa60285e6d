#include "cookie_store.h"

#include "cookie_file.h"
#include "cookie_rules.h"
#include "set_cookie_parser.h"

#include <windows.h>

#include <algorithm>
#include <filesystem>

namespace standin::cookies {

namespace {

bool ByUrlOrder(const TCookie& a, const TCookie& b) {
  if (a.path.size() != b.path.size()) return a.path.size() > b.path.size();
  return a.creation < b.creation;
}

bool IsUsableText(std::string_view text) {
  for (char c : text) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F || c == ';') return false;
  }
  return true;
}

std::wstring StoreFile(const std::wstring& folder) {
  return (std::filesystem::path(folder) / TCookieStore::kFileName).wstring();
}

}  // namespace

void TCookieStore::SetSupportedSchemes(std::vector<std::string> schemes) {
  for (std::string& scheme : schemes) scheme = AsciiLower(scheme);
  std::lock_guard<std::mutex> lock(FLock);
  FExtraSchemes = std::move(schemes);
}

bool TCookieStore::SchemeSupported(std::string_view scheme) const {
  std::lock_guard<std::mutex> lock(FLock);
  return SchemeSupportedLocked(scheme);
}

bool TCookieStore::SchemeSupportedLocked(std::string_view scheme) const {
  std::string lower = AsciiLower(scheme);
  if (lower == "http" || lower == "https") return true;
  return std::find(FExtraSchemes.begin(), FExtraSchemes.end(), lower) != FExtraSchemes.end();
}

void TCookieStore::InsertLocked(TCookie cookie, int64_t now) {
  auto existing = std::find_if(FCookies.begin(), FCookies.end(), [&](const TCookie& c) { return c.SameKey(cookie); });
  if (existing != FCookies.end()) {
    cookie.creation = existing->creation;
    FCookies.erase(existing);
  }
  if (cookie.IsExpiredAt(now)) return;
  FCookies.push_back(std::move(cookie));
  if (FCookies.size() > kMaxCookies) {
    auto oldest = std::min_element(FCookies.begin(), FCookies.end(),
                                   [](const TCookie& a, const TCookie& b) { return a.last_access < b.last_access; });
    FCookies.erase(oldest);
  }
}

void TCookieStore::PurgeExpiredLocked(int64_t now) {
  std::erase_if(FCookies, [now](const TCookie& c) { return c.IsExpiredAt(now); });
}

bool TCookieStore::SetFromHeader(std::string_view url, std::string_view header, int64_t now) {
  TCookieUrl parts = ParseCookieUrl(url);
  std::lock_guard<std::mutex> lock(FLock);
  if (!parts.valid || !SchemeSupportedLocked(parts.scheme)) return false;
  std::optional<TCookie> cookie = ParseSetCookie(header, parts, now);
  if (!cookie) return false;
  InsertLocked(std::move(*cookie), now);
  return true;
}

bool TCookieStore::SetCookie(std::string_view url, TCookie cookie, int64_t now) {
  TCookieUrl parts = ParseCookieUrl(url);
  std::lock_guard<std::mutex> lock(FLock);
  if (!parts.valid || parts.host.empty() || !SchemeSupportedLocked(parts.scheme)) return false;
  if (!IsUsableText(cookie.name) || !IsUsableText(cookie.value) || cookie.name.find('=') != std::string::npos)
    return false;
  if (cookie.name.empty() && cookie.value.empty()) return false;
  std::string domain = AsciiLower(cookie.domain);
  if (!domain.empty() && domain.front() == '.') domain.erase(0, 1);
  if (domain.empty()) {
    cookie.domain = parts.host;
  } else {
    if (!DomainMatches(parts.host, domain)) return false;
    bool host_only = IsIpAddress(parts.host) || domain.find('.') == std::string::npos;
    if (host_only && domain != parts.host) return false;
    cookie.domain = host_only ? parts.host : "." + domain;
  }
  if (cookie.path.empty() || cookie.path.front() != '/') cookie.path = DefaultPath(parts.path);
  if (!IsUsableText(cookie.path)) return false;
  if (!cookie.has_expires) cookie.expires = 0;
  cookie.creation = now;
  cookie.last_access = now;
  InsertLocked(std::move(cookie), now);
  return true;
}

int TCookieStore::DeleteCookies(std::string_view url, std::string_view name) {
  std::lock_guard<std::mutex> lock(FLock);
  size_t before = FCookies.size();
  if (url.empty()) {
    FCookies.clear();
    return static_cast<int>(before);
  }
  TCookieUrl parts = ParseCookieUrl(url);
  if (!parts.valid || parts.host.empty()) return -1;
  if (name.empty()) {
    std::erase_if(FCookies, [&](const TCookie& c) { return c.IsHostOnly() && c.domain == parts.host; });
  } else {
    TCookieUrl any_scheme = parts;
    any_scheme.scheme = "https";  // secure cookies go too
    std::erase_if(FCookies, [&](const TCookie& c) { return c.name == name && CookieMatchesUrl(c, any_scheme); });
  }
  return static_cast<int>(before - FCookies.size());
}

bool TCookieStore::DeleteExact(const TCookie& cookie) {
  std::lock_guard<std::mutex> lock(FLock);
  return std::erase_if(FCookies, [&](const TCookie& c) { return c.SameKey(cookie); }) > 0;
}

void TCookieStore::ReplaceAll(std::vector<TCookie> cookies, int64_t now) {
  std::lock_guard<std::mutex> lock(FLock);
  for (TCookie& cookie : cookies) {
    auto held = std::find_if(FCookies.begin(), FCookies.end(), [&](const TCookie& c) { return c.SameKey(cookie); });
    cookie.creation = held != FCookies.end() ? held->creation : now;
    cookie.last_access = held != FCookies.end() ? held->last_access : now;
  }
  FCookies.clear();
  for (TCookie& cookie : cookies) InsertLocked(std::move(cookie), now);
}

std::vector<TCookie> TCookieStore::AllCookies(int64_t now) {
  std::lock_guard<std::mutex> lock(FLock);
  PurgeExpiredLocked(now);
  std::vector<TCookie> all = FCookies;
  std::stable_sort(all.begin(), all.end(), [](const TCookie& a, const TCookie& b) {
    std::string_view da = a.IsHostOnly() ? std::string_view(a.domain) : std::string_view(a.domain).substr(1);
    std::string_view db = b.IsHostOnly() ? std::string_view(b.domain) : std::string_view(b.domain).substr(1);
    if (da != db) return da < db;
    return ByUrlOrder(a, b);
  });
  return all;
}

std::vector<TCookie> TCookieStore::UrlCookies(std::string_view url, bool include_httponly, int64_t now) {
  TCookieUrl parts = ParseCookieUrl(url);
  std::lock_guard<std::mutex> lock(FLock);
  std::vector<TCookie> found;
  if (!parts.valid || !SchemeSupportedLocked(parts.scheme)) return found;
  PurgeExpiredLocked(now);
  for (const TCookie& cookie : FCookies)
    if ((include_httponly || !cookie.httponly) && CookieMatchesUrl(cookie, parts)) found.push_back(cookie);
  std::stable_sort(found.begin(), found.end(), ByUrlOrder);
  return found;
}

std::string TCookieStore::CookieHeader(std::string_view url, int64_t now) {
  std::vector<TCookie> cookies = UrlCookies(url, true, now);
  std::string header;
  {
    std::lock_guard<std::mutex> lock(FLock);
    for (TCookie& cookie : FCookies)
      for (const TCookie& used : cookies)
        if (cookie.SameKey(used)) cookie.last_access = now;
  }
  for (const TCookie& cookie : cookies) {
    if (!header.empty()) header += "; ";
    header += cookie.name.empty() ? cookie.value : cookie.name + "=" + cookie.value;
  }
  return header;
}

TStorageOpenResult TCookieStore::SetStoragePath(const std::wstring& folder, bool persist_session_cookies) {
  std::lock_guard<std::mutex> lock(FLock);
  TStorageOpenResult result;
  if (folder == FFolder) {
    FPersistSession = persist_session_cookies;
    result.same_folder = true;
    return result;
  }
  if (!FFolder.empty()) FlushLocked(NowMicroseconds());
  FCookies.clear();
  FFolder = folder;
  FPersistSession = persist_session_cookies;
  if (folder.empty()) return result;

  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(folder), ignored);
  std::wstring file = StoreFile(folder);
  std::optional<std::string> text = ReadWholeFile(file);
  if (!text) {
    result.file_found = GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES;
    result.file_rejected = result.file_found;
    return result;
  }
  result.file_found = true;
  std::optional<std::vector<TCookie>> cookies = ParseCookieFile(*text);
  if (!cookies) {
    // Keep the damaged file for whoever wants to look at it; the next flush writes anew.
    result.file_rejected = true;
    MoveFileExW(file.c_str(), (file + L".bad").c_str(), MOVEFILE_REPLACE_EXISTING);
    return result;
  }
  int64_t now = NowMicroseconds();
  for (TCookie& cookie : *cookies) {
    if (cookie.IsExpiredAt(now) || (!cookie.has_expires && !persist_session_cookies)) continue;
    InsertLocked(std::move(cookie), now);
  }
  result.loaded = FCookies.size();
  return result;
}

std::wstring TCookieStore::StoragePath() const {
  std::lock_guard<std::mutex> lock(FLock);
  return FFolder;
}

bool TCookieStore::PersistSessionCookies() const {
  std::lock_guard<std::mutex> lock(FLock);
  return FPersistSession;
}

TFlushResult TCookieStore::Flush(int64_t now) {
  std::lock_guard<std::mutex> lock(FLock);
  return FlushLocked(now);
}

TFlushResult TCookieStore::FlushLocked(int64_t now) {
  TFlushResult result;
  if (FFolder.empty()) return result;
  std::vector<TCookie> kept;
  for (const TCookie& cookie : FCookies)
    if (!cookie.IsExpiredAt(now) && (cookie.has_expires || FPersistSession)) kept.push_back(cookie);
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(FFolder), ignored);
  result.written = ReplaceFileAtomically(StoreFile(FFolder), SerializeCookies(kept));
  result.count = kept.size();
  return result;
}

size_t TCookieStore::Count() const {
  std::lock_guard<std::mutex> lock(FLock);
  return FCookies.size();
}

}  // namespace standin::cookies
