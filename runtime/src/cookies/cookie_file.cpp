#include "cookie_file.h"

#include <windows.h>

#include <charconv>
#include <cstdio>

namespace standin::cookies {

namespace {

// Version 2 added the engine's attributes as three more fields; version 1 files still load.
constexpr std::string_view kHeader = "standin-cookie-store 2\n";
constexpr std::string_view kHeaderVersion1 = "standin-cookie-store 1\n";
constexpr size_t kFieldCount = 13;
constexpr size_t kFieldCountVersion1 = 10;

uint64_t Fnv1a(std::string_view data) {
  uint64_t hash = 0xcbf29ce484222325ull;
  for (char c : data) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001b3ull;
  }
  return hash;
}

std::string Escape(std::string_view text) {
  std::string out;
  for (char c : text) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == '%' || u == 0x7F) {
      char buffer[4];
      std::snprintf(buffer, sizeof(buffer), "%%%02X", u);
      out += buffer;
    } else {
      out += c;
    }
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool Unescape(std::string_view text, std::string& out) {
  out.clear();
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    if (i + 2 >= text.size()) return false;
    int high = HexDigit(text[i + 1]);
    int low = HexDigit(text[i + 2]);
    if (high < 0 || low < 0) return false;
    out += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return true;
}

template <class T>
bool ReadNumber(std::string_view text, T& value) {
  if (text.empty()) return false;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

bool ReadFlag(std::string_view text, bool& flag) {
  if (text != "0" && text != "1") return false;
  flag = text == "1";
  return true;
}

bool ParseCookieLine(std::string_view line, size_t field_count, TCookie& cookie) {
  std::string_view fields[kFieldCount];
  for (size_t count = 0;; ++count) {
    if (count == field_count) return false;  // more fields than a cookie has
    size_t tab = line.find('\t');
    fields[count] = line.substr(0, tab);
    if (tab == std::string_view::npos) {
      if (count + 1 != field_count) return false;
      break;
    }
    line.remove_prefix(tab + 1);
  }
  bool extra = field_count == kFieldCountVersion1 ||
               (Unescape(fields[10], cookie.same_site) && Unescape(fields[11], cookie.priority) &&
                Unescape(fields[12], cookie.partition_key));
  return extra && Unescape(fields[0], cookie.name) && Unescape(fields[1], cookie.value) &&
         Unescape(fields[2], cookie.domain) && Unescape(fields[3], cookie.path) && ReadFlag(fields[4], cookie.secure) &&
         ReadFlag(fields[5], cookie.httponly) && ReadFlag(fields[6], cookie.has_expires) &&
         ReadNumber(fields[7], cookie.expires) && ReadNumber(fields[8], cookie.creation) &&
         ReadNumber(fields[9], cookie.last_access) && !cookie.domain.empty() && !cookie.path.empty() &&
         cookie.path.front() == '/';
}

}  // namespace

std::string SerializeCookies(const std::vector<TCookie>& cookies) {
  std::string text(kHeader);
  for (const TCookie& c : cookies) {
    text += Escape(c.name) + '\t' + Escape(c.value) + '\t' + Escape(c.domain) + '\t' + Escape(c.path) + '\t';
    text += std::string(c.secure ? "1" : "0") + '\t' + (c.httponly ? "1" : "0") + '\t' + (c.has_expires ? "1" : "0");
    text += '\t' + std::to_string(c.expires) + '\t' + std::to_string(c.creation) + '\t' + std::to_string(c.last_access);
    text += '\t' + Escape(c.same_site) + '\t' + Escape(c.priority) + '\t' + Escape(c.partition_key) + '\n';
  }
  char trailer[64];
  std::snprintf(trailer, sizeof(trailer), "end %zu %016llx\n", cookies.size(),
                static_cast<unsigned long long>(Fnv1a(text)));
  return text + trailer;
}

std::optional<std::vector<TCookie>> ParseCookieFile(std::string_view text) {
  size_t field_count = text.substr(0, kHeader.size()) == kHeader           ? kFieldCount
                       : text.substr(0, kHeader.size()) == kHeaderVersion1 ? kFieldCountVersion1
                                                                           : 0;
  if (field_count == 0) return std::nullopt;
  if (text.empty() || text.back() != '\n') return std::nullopt;
  size_t trailer_start = text.rfind('\n', text.size() - 2);
  if (trailer_start == std::string_view::npos || trailer_start + 1 < kHeader.size()) return std::nullopt;
  std::string_view body = text.substr(0, trailer_start + 1);
  std::string_view trailer = text.substr(trailer_start + 1, text.size() - trailer_start - 2);

  // "end <count> <16 hex digits>"
  if (trailer.substr(0, 4) != "end ") return std::nullopt;
  trailer.remove_prefix(4);
  size_t space = trailer.find(' ');
  if (space == std::string_view::npos) return std::nullopt;
  size_t count = 0;
  uint64_t checksum = 0;
  std::string_view hex = trailer.substr(space + 1);
  if (!ReadNumber(trailer.substr(0, space), count) || hex.size() != 16) return std::nullopt;
  auto [end, ec] = std::from_chars(hex.data(), hex.data() + hex.size(), checksum, 16);
  if (ec != std::errc() || end != hex.data() + hex.size() || checksum != Fnv1a(body)) return std::nullopt;

  std::vector<TCookie> cookies;
  std::string_view lines = body.substr(kHeader.size());
  while (!lines.empty()) {
    size_t newline = lines.find('\n');
    if (newline == std::string_view::npos) return std::nullopt;
    TCookie cookie;
    if (!ParseCookieLine(lines.substr(0, newline), field_count, cookie)) return std::nullopt;
    cookies.push_back(std::move(cookie));
    lines.remove_prefix(newline + 1);
  }
  if (cookies.size() != count) return std::nullopt;
  return cookies;
}

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string data;
  char buffer[64 * 1024];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ReadFile(file, buffer, sizeof(buffer), &got, nullptr) != FALSE) && got > 0) {
    data.append(buffer, got);
    if (data.size() > (256u << 20)) {
      ok = false;
      break;
    }
  }
  CloseHandle(file);
  if (!ok) return std::nullopt;
  return data;
}

bool ReplaceFileAtomically(const std::wstring& path, std::string_view data) {
  std::wstring temporary = path + L".tmp";
  HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  while (ok && !data.empty()) {
    DWORD written = 0;
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(data.size(), 1u << 20));
    ok = WriteFile(file, data.data(), chunk, &written, nullptr) != FALSE && written == chunk;
    data.remove_prefix(written);
  }
  ok = ok && FlushFileBuffers(file) != FALSE;
  CloseHandle(file);
  if (ok) ok = MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
  if (!ok) DeleteFileW(temporary.c_str());
  return ok;
}

}  // namespace standin::cookies
