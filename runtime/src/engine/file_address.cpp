#include "file_address.h"

#include "engine_text.h"

#include <algorithm>
#include <cwctype>
#include <string_view>

namespace standin::engine {

namespace {

int HexValue(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

// Percent escapes are UTF-8 bytes; the rest is taken as written.
std::string UnescapedUtf8(std::wstring_view text) {
  std::string bytes;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
      bytes += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
      i += 2;
    } else {
      bytes += Utf8Of(text.substr(i, 1));
    }
  }
  return bytes;
}

bool StartsWithDrive(std::wstring_view text) {
  return text.size() >= 2 && text[0] < 128 && std::iswalpha(text[0]) && (text[1] == L':' || text[1] == L'|') &&
         (text.size() == 2 || text[2] == L'/');
}

bool Plain(unsigned char c) {
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
  return std::string_view("-._~/:!$&'()*+,;=@").find(static_cast<char>(c)) != std::string_view::npos;
}

std::wstring Escaped(const std::string& utf8) {
  static const char* kHex = "0123456789ABCDEF";
  std::wstring out;
  for (unsigned char c : utf8) {
    if (Plain(c)) {
      out += static_cast<wchar_t>(c);
    } else {
      out += L'%';
      out += static_cast<wchar_t>(kHex[c >> 4]);
      out += static_cast<wchar_t>(kHex[c & 15]);
    }
  }
  return out;
}

// What follows "file:", up to the query or fragment, with Windows separators made URL ones.
std::wstring PathPart(const std::wstring& url) {
  std::wstring rest = url.substr(5);
  rest.resize(std::min(rest.size(), rest.find_first_of(L"?#")));
  for (wchar_t& c : rest)
    if (c == L'\\') c = L'/';
  return rest;
}

}  // namespace

bool IsFileUrl(const std::wstring& url) {
  if (url.size() < 5 || url[4] != L':') return false;
  for (size_t i = 0; i < 4; ++i)
    if (std::towlower(url[i]) != L"file"[i]) return false;
  return true;
}

std::wstring FileUrlSuffix(const std::wstring& url) {
  if (!IsFileUrl(url)) return {};
  size_t at = url.find_first_of(L"?#", 5);
  return at == std::wstring::npos ? std::wstring() : url.substr(at);
}

std::wstring WindowsPathOfFileUrl(const std::wstring& url) {
  if (!IsFileUrl(url)) return {};
  std::wstring rest = WideOf(UnescapedUtf8(PathPart(url)));
  constexpr std::wstring_view kLocalhost = L"//localhost/";
  if (rest.size() >= kLocalhost.size()) {
    std::wstring head = rest.substr(0, kLocalhost.size());
    for (wchar_t& c : head) c = static_cast<wchar_t>(std::towlower(c));
    if (head == kLocalhost) rest.erase(0, kLocalhost.size() - 1);
  }
  size_t slashes = rest.find_first_not_of(L'/');
  if (slashes == std::wstring::npos) slashes = rest.size();
  std::wstring body = rest.substr(slashes);
  std::wstring path;
  if (StartsWithDrive(body)) {
    path = body;
    path[1] = L':';
  } else if (slashes == 2 || slashes >= 4) {
    path = L"//" + body;  // a share: server/share/...
  } else {
    path = L"/" + body;
  }
  for (wchar_t& c : path)
    if (c == L'/') c = L'\\';
  return path;
}

std::wstring FileUrlOfWindowsPath(const std::wstring& path) {
  std::wstring slashed = path;
  for (wchar_t& c : slashed)
    if (c == L'\\') c = L'/';
  if (slashed.rfind(L"//", 0) == 0) return L"file:" + Escaped(Utf8Of(slashed));
  return L"file://" + std::wstring(slashed.rfind(L'/', 0) == 0 ? L"" : L"/") + Escaped(Utf8Of(slashed));
}

std::wstring FileUrlOfUnixPath(const std::string& unix_path) { return L"file://" + Escaped(unix_path); }

std::string UnixPathOfFileUrl(const std::wstring& url) {
  if (!IsFileUrl(url)) return {};
  std::wstring rest = PathPart(url);
  // Only an address without a host names a file of this machine's own file system.
  if (rest.rfind(L"///", 0) != 0 || rest.rfind(L"////", 0) == 0) return {};
  return UnescapedUtf8(rest.substr(2));
}

}  // namespace standin::engine
