#pragma once
// The value family (cef_value_t, cef_binary_value_t, cef_dictionary_value_t,
// cef_list_value_t): runtime containers reached through their wrappers; New makes an empty one
// through the runtime.

#include <cstddef>

#include <cef_capi.h>

#include "ceflib/cef_base.h"
#include "ceflib/cef_forward.h"
#include "ceflib/cef_types.h"

namespace ceflib {

class ICefValue : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefValue> UnWrap(void* data);
  static RefPtr<ICefValue> New();

  virtual bool IsValid() = 0;
  virtual bool IsOwned() = 0;
  virtual bool IsReadOnly() = 0;
  virtual bool IsSame(const RefPtr<ICefValue>& that) = 0;
  virtual bool IsEqual(const RefPtr<ICefValue>& that) = 0;
  virtual RefPtr<ICefValue> Copy() = 0;
  virtual cef_value_type_t GetType() = 0;
  virtual bool GetBool() = 0;
  virtual int GetInt() = 0;
  virtual double GetDouble() = 0;
  virtual ustring GetString() = 0;
  virtual RefPtr<ICefBinaryValue> GetBinary() = 0;
  virtual RefPtr<ICefDictionaryValue> GetDictionary() = 0;
  virtual RefPtr<ICefListValue> GetList() = 0;
  virtual bool SetNull() = 0;
  virtual bool SetBool(bool value) = 0;
  virtual bool SetInt(int value) = 0;
  virtual bool SetDouble(double value) = 0;
  virtual bool SetString(const ustring& value) = 0;
  virtual bool SetBinary(const RefPtr<ICefBinaryValue>& value) = 0;
  virtual bool SetDictionary(const RefPtr<ICefDictionaryValue>& value) = 0;
  virtual bool SetList(const RefPtr<ICefListValue>& value) = 0;
};

class ICefBinaryValue : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefBinaryValue> UnWrap(void* data);
  // A runtime copy of size bytes at data.
  static RefPtr<ICefBinaryValue> New(const void* data, size_t dataSize);

  virtual bool IsValid() = 0;
  virtual bool IsOwned() = 0;
  virtual bool IsSame(const RefPtr<ICefBinaryValue>& that) = 0;
  virtual bool IsEqual(const RefPtr<ICefBinaryValue>& that) = 0;
  virtual RefPtr<ICefBinaryValue> Copy() = 0;
  virtual size_t GetSize() = 0;
  // Copies up to bufferSize bytes from dataOffset on into buffer; returns the number copied.
  virtual size_t GetData(void* buffer, size_t bufferSize, size_t dataOffset) = 0;
};

class ICefDictionaryValue : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefDictionaryValue> UnWrap(void* data);
  static RefPtr<ICefDictionaryValue> New();

  virtual bool IsValid() = 0;
  virtual bool IsOwned() = 0;
  virtual bool IsReadOnly() = 0;
  virtual bool IsSame(const RefPtr<ICefDictionaryValue>& that) = 0;
  virtual bool IsEqual(const RefPtr<ICefDictionaryValue>& that) = 0;
  virtual RefPtr<ICefDictionaryValue> Copy(bool excludeEmptyChildren) = 0;
  virtual size_t GetSize() = 0;
  virtual bool Clear() = 0;
  virtual bool HasKey(const ustring& key) = 0;
  // Appends the keys to keys.
  virtual bool GetKeys(ustringlist& keys) = 0;
  virtual bool Remove(const ustring& key) = 0;
  virtual cef_value_type_t GetType(const ustring& key) = 0;
  virtual RefPtr<ICefValue> GetValue(const ustring& key) = 0;
  virtual bool GetBool(const ustring& key) = 0;
  virtual int GetInt(const ustring& key) = 0;
  virtual double GetDouble(const ustring& key) = 0;
  virtual ustring GetString(const ustring& key) = 0;
  virtual RefPtr<ICefBinaryValue> GetBinary(const ustring& key) = 0;
  virtual RefPtr<ICefDictionaryValue> GetDictionary(const ustring& key) = 0;
  virtual RefPtr<ICefListValue> GetList(const ustring& key) = 0;
  virtual bool SetValue(const ustring& key, const RefPtr<ICefValue>& value) = 0;
  virtual bool SetNull(const ustring& key) = 0;
  virtual bool SetBool(const ustring& key, bool value) = 0;
  virtual bool SetInt(const ustring& key, int value) = 0;
  virtual bool SetDouble(const ustring& key, double value) = 0;
  virtual bool SetString(const ustring& key, const ustring& value) = 0;
  virtual bool SetBinary(const ustring& key, const RefPtr<ICefBinaryValue>& value) = 0;
  virtual bool SetDictionary(const ustring& key, const RefPtr<ICefDictionaryValue>& value) = 0;
  virtual bool SetList(const ustring& key, const RefPtr<ICefListValue>& value) = 0;
};

class ICefListValue : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefListValue> UnWrap(void* data);
  static RefPtr<ICefListValue> New();

  virtual bool IsValid() = 0;
  virtual bool IsOwned() = 0;
  virtual bool IsReadOnly() = 0;
  virtual bool IsSame(const RefPtr<ICefListValue>& that) = 0;
  virtual bool IsEqual(const RefPtr<ICefListValue>& that) = 0;
  virtual RefPtr<ICefListValue> Copy() = 0;
  virtual bool SetSize(size_t size) = 0;
  virtual size_t GetSize() = 0;
  virtual bool Clear() = 0;
  virtual bool Remove(int index) = 0;
  virtual cef_value_type_t GetType(int index) = 0;
  virtual RefPtr<ICefValue> GetValue(int index) = 0;
  virtual bool GetBool(int index) = 0;
  virtual int GetInt(int index) = 0;
  virtual double GetDouble(int index) = 0;
  virtual ustring GetString(int index) = 0;
  virtual RefPtr<ICefBinaryValue> GetBinary(int index) = 0;
  virtual RefPtr<ICefDictionaryValue> GetDictionary(int index) = 0;
  virtual RefPtr<ICefListValue> GetList(int index) = 0;
  virtual bool SetValue(int index, const RefPtr<ICefValue>& value) = 0;
  virtual bool SetNull(int index) = 0;
  virtual bool SetBool(int index, bool value) = 0;
  virtual bool SetInt(int index, int value) = 0;
  virtual bool SetDouble(int index, double value) = 0;
  virtual bool SetString(int index, const ustring& value) = 0;
  virtual bool SetBinary(int index, const RefPtr<ICefBinaryValue>& value) = 0;
  virtual bool SetDictionary(int index, const RefPtr<ICefDictionaryValue>& value) = 0;
  virtual bool SetList(int index, const RefPtr<ICefListValue>& value) = 0;
};

}  // namespace ceflib
