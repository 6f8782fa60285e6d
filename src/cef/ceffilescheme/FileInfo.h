#pragma once
// One entry of a folder listing, and the texts its row shows.

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace ceffilescheme {

// The body of a JavaScript string literal that reads back as text (up to its first NUL).
// Quotes and backslashes get a backslash; '<' and every unit below 0x20 or from 0x80 up
// become "\uXXXX", so the literal can never close its script element and the page stays
// 7-bit ASCII whatever the code page.
std::wstring EscapeJsString(std::wstring_view text);

class TFileInfo {
 public:
  TFileInfo(std::wstring aname, int64_t asize, FILETIME adate, DWORD aattr)
      : name(std::move(aname)), size(asize), date(adate), attr(aattr) {}

  bool IsFolder() const noexcept { return (attr & FILE_ATTRIBUTE_DIRECTORY) != 0; }

  // "1023 B", "1.5 kB", "1024.0 kB", "1.0 MB" ... "PB", then "big".
  std::wstring DisplaySize() const;
  // The last-write time in local time, short date and long time (the time left out at
  // midnight); empty when the time cannot be shown as a date of the years 1 to 9999.
  std::wstring DisplayDate() const;
  // The entry's script line: <script>addRow("name","name",isdir,"size","date");</script> CR LF.
  std::wstring Display() const;

  std::wstring name;
  int64_t size;
  FILETIME date;
  DWORD attr;

 private:
  std::wstring FormattedDate() const;
};

}  // namespace ceffilescheme
