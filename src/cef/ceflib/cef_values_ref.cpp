// TCefValueRef, TCefBinaryValueRef, TCefDictionaryValueRef and TCefListValueRef over
// cef_value_t, cef_binary_value_t, cef_dictionary_value_t and cef_list_value_t, one line per
// member; and the runtime's constructors.

#include "ceflib/cef_entry_points.h"
#include "ceflib/cef_ref_of.h"
#include "ceflib/cef_values.h"

namespace ceflib {
namespace {

using V = cef_value_t;

class TCefValueRef final : public TCefRefOf<TCefValueRef, ICefValue, V> {
 public:
  using TCefRefOf::TCefRefOf;
  bool IsValid() override { return Call(&V::is_valid); }
  bool IsOwned() override { return Call(&V::is_owned); }
  bool IsReadOnly() override { return Call(&V::is_read_only); }
  bool IsSame(const RefPtr<ICefValue>& that) override { return Call(&V::is_same, that); }
  bool IsEqual(const RefPtr<ICefValue>& that) override { return Call(&V::is_equal, that); }
  RefPtr<ICefValue> Copy() override { return Call(&V::copy); }
  cef_value_type_t GetType() override { return Call(&V::get_type); }
  bool GetBool() override { return Call(&V::get_bool); }
  int GetInt() override { return Call(&V::get_int); }
  double GetDouble() override { return Call(&V::get_double); }
  ustring GetString() override { return Call(&V::get_string); }
  RefPtr<ICefBinaryValue> GetBinary() override { return Call(&V::get_binary); }
  RefPtr<ICefDictionaryValue> GetDictionary() override { return Call(&V::get_dictionary); }
  RefPtr<ICefListValue> GetList() override { return Call(&V::get_list); }
  bool SetNull() override { return Call(&V::set_null); }
  bool SetBool(bool value) override { return Call(&V::set_bool, value); }
  bool SetInt(int value) override { return Call(&V::set_int, value); }
  bool SetDouble(double value) override { return Call(&V::set_double, value); }
  bool SetString(const ustring& value) override { return Call(&V::set_string, value); }
  bool SetBinary(const RefPtr<ICefBinaryValue>& value) override { return Call(&V::set_binary, value); }
  bool SetDictionary(const RefPtr<ICefDictionaryValue>& value) override { return Call(&V::set_dictionary, value); }
  bool SetList(const RefPtr<ICefListValue>& value) override { return Call(&V::set_list, value); }
};

using B = cef_binary_value_t;

class TCefBinaryValueRef final : public TCefRefOf<TCefBinaryValueRef, ICefBinaryValue, B> {
 public:
  using TCefRefOf::TCefRefOf;
  bool IsValid() override { return Call(&B::is_valid); }
  bool IsOwned() override { return Call(&B::is_owned); }
  bool IsSame(const RefPtr<ICefBinaryValue>& that) override { return Call(&B::is_same, that); }
  bool IsEqual(const RefPtr<ICefBinaryValue>& that) override { return Call(&B::is_equal, that); }
  RefPtr<ICefBinaryValue> Copy() override { return Call(&B::copy); }
  size_t GetSize() override { return Call(&B::get_size); }
  size_t GetData(void* buffer, size_t bufferSize, size_t dataOffset) override {
    return Call(&B::get_data, buffer, bufferSize, dataOffset);
  }
};

using D = cef_dictionary_value_t;

class TCefDictionaryValueRef final : public TCefRefOf<TCefDictionaryValueRef, ICefDictionaryValue, D> {
 public:
  using TCefRefOf::TCefRefOf;
  bool IsValid() override { return Call(&D::is_valid); }
  bool IsOwned() override { return Call(&D::is_owned); }
  bool IsReadOnly() override { return Call(&D::is_read_only); }
  bool IsSame(const RefPtr<ICefDictionaryValue>& that) override { return Call(&D::is_same, that); }
  bool IsEqual(const RefPtr<ICefDictionaryValue>& that) override { return Call(&D::is_equal, that); }
  RefPtr<ICefDictionaryValue> Copy(bool excludeEmptyChildren) override { return Call(&D::copy, excludeEmptyChildren); }
  size_t GetSize() override { return Call(&D::get_size); }
  bool Clear() override { return Call(&D::clear); }
  bool HasKey(const ustring& key) override { return Call(&D::has_key, key); }
  bool GetKeys(ustringlist& keys) override { return Call(&D::get_keys, keys); }
  bool Remove(const ustring& key) override { return Call(&D::remove, key); }
  cef_value_type_t GetType(const ustring& key) override { return Call(&D::get_type, key); }
  RefPtr<ICefValue> GetValue(const ustring& key) override { return Call(&D::get_value, key); }
  bool GetBool(const ustring& key) override { return Call(&D::get_bool, key); }
  int GetInt(const ustring& key) override { return Call(&D::get_int, key); }
  double GetDouble(const ustring& key) override { return Call(&D::get_double, key); }
  ustring GetString(const ustring& key) override { return Call(&D::get_string, key); }
  RefPtr<ICefBinaryValue> GetBinary(const ustring& key) override { return Call(&D::get_binary, key); }
  RefPtr<ICefDictionaryValue> GetDictionary(const ustring& key) override { return Call(&D::get_dictionary, key); }
  RefPtr<ICefListValue> GetList(const ustring& key) override { return Call(&D::get_list, key); }
  bool SetValue(const ustring& key, const RefPtr<ICefValue>& value) override { return Call(&D::set_value, key, value); }
  bool SetNull(const ustring& key) override { return Call(&D::set_null, key); }
  bool SetBool(const ustring& key, bool value) override { return Call(&D::set_bool, key, value); }
  bool SetInt(const ustring& key, int value) override { return Call(&D::set_int, key, value); }
  bool SetDouble(const ustring& key, double value) override { return Call(&D::set_double, key, value); }
  bool SetString(const ustring& key, const ustring& value) override { return Call(&D::set_string, key, value); }
  bool SetBinary(const ustring& key, const RefPtr<ICefBinaryValue>& value) override {
    return Call(&D::set_binary, key, value);
  }
  bool SetDictionary(const ustring& key, const RefPtr<ICefDictionaryValue>& value) override {
    return Call(&D::set_dictionary, key, value);
  }
  bool SetList(const ustring& key, const RefPtr<ICefListValue>& value) override { return Call(&D::set_list, key, value); }
};

using L = cef_list_value_t;

class TCefListValueRef final : public TCefRefOf<TCefListValueRef, ICefListValue, L> {
 public:
  using TCefRefOf::TCefRefOf;
  bool IsValid() override { return Call(&L::is_valid); }
  bool IsOwned() override { return Call(&L::is_owned); }
  bool IsReadOnly() override { return Call(&L::is_read_only); }
  bool IsSame(const RefPtr<ICefListValue>& that) override { return Call(&L::is_same, that); }
  bool IsEqual(const RefPtr<ICefListValue>& that) override { return Call(&L::is_equal, that); }
  RefPtr<ICefListValue> Copy() override { return Call(&L::copy); }
  bool SetSize(size_t size) override { return Call(&L::set_size, size); }
  size_t GetSize() override { return Call(&L::get_size); }
  bool Clear() override { return Call(&L::clear); }
  bool Remove(int index) override { return Call(&L::remove, index); }
  cef_value_type_t GetType(int index) override { return Call(&L::get_type, index); }
  RefPtr<ICefValue> GetValue(int index) override { return Call(&L::get_value, index); }
  bool GetBool(int index) override { return Call(&L::get_bool, index); }
  int GetInt(int index) override { return Call(&L::get_int, index); }
  double GetDouble(int index) override { return Call(&L::get_double, index); }
  ustring GetString(int index) override { return Call(&L::get_string, index); }
  RefPtr<ICefBinaryValue> GetBinary(int index) override { return Call(&L::get_binary, index); }
  RefPtr<ICefDictionaryValue> GetDictionary(int index) override { return Call(&L::get_dictionary, index); }
  RefPtr<ICefListValue> GetList(int index) override { return Call(&L::get_list, index); }
  bool SetValue(int index, const RefPtr<ICefValue>& value) override { return Call(&L::set_value, index, value); }
  bool SetNull(int index) override { return Call(&L::set_null, index); }
  bool SetBool(int index, bool value) override { return Call(&L::set_bool, index, value); }
  bool SetInt(int index, int value) override { return Call(&L::set_int, index, value); }
  bool SetDouble(int index, double value) override { return Call(&L::set_double, index, value); }
  bool SetString(int index, const ustring& value) override { return Call(&L::set_string, index, value); }
  bool SetBinary(int index, const RefPtr<ICefBinaryValue>& value) override { return Call(&L::set_binary, index, value); }
  bool SetDictionary(int index, const RefPtr<ICefDictionaryValue>& value) override {
    return Call(&L::set_dictionary, index, value);
  }
  bool SetList(int index, const RefPtr<ICefListValue>& value) override { return Call(&L::set_list, index, value); }
};

}  // namespace

RefPtr<ICefValue> ICefValue::UnWrap(void* data) { return TCefValueRef::UnWrap(data); }
RefPtr<ICefValue> ICefValue::New() { return CefInvoke(cef_value_create); }

RefPtr<ICefBinaryValue> ICefBinaryValue::UnWrap(void* data) { return TCefBinaryValueRef::UnWrap(data); }
RefPtr<ICefBinaryValue> ICefBinaryValue::New(const void* data, size_t dataSize) {
  return CefInvoke(cef_binary_value_create, data, dataSize);
}

RefPtr<ICefDictionaryValue> ICefDictionaryValue::UnWrap(void* data) { return TCefDictionaryValueRef::UnWrap(data); }
RefPtr<ICefDictionaryValue> ICefDictionaryValue::New() { return CefInvoke(cef_dictionary_value_create); }

RefPtr<ICefListValue> ICefListValue::UnWrap(void* data) { return TCefListValueRef::UnWrap(data); }
RefPtr<ICefListValue> ICefListValue::New() { return CefInvoke(cef_list_value_create); }

}  // namespace ceflib
