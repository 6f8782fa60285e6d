#pragma once
// All cookies of one cookie manager, safe to use from any thread. Pointed at a folder it
// loads the store file kept there and writes it back on Flush (session cookies only when
// asked to keep them); without a folder it keeps cookies in memory only. Switching folders
// writes the old store out and starts from the new folder's file, as the browser's own
// cookie manager does.

#include "cookie.h"

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace standin::cookies {

struct TStorageOpenResult {
  bool same_folder = false;   // the store already used that folder: nothing was reloaded
  bool file_found = false;
  bool file_rejected = false;  // damaged or unreadable: ignored and moved aside as *.bad
  size_t loaded = 0;
};

struct TFlushResult {
  bool written = false;  // false without a folder, or when the file could not be replaced
  size_t count = 0;
};

class TCookieStore {
 public:
  static constexpr const wchar_t* kFileName = L"StandinCookies.txt";
  // More than any real site needs; the least recently used cookies go first beyond it.
  static constexpr size_t kMaxCookies = 3300;

  // http and https always carry cookies; these are further schemes that do.
  void SetSupportedSchemes(std::vector<std::string> schemes);
  bool SchemeSupported(std::string_view scheme) const;

  // A Set-Cookie header received from url.
  bool SetFromHeader(std::string_view url, std::string_view header, int64_t now = NowMicroseconds());
  // A cookie given field by field: an empty domain makes a host cookie of url's host, an
  // empty path the folder of url's path; creation and last access become now.
  bool SetCookie(std::string_view url, TCookie cookie, int64_t now = NowMicroseconds());
  // url empty: every cookie. url and name: the cookies of that name that go with url. url
  // alone: the host cookies of url's host, whatever their path. -1 for an unusable url.
  int DeleteCookies(std::string_view url, std::string_view name);
  // Deletes the cookie with that name, domain and path.
  bool DeleteExact(const TCookie& cookie);
  // Holds exactly these cookies from now on (another keeper's view of them); a cookie it held
  // already keeps its creation and last use, a new one gets now.
  void ReplaceAll(std::vector<TCookie> cookies, int64_t now = NowMicroseconds());

  std::vector<TCookie> AllCookies(int64_t now = NowMicroseconds());
  // Most specific path first, then oldest first; nothing for an unsupported scheme.
  std::vector<TCookie> UrlCookies(std::string_view url, bool include_httponly, int64_t now = NowMicroseconds());
  // "a=1; b=2" for a request to url (empty when none); marks the cookies as used.
  std::string CookieHeader(std::string_view url, int64_t now = NowMicroseconds());

  TStorageOpenResult SetStoragePath(const std::wstring& folder, bool persist_session_cookies);
  std::wstring StoragePath() const;
  bool PersistSessionCookies() const;
  TFlushResult Flush(int64_t now = NowMicroseconds());
  size_t Count() const;

 private:
  void InsertLocked(TCookie cookie, int64_t now);
  void PurgeExpiredLocked(int64_t now);
  bool SchemeSupportedLocked(std::string_view scheme) const;
  TFlushResult FlushLocked(int64_t now);

  mutable std::mutex FLock;
  std::vector<TCookie> FCookies;
  std::vector<std::string> FExtraSchemes;
  std::wstring FFolder;
  bool FPersistSession = false;
};

}  // namespace standin::cookies
