#pragma once
// file: addresses as a Windows user types them, and as an engine must be given them. A Linux
// engine under Wine reads Unix paths: file:///C:/Users/x.html names the file Wine keeps for
// drive C, and the engine is told that file's Unix address; what it reports comes back in the
// Windows form.

#include <string>

namespace standin::engine {

// The Windows path a file: address names, unescaped (percent escapes are UTF-8):
// file:///C:/a%20b.html, file://C:/a b.html, file:/C:/x, file:///C|/x and
// file://localhost/C:/x name C:\...; file://server/share/x and file:////server/share/x name
// \\server\share\x; a path without a drive (file:///tmp/x) names \tmp\x. Query and fragment
// are no part of the path.
std::wstring WindowsPathOfFileUrl(const std::wstring& url);

// The ?query#fragment that follows a file: address's path, as written ("" when none).
std::wstring FileUrlSuffix(const std::wstring& url);

// A path as the engine writes file: addresses: UTF-8 with percent escapes for everything
// but plain ASCII letters, digits and -._~/:!$&'()*+,;=@.
std::wstring FileUrlOfWindowsPath(const std::wstring& path);  // file:///C:/x, file://server/share/x
std::wstring FileUrlOfUnixPath(const std::string& unix_path);   // file:///home/x

// The Unix path (UTF-8) of a file: address that names one (file:///home/x); empty otherwise.
std::string UnixPathOfFileUrl(const std::wstring& url);

bool IsFileUrl(const std::wstring& url);

}  // namespace standin::engine
