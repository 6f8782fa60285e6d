#pragma once
// Reads and writes one INI file through the system's profile functions. The
// file is opened by each call and closed again; nothing is cached here.

#include "base/Exceptions.h"

#include <string>

class EIniFileException : public Exception {
 public:
  using Exception::Exception;
};

class TIniFile {
 public:
  explicit TIniFile(std::wstring fileName) : FFileName(std::move(fileName)) {}

  const std::wstring& FileName() const noexcept { return FFileName; }

  // The whole stored text, however long; defaultValue when the key is missing.
  std::wstring ReadString(const std::wstring& section, const std::wstring& ident,
                          const std::wstring& defaultValue) const;
  // Decimal, or hexadecimal after "0x" or "$"; defaultValue when the key is
  // missing or its text is not a number.
  int ReadInteger(const std::wstring& section, const std::wstring& ident, int defaultValue) const;

  // Whatever ReadString will give back, blanks and quotes around it included.
  // Raise EIniFileException "Unable to write to <file>" when the write fails.
  void WriteString(const std::wstring& section, const std::wstring& ident, const std::wstring& value);
  void WriteInteger(const std::wstring& section, const std::wstring& ident, int value);

 private:
  std::wstring FFileName;
};
