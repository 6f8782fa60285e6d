#include "ceffilescheme/DataStream.h"

#include <algorithm>
#include <cstring>

namespace ceffilescheme {

int TMemoryStream::Read(void* buffer, int count) {
  if (count <= 0 || FPosition >= FBytes.size()) return 0;
  size_t n = std::min(static_cast<size_t>(count), FBytes.size() - FPosition);
  std::memcpy(buffer, FBytes.data() + FPosition, n);
  FPosition += n;
  return static_cast<int>(n);
}

std::unique_ptr<TFileStream> TFileStream::OpenRead(const std::wstring& path) {
  TFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  LARGE_INTEGER size;
  if (!file || !GetFileSizeEx(file.get(), &size)) return nullptr;
  return std::unique_ptr<TFileStream>(new TFileStream(std::move(file), size.QuadPart));
}

int TFileStream::Read(void* buffer, int count) {
  if (count <= 0) return 0;
  DWORD read = 0;
  if (!ReadFile(FFile.get(), buffer, static_cast<DWORD>(count), &read, nullptr)) return -1;
  return static_cast<int>(read);
}

}  // namespace ceffilescheme
