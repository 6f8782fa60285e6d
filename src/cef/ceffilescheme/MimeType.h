#pragma once
// The MIME type the system's file associations give a file.

#include <windows.h>

#include <string>
#include <string_view>

namespace ceffilescheme {

// The "Content Type" of the extension's key under HKEY_CLASSES_ROOT, read with read-only
// rights (a standard user has no more on the machine's keys). Where that gives no type, the
// usual types of web files (".html", ".css", ".js", ".png", ".pdf", ... in any case) stand
// in; anything else without a type is "application/octet-stream".
// The associations are read from classesRoot.
std::wstring MimeTypeOfFile(std::wstring_view path, HKEY classesRoot = HKEY_CLASSES_ROOT);

// The text from the last '.' of the file name on; empty when the name has none.
std::wstring FileExtension(std::wstring_view path);

}  // namespace ceffilescheme
