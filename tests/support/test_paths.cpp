#include "test_paths.h"

#include <windows.h>

#include <filesystem>
#include <system_error>

namespace kelpa::test {

std::wstring BinDir() {
  wchar_t buffer[MAX_PATH];
  DWORD n = GetCurrentDirectoryW(MAX_PATH, buffer);
  return std::wstring(buffer, n);
}

std::wstring BinFile(const std::wstring& name) {
  return (std::filesystem::path(BinDir()) / name).wstring();
}

std::wstring MakeTempDir(const std::wstring& prefix) {
  std::filesystem::path base = std::filesystem::temp_directory_path();
  for (unsigned i = GetTickCount();; ++i) {
    std::filesystem::path dir = base / (prefix + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(i));
    std::error_code ec;
    if (std::filesystem::create_directory(dir, ec)) return dir.wstring();
  }
}

void RemoveTree(const std::wstring& path) {
  std::error_code ec;
  std::filesystem::remove_all(path, ec);
}

}  // namespace kelpa::test
