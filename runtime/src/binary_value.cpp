#include "binary_value.h"

#include "held_ref.h"

#include <algorithm>
#include <cstring>

namespace standin {

TBinaryValue::TBinaryValue(std::vector<unsigned char> bytes)
    : TRuntimeStruct("binary_value"), FBytes(std::move(bytes)) {
  cef_binary_value_t& m = Members();
  m.is_valid = &IsValid;
  m.is_owned = &IsOwned;
  m.is_same = &IsSame;
  m.is_equal = &IsEqual;
  m.copy = &Copy;
  m.get_size = &GetSize;
  m.get_data = &GetData;
}

int CEF_CALLBACK TBinaryValue::IsValid(cef_binary_value_t*) { return 1; }

int CEF_CALLBACK TBinaryValue::IsOwned(cef_binary_value_t*) { return 0; }

// The argument came with a reference for the runtime, which goes back when the answer is known.
int CEF_CALLBACK TBinaryValue::IsSame(cef_binary_value_t* self, cef_binary_value_t* that) {
  auto other = THeld<cef_binary_value_t>::Adopt(that, "binary_value_argument");
  return self == that ? 1 : 0;
}

int CEF_CALLBACK TBinaryValue::IsEqual(cef_binary_value_t* self, cef_binary_value_t* that) {
  auto other = THeld<cef_binary_value_t>::Adopt(that, "binary_value_argument");
  if (!that) return 0;
  if (self == that) return 1;
  // The other value may be anybody's implementation: read it through its own members.
  size_t size = that->get_size(that);
  if (size != From(self)->FBytes.size()) return 0;
  std::vector<unsigned char> bytes(size);
  if (size && that->get_data(that, bytes.data(), size, 0) != size) return 0;
  return bytes == From(self)->FBytes ? 1 : 0;
}

cef_binary_value_t* CEF_CALLBACK TBinaryValue::Copy(cef_binary_value_t* self) {
  return MakeRuntimeObject<TBinaryValue>(From(self)->FBytes)->PassOut();
}

size_t CEF_CALLBACK TBinaryValue::GetSize(cef_binary_value_t* self) { return From(self)->FBytes.size(); }

size_t CEF_CALLBACK TBinaryValue::GetData(cef_binary_value_t* self, void* buffer, size_t buffer_size,
                                          size_t data_offset) {
  const auto& bytes = From(self)->FBytes;
  if (!buffer || data_offset >= bytes.size()) return 0;
  size_t count = std::min(buffer_size, bytes.size() - data_offset);
  std::memcpy(buffer, bytes.data() + data_offset, count);
  return count;
}

}  // namespace standin

using namespace standin;

cef_binary_value_t* cef_binary_value_create(const void* data, size_t data_size) {
  if (!data || data_size == 0) return nullptr;
  const auto* bytes = static_cast<const unsigned char*>(data);
  return MakeRuntimeObject<TBinaryValue>(std::vector<unsigned char>(bytes, bytes + data_size))->PassOut();
}
