#pragma once
// Bytes of a response body to text: a byte-order mark wins, then the charset of the
// Content-Type, then a charset declared in the page's first kilobyte; without any, UTF-8
// when the bytes are valid UTF-8, otherwise Windows-1252.

#include <string>
#include <string_view>

namespace standin::page {

std::wstring DecodeBody(std::string_view bytes, std::string_view content_type);

// The MIME type of a Content-Type value, lower case, without parameters.
std::string MimeTypeOf(std::string_view content_type);

}  // namespace standin::page
