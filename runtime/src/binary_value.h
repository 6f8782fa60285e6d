#pragma once
// A block of bytes as the runtime hands it out (cef_base64decode, cef_binary_value_create).
// It is never owned by a container here, so is_owned is always 0 and it is always valid.

#include "runtime_object.h"

#include <vector>

namespace standin {

class TBinaryValue final : public TRuntimeStruct<TBinaryValue, cef_binary_value_t> {
 public:
  explicit TBinaryValue(std::vector<unsigned char> bytes);
  const std::vector<unsigned char>& Bytes() const { return FBytes; }

 private:
  static int CEF_CALLBACK IsValid(cef_binary_value_t* self);
  static int CEF_CALLBACK IsOwned(cef_binary_value_t* self);
  static int CEF_CALLBACK IsSame(cef_binary_value_t* self, cef_binary_value_t* that);
  static int CEF_CALLBACK IsEqual(cef_binary_value_t* self, cef_binary_value_t* that);
  static cef_binary_value_t* CEF_CALLBACK Copy(cef_binary_value_t* self);
  static size_t CEF_CALLBACK GetSize(cef_binary_value_t* self);
  static size_t CEF_CALLBACK GetData(cef_binary_value_t* self, void* buffer, size_t buffer_size, size_t data_offset);

  const std::vector<unsigned char> FBytes;
};

}  // namespace standin
