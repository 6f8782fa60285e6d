#include "file_loader.h"

#include "file_address.h"
#include "utf.h"

#include <windows.h>

#include <filesystem>
#include <fstream>

namespace standin {

namespace {

std::wstring MimeTypeForExtension(std::wstring extension) {
  if (!extension.empty() && extension.front() == L'.') extension.erase(0, 1);
  cef_string_t ext = {extension.data(), extension.size(), nullptr};
  cef_string_userfree_t found = cef_get_mime_type(&ext);
  std::wstring mime = found ? std::wstring(found->str, found->length) : std::wstring();
  if (found) cef_string_userfree_utf16_free(found);
  return mime;
}

}  // namespace

std::wstring FileUrlToPath(const std::wstring& url) { return engine::WindowsPathOfFileUrl(url); }

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
