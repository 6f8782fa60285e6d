#pragma once
// The JavaScript family (cef_v8context_t, cef_v8handler_t, cef_v8accessor_t, cef_v8exception_t,
// cef_v8value_t): contexts, handlers, exceptions and values are runtime objects reached through
// their wrappers (the ICefv8Value::New... operations make values through the runtime); the
// accessor is ours, handed to the runtime with an object value, with a Fast form around two
// closures.

#include <cstdint>
#include <functional>
#include <vector>

#include "ceflib/cef_base.h"
#include "ceflib/cef_forward.h"
#include "ceflib/cef_own_of.h"
#include "ceflib/cef_types.h"

namespace ceflib {

using TCefv8ValueArray = std::vector<RefPtr<ICefv8Value>>;

class ICefv8Context : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefv8Context> UnWrap(void* data);
  static RefPtr<ICefv8Context> Current();
  static RefPtr<ICefv8Context> Entered();

  virtual RefPtr<ICefTaskRunner> GetTaskRunner() = 0;
  virtual bool IsValid() = 0;
  virtual RefPtr<ICefBrowser> GetBrowser() = 0;
  virtual RefPtr<ICefFrame> GetFrame() = 0;
  virtual RefPtr<ICefv8Value> GetGlobal() = 0;
  virtual bool Enter() = 0;
  virtual bool Exit() = 0;
  virtual bool IsSame(const RefPtr<ICefv8Context>& that) = 0;
  // retval and exception receive what the runtime gives back (nil for none).
  virtual bool Eval(const ustring& code, RefPtr<ICefv8Value>& retval, RefPtr<ICefV8Exception>& exception) = 0;
};

class ICefv8Handler : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefv8Handler> UnWrap(void* data);

  // retval and exception receive what the handler gives back.
  virtual bool Execute(const ustring& name, const RefPtr<ICefv8Value>& object, const TCefv8ValueArray& arguments,
                       RefPtr<ICefv8Value>& retval, ustring& exception) = 0;
};

class ICefV8Exception : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefV8Exception> UnWrap(void* data);

  virtual ustring GetMessage() = 0;
  virtual ustring GetSourceLine() = 0;
  virtual ustring GetScriptResourceName() = 0;
  virtual int GetLineNumber() = 0;
  virtual int GetStartPosition() = 0;
  virtual int GetEndPosition() = 0;
  virtual int GetStartColumn() = 0;
  virtual int GetEndColumn() = 0;
};

// An object's property accessor, ours. The exception text reaches it for reading only.
class ICefV8Accessor : public virtual ICefBase {
 public:
  virtual bool Get(const ustring& name, const RefPtr<ICefv8Value>& object, RefPtr<ICefv8Value>& retval,
                   const ustring& exception) = 0;
  virtual bool Set(const ustring& name, const RefPtr<ICefv8Value>& object, const RefPtr<ICefv8Value>& value,
                   const ustring& exception) = 0;
};

using TCefV8AccessorGetterProc = std::function<bool(const ustring& name, const RefPtr<ICefv8Value>& object,
                                                    RefPtr<ICefv8Value>& retval, const ustring& exception)>;
using TCefV8AccessorSetterProc = std::function<bool(const ustring& name, const RefPtr<ICefv8Value>& object,
                                                    const RefPtr<ICefv8Value>& value, const ustring& exception)>;

