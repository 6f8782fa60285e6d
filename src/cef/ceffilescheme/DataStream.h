#pragma once
// The body of one response: an open file read where it lies, or a page built in memory.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "base/Handle.h"

namespace ceffilescheme {

class TDataStream {
 public:
  virtual ~TDataStream() = default;
  // Bytes in the whole stream.
  virtual int64_t Size() const = 0;
  // Copies up to count bytes from the current position; the number copied, 0 at the end,
  // -1 when reading failed.
  virtual int Read(void* buffer, int count) = 0;
};

class TMemoryStream final : public TDataStream {
 public:
  void Write(std::string_view bytes) { FBytes += bytes; }
  // Takes the bytes over whole when the stream is still empty (a page built elsewhere).
  void Write(std::string&& bytes) {
    if (FBytes.empty())
      FBytes = std::move(bytes);
    else
      FBytes += bytes;
  }
  // Back to the first byte.
  void Rewind() noexcept { FPosition = 0; }
  const std::string& Bytes() const noexcept { return FBytes; }

  int64_t Size() const override { return static_cast<int64_t>(FBytes.size()); }
  int Read(void* buffer, int count) override;

 private:
  std::string FBytes;
  size_t FPosition = 0;
};

// A file opened for reading that lets everybody else read, write and delete it meanwhile.
class TFileStream final : public TDataStream {
 public:
  // Null when the file cannot be opened.
  static std::unique_ptr<TFileStream> OpenRead(const std::wstring& path);

  int64_t Size() const override { return FSize; }
  int Read(void* buffer, int count) override;

 private:
  TFileStream(TFileHandle file, int64_t size) : FFile(std::move(file)), FSize(size) {}

  TFileHandle FFile;
  int64_t FSize;
};

}  // namespace ceffilescheme
