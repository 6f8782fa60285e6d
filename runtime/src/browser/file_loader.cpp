#include "file_loader.h"

#include "utf.h"

#include <windows.h>

#include <filesystem>
#include <fstream>

namespace standin {

namespace {

int HexValue(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

// Percent escapes are UTF-8 bytes.
std::wstring Unescape(std::wstring_view text) {
  std::string bytes;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
      bytes += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
      i += 2;
    } else {
      bytes += ToUtf8(text.substr(i, 1));
    }
  }
  return FromUtf8(bytes);
}

std::wstring MimeTypeForExtension(std::wstring extension) {
  if (!extension.empty() && extension.front() == L'.') extension.erase(0, 1);
  cef_string_t ext = {extension.data(), extension.size(), nullptr};
  cef_string_userfree_t found = cef_get_mime_type(&ext);
  std::wstring mime = found ? std::wstring(found->str, found->length) : std::wstring();
  if (found) cef_string_userfree_utf16_free(found);
  return mime;
}

}  // namespace

std::wstring FileUrlToPath(const std::wstring& url) {
  std::wstring rest = url.substr(std::min<size_t>(url.size(), 5));  // after "file:"
  rest = rest.substr(0, rest.find_first_of(L"?#"));
  std::wstring path;
  if (rest.rfind(L"///", 0) == 0) {
    path = rest.substr(3);
  } else if (rest.rfind(L"//", 0) == 0) {
    std::wstring authority_and_path = rest.substr(2);
    bool local = authority_and_path.rfind(L"localhost/", 0) == 0;
    path = local ? authority_and_path.substr(10) : L"//" + authority_and_path;
  } else {
    path = rest;
  }
  path = Unescape(path);
  for (wchar_t& c : path)
    if (c == L'/') c = L'\\';
  return path;
}

TLoadResult LoadFile(const std::wstring& url) {
  std::filesystem::path path(FileUrlToPath(url));
  std::error_code error;
  TLoadResult result;
  result.final_url = url;
  if (std::filesystem::is_directory(path, error)) {
    result.status = 200;
    result.mime_type = L"text/plain";
    result.content_type = "text/plain; charset=utf-8";
    std::string listing = "Index of " + ToUtf8(path.wstring()) + "\n";
    for (const auto& entry : std::filesystem::directory_iterator(path, error))
      listing += ToUtf8(entry.path().filename().wstring()) + (entry.is_directory(error) ? "/" : "") + "\n";
    result.body = std::move(listing);
    return result;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) return TLoadResult::Failure(std::filesystem::exists(path, error) ? ERR_ACCESS_DENIED : ERR_FILE_NOT_FOUND, url);
  result.body.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  result.status = 200;
  result.mime_type = MimeTypeForExtension(path.extension().wstring());
  return result;
}

}  // namespace standin