class ICefv8Value : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefv8Value> UnWrap(void* data);
  static RefPtr<ICefv8Value> NewUndefined();
  static RefPtr<ICefv8Value> NewNull();
  static RefPtr<ICefv8Value> NewBool(bool value);
  static RefPtr<ICefv8Value> NewInt(int32_t value);
  static RefPtr<ICefv8Value> NewUInt(uint32_t value);
  static RefPtr<ICefv8Value> NewDouble(double value);
  static RefPtr<ICefv8Value> NewDate(TDateTime value);
  static RefPtr<ICefv8Value> NewString(const ustring& value);
  static RefPtr<ICefv8Value> NewObject(const RefPtr<ICefV8Accessor>& accessor);
  // An object whose accessor is a TCefFastV8Accessor around getter and setter (either may be empty).
  static RefPtr<ICefv8Value> NewObjectProc(TCefV8AccessorGetterProc getter, TCefV8AccessorSetterProc setter);
  static RefPtr<ICefv8Value> NewArray(int length);
  static RefPtr<ICefv8Value> NewFunction(const ustring& name, const RefPtr<ICefv8Handler>& handler);

  virtual bool IsValid() = 0;
  virtual bool IsUndefined() = 0;
  virtual bool IsNull() = 0;
  virtual bool IsBool() = 0;
  virtual bool IsInt() = 0;
  virtual bool IsUint() = 0;
  virtual bool IsDouble() = 0;
  virtual bool IsDate() = 0;
  virtual bool IsString() = 0;
  virtual bool IsObject() = 0;
  virtual bool IsArray() = 0;
  virtual bool IsFunction() = 0;
  virtual bool IsSame(const RefPtr<ICefv8Value>& that) = 0;
  virtual bool GetBoolValue() = 0;
  virtual int32_t GetIntValue() = 0;
  virtual uint32_t GetUintValue() = 0;
  virtual double GetDoubleValue() = 0;
  // Local time. Raises EConvertError when the runtime's value is not a calendar date and time.
  virtual TDateTime GetDateValue() = 0;
  virtual ustring GetStringValue() = 0;
  virtual bool IsUserCreated() = 0;
  virtual bool HasException() = 0;
  virtual RefPtr<ICefV8Exception> GetException() = 0;
  virtual bool ClearException() = 0;
  virtual bool WillRethrowExceptions() = 0;
  virtual bool SetRethrowExceptions(bool rethrow) = 0;
  virtual bool HasValueBykey(const ustring& key) = 0;
  virtual bool HasValueByindex(int index) = 0;
  virtual bool DeleteValueBykey(const ustring& key) = 0;
  virtual bool DeleteValueByindex(int index) = 0;
  virtual RefPtr<ICefv8Value> GetValueBykey(const ustring& key) = 0;
  virtual RefPtr<ICefv8Value> GetValueByindex(int index) = 0;
  virtual bool SetValueBykey(const ustring& key, const RefPtr<ICefv8Value>& value,
                             cef_v8_propertyattribute_t attribute) = 0;
  virtual bool SetValueByindex(int index, const RefPtr<ICefv8Value>& value) = 0;
  virtual bool SetValueByaccessor(const ustring& key, cef_v8_accesscontrol_t settings,
                                  cef_v8_propertyattribute_t attribute) = 0;
  // Appends the object's keys to keys.
  virtual bool GetKeys(ustringlist& keys) = 0;
  virtual bool SetUserData(const RefPtr<ICefBase>& userData) = 0;
  // The object given to SetUserData, as a plain runtime object.
  virtual RefPtr<ICefBase> GetUserData() = 0;
  virtual int GetExternallyAllocatedMemory() = 0;
  virtual int AdjustExternallyAllocatedMemory(int changeInBytes) = 0;
  virtual int GetArrayLength() = 0;
  virtual ustring GetFunctionName() = 0;
  virtual RefPtr<ICefv8Handler> GetFunctionHandler() = 0;
  virtual RefPtr<ICefv8Value> ExecuteFunction(const RefPtr<ICefv8Value>& object, const TCefv8ValueArray& arguments) = 0;
  virtual RefPtr<ICefv8Value> ExecuteFunctionWithContext(const RefPtr<ICefv8Context>& context,
                                                         const RefPtr<ICefv8Value>& object,
                                                         const TCefv8ValueArray& arguments) = 0;
};

// Neither reads nor writes: both operations return false and give no value.
class TCefV8AccessorOwn : public TCefOwnOf<ICefV8Accessor, cef_v8accessor_t> {
 public:
  TCefV8AccessorOwn();
  bool Get(const ustring& name, const RefPtr<ICefv8Value>& object, RefPtr<ICefv8Value>& retval,
           const ustring& exception) override;
  bool Set(const ustring& name, const RefPtr<ICefv8Value>& object, const RefPtr<ICefv8Value>& value,
           const ustring& exception) override;
};

// A missing getter or setter makes its operation return false (and Get give no value).
class TCefFastV8Accessor final : public TCefV8AccessorOwn {
 public:
  TCefFastV8Accessor(TCefV8AccessorGetterProc getter, TCefV8AccessorSetterProc setter);
  bool Get(const ustring& name, const RefPtr<ICefv8Value>& object, RefPtr<ICefv8Value>& retval,
           const ustring& exception) override;
  bool Set(const ustring& name, const RefPtr<ICefv8Value>& object, const RefPtr<ICefv8Value>& value,
           const ustring& exception) override;

 private:
  const TCefV8AccessorGetterProc FGetter;
  const TCefV8AccessorSetterProc FSetter;
};

}  // namespace ceflib
