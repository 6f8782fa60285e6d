#pragma once
// A folder of files made for one test and removed after it, with the `local:` address of
// each of its entries.

#include <windows.h>

#include <string>

namespace ceffilescheme::test {

class TTempFolder {
 public:
  TTempFolder();
  ~TTempFolder();
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  // The folder's path, ending with a backslash.
  const std::wstring& Path() const { return FPath; }
  std::wstring Path(const std::wstring& name) const { return FPath + name; }
  // local://<drive>/<folder>/<name>, every byte outside [A-Za-z0-9._-/] percent-escaped as UTF-8.
  std::wstring Url(const std::wstring& name = L"") const;

  void Write(const std::wstring& name, const std::string& bytes, DWORD attributes = 0) const;
  void MakeFolder(const std::wstring& name) const;

 private:
  std::wstring FPath;
};

// The extension ".kelpatyped" registered with the type "text/x-kelpa" for as long as it lives.
class TRegisteredType {
 public:
  TRegisteredType();
  ~TRegisteredType();
  TRegisteredType(const TRegisteredType&) = delete;
  TRegisteredType& operator=(const TRegisteredType&) = delete;
};

}  // namespace ceffilescheme::test
