#include "ceffilescheme/MimeType.h"

#include <windows.h>

#include "base/Handle.h"

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

// The types of the files a web page is made of, for a machine whose associations give an
// extension no type (many keys have none, and a test prefix has hardly any): a wall display
// must show a local page, not offer it as a download.
std::wstring WebTypeOf(const std::wstring& lowerExtension) {
  static const struct {
    const wchar_t* Extension;
    const wchar_t* Type;
  } kTypes[] = {
      {L".htm", L"text/html"},       {L".html", L"text/html"},         {L".css", L"text/css"},
      {L".js", L"text/javascript"},  {L".mjs", L"text/javascript"},    {L".json", L"application/json"},
      {L".txt", L"text/plain"},      {L".xml", L"text/xml"},           {L".svg", L"image/svg+xml"},
      {L".png", L"image/png"},       {L".jpg", L"image/jpeg"},         {L".jpeg", L"image/jpeg"},
      {L".gif", L"image/gif"},       {L".webp", L"image/webp"},        {L".ico", L"image/x-icon"},
      {L".pdf", L"application/pdf"}, {L".woff", L"font/woff"},         {L".woff2", L"font/woff2"},
      {L".mp4", L"video/mp4"},       {L".webm", L"video/webm"},
  };
  for (const auto& known : kTypes)
    if (lowerExtension == known.Extension) return known.Type;
  return {};
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
  // A name without an extension reads the root's own value: opening the root by an empty
  // name would hand back the root itself, not a key of our own to close.
  if (extension.empty()) {
    mime = ContentTypeValue(classesRoot);
  } else {
    HKEY raw = nullptr;
    if (RegOpenKeyExW(classesRoot, extension.c_str(), 0, KEY_QUERY_VALUE, &raw) == ERROR_SUCCESS) {
      TRegKeyHandle key(raw);
      mime = ContentTypeValue(key.get());
    }
  }
  if (mime.empty()) mime = WebTypeOf(LowerAscii(extension));
  return mime.empty() ? L"application/octet-stream" : mime;
}

}  // namespace ceffilescheme
