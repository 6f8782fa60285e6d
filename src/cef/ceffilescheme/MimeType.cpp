#include "ceffilescheme/MimeType.h"

#include <windows.h>

#include "toolkit/Handle.h"

namespace ceffilescheme {
namespace {

std::wstring LowerAscii(std::wstring text) {
  for (wchar_t& c : text)
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  return text;
}

std::wstring ContentTypeValue(HKEY key) {
  DWORD type = 0, bytes = 0;
  if (RegQueryValueExW(key, L"Content Type", nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) return {};
  if ((type != REG_SZ && type != REG_EXPAND_SZ) || bytes == 0) return {};
  std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
  if (RegQueryValueExW(key, L"Content Type", nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &bytes) !=
      ERROR_SUCCESS)
    return {};
  value.resize(bytes / sizeof(wchar_t));
  while (!value.empty() && value.back() == L'\0') value.pop_back();
  return value;
}

}  // namespace

std::wstring FileExtension(std::wstring_view path) {
  size_t dot = path.find_last_of(L".\\/:");
  if (dot == std::wstring_view::npos || path[dot] != L'.') return {};
  return std::wstring(path.substr(dot));
}

std::wstring MimeTypeOfFile(std::wstring_view path, HKEY classesRoot) {
  std::wstring extension = FileExtension(path);
  std::wstring mime;
  HKEY raw = nullptr;
  if (RegOpenKeyExW(classesRoot, extension.c_str(), 0, KEY_QUERY_VALUE, &raw) == ERROR_SUCCESS) {
    TRegKeyHandle key(raw);
    mime = ContentTypeValue(key.get());
  } else if (LowerAscii(extension) == L".pdf") {
    mime = L"application/pdf";
  }
  return mime.empty() ? L"application/octet-stream" : mime;
}

}  // namespace ceffilescheme
