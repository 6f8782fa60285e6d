// cef_get_mime_type and cef_get_extensions_for_mime_type, from one table. Extensions are
// given without the dot and matched without regard to ASCII case; an unknown extension gives
// no string (null), as the real runtime's empty result does.

#include "string_collections.h"
#include "string_record.h"
#include "utf.h"

using namespace standin;

namespace {

struct TMimeEntry {
  const wchar_t* extension;
  const wchar_t* mime_type;
};

// The first extension listed for a type is its primary one.
constexpr TMimeEntry kMimeTypes[] = {
    {L"html", L"text/html"},        {L"htm", L"text/html"},
    {L"shtml", L"text/html"},       {L"shtm", L"text/html"},
    {L"css", L"text/css"},          {L"js", L"application/javascript"},
    {L"json", L"application/json"}, {L"xml", L"text/xml"},
    {L"xsl", L"text/xml"},          {L"xhtml", L"application/xhtml+xml"},
    {L"xht", L"application/xhtml+xml"}, {L"txt", L"text/plain"},
    {L"text", L"text/plain"},       {L"csv", L"text/csv"},
    {L"png", L"image/png"},         {L"gif", L"image/gif"},
    {L"jpg", L"image/jpeg"},        {L"jpeg", L"image/jpeg"},
    {L"jpe", L"image/jpeg"},        {L"bmp", L"image/bmp"},
    {L"ico", L"image/x-icon"},      {L"svg", L"image/svg+xml"},
    {L"svgz", L"image/svg+xml"},    {L"webp", L"image/webp"},
    {L"tif", L"image/tiff"},        {L"tiff", L"image/tiff"},
    {L"mp3", L"audio/mpeg"},        {L"wav", L"audio/wav"},
    {L"ogg", L"audio/ogg"},         {L"oga", L"audio/ogg"},
    {L"m4a", L"audio/x-m4a"},       {L"mp4", L"video/mp4"},
    {L"m4v", L"video/mp4"},         {L"ogv", L"video/ogg"},
    {L"webm", L"video/webm"},       {L"pdf", L"application/pdf"},
    {L"zip", L"application/zip"},   {L"gz", L"application/gzip"},
    {L"tgz", L"application/gzip"},  {L"swf", L"application/x-shockwave-flash"},
    {L"woff", L"application/font-woff"}, {L"ttf", L"application/x-font-ttf"},
    {L"otf", L"application/x-font-otf"}, {L"mht", L"multipart/related"},
    {L"mhtml", L"multipart/related"}, {L"exe", L"application/octet-stream"},
    {L"bin", L"application/octet-stream"},
};

}  // namespace

cef_string_userfree_t cef_get_mime_type(const cef_string_t* extension) {
  std::wstring wanted = AsciiLower(View(extension));
  for (const auto& entry : kMimeTypes) {
    if (wanted == entry.extension) return UserFreeResult(entry.mime_type);
  }
  return nullptr;
}

void cef_get_extensions_for_mime_type(const cef_string_t* mime_type, cef_string_list_t extensions) {
  if (!extensions) return;
  std::wstring wanted = AsciiLower(View(mime_type));
  for (const auto& entry : kMimeTypes) {
    if (wanted == entry.mime_type) ListOf(extensions)->push_back(entry.extension);
  }
}
