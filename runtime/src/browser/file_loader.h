#pragma once
// file: loads, read from disk on the IO thread: a file's bytes with the MIME type of its
// extension, a folder as a plain list of its entries.

#include "load_result.h"

#include <string>

namespace standin {

TLoadResult LoadFile(const std::wstring& url);
// file:///C:/dir/a%20b.txt and file://C:/dir/a b.txt give C:\dir\a b.txt; file://server/share/x
// gives \\server\share\x (engine/file_address.h has every form).
std::wstring FileUrlToPath(const std::wstring& url);

}  // namespace standin
