#include "toolkit/IniFile.h"

#include "toolkit/SysUtils.h"

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

void TIniFile::WriteString(const std::wstring& section, const std::wstring& ident, const std::wstring& value) {
  if (!WritePrivateProfileStringW(section.c_str(), ident.c_str(), value.c_str(), FFileName.c_str()))
    throw EIniFileException(L"Unable to write to " + FFileName);
}

void TIniFile::WriteInteger(const std::wstring& section, const std::wstring& ident, int value) {
  WriteString(section, ident, IntToStr(value));
}
