#include "base/IniFile.h"

#include "base/SysUtils.h"

#include <windows.h>

std::wstring TIniFile::ReadString(const std::wstring& section, const std::wstring& ident,
                                  const std::wstring& defaultValue) const {
  // The profile functions cut a value that does not fit the buffer and say so only
  // by filling it: grow the buffer until the whole value fits.
  std::wstring buffer(2048, L'\0');
  for (;;) {
    DWORD n = GetPrivateProfileStringW(section.c_str(), ident.c_str(), defaultValue.c_str(), buffer.data(),
                                       static_cast<DWORD>(buffer.size()), FFileName.c_str());
    if (n + 1 < buffer.size()) {
      buffer.resize(n);
      return buffer;
    }
    buffer.resize(buffer.size() * 2);
  }
}

int TIniFile::ReadInteger(const std::wstring& section, const std::wstring& ident, int defaultValue) const {
  return StrToIntDef(ReadString(section, ident, L""), defaultValue);
}

namespace {

// Reading a value back, the profile functions drop the blanks around it and one
// pair of quotes that encloses it. Such a value is stored inside double quotes,
// which they drop again, so that what is read is what was written.
bool ReadingWouldChange(const std::wstring& value) {
  if (value.empty()) return false;
  auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
  wchar_t first = value.front(), last = value.back();
  return blank(first) || blank(last) || (value.size() >= 2 && first == last && (first == L'"' || first == L'\''));
}

// The profile functions create a missing file in the ANSI code page, where an address with
// other characters would be stored as question marks. A file that starts with the UTF-16
// byte order mark is written in UTF-16, so a new file starts with one. A file that exists
// keeps its encoding.
void CreateAsUnicode(const std::wstring& fileName) {
  HANDLE file = CreateFileW(fileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;  // it exists, or the write below reports why not
  const unsigned char byteOrderMark[] = {0xFF, 0xFE};
  DWORD written = 0;
  WriteFile(file, byteOrderMark, sizeof byteOrderMark, &written, nullptr);
  CloseHandle(file);
}

}  // namespace

void TIniFile::WriteString(const std::wstring& section, const std::wstring& ident, const std::wstring& value) {
  const std::wstring stored = ReadingWouldChange(value) ? L'"' + value + L'"' : value;
  CreateAsUnicode(FFileName);
  if (!WritePrivateProfileStringW(section.c_str(), ident.c_str(), stored.c_str(), FFileName.c_str()))
    throw EIniFileException(L"Unable to write to " + FFileName);
}

void TIniFile::WriteInteger(const std::wstring& section, const std::wstring& ident, int value) {
  WriteString(section, ident, IntToStr(value));
}
