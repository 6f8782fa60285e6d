#include "temp_folder.h"

#include <gtest/gtest.h>

#include "base/SysUtils.h"
#include "test_paths.h"

namespace ceffilescheme::test {

TTempFolder::TTempFolder() : FPath(kelpa::test::MakeTempDir(L"kelpa-local") + L"\\") {}

TTempFolder::~TTempFolder() { kelpa::test::RemoveTree(FPath.substr(0, FPath.size() - 1)); }

std::wstring TTempFolder::Url(const std::wstring& name) const {
  std::wstring path = FPath + name;
  std::string bytes = WideToUtf8(path.substr(3));
  std::wstring url = L"local://" + path.substr(0, 1) + L"/";
  const char* hex = "0123456789ABCDEF";
  for (unsigned char c : bytes) {
    if (c == '\\') url += L'/';
    else if (isalnum(c) || c == '.' || c == '_' || c == '-') url += static_cast<wchar_t>(c);
    else url += {L'%', static_cast<wchar_t>(hex[c >> 4]), static_cast<wchar_t>(hex[c & 15])};
  }
  return url;
}

void TTempFolder::Write(const std::wstring& name, const std::string& bytes, DWORD attributes) const {
  HANDLE file = CreateFileW(Path(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << "cannot write the test file";
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  if (attributes) {
    SetFileAttributesW(Path(name).c_str(), attributes);
    ASSERT_EQ(GetFileAttributesW(Path(name).c_str()) & attributes, attributes) << "the file system keeps no attributes";
  }
}

void TTempFolder::MakeFolder(const std::wstring& name) const { CreateDirectoryW(Path(name).c_str(), nullptr); }

TRegisteredType::TRegisteredType() {
  HKEY key;
  if (RegCreateKeyExW(HKEY_CLASSES_ROOT, L".kelpatyped", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    ADD_FAILURE() << "cannot register the test's file type";
    return;
  }
  const std::wstring type = L"text/x-kelpa";
  RegSetValueExW(key, L"Content Type", 0, REG_SZ, reinterpret_cast<const BYTE*>(type.c_str()),
                 static_cast<DWORD>((type.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

TRegisteredType::~TRegisteredType() { RegDeleteTreeW(HKEY_CLASSES_ROOT, L".kelpatyped"); }

}  // namespace ceffilescheme::test
