// TCefv8ContextRef, TCefv8HandlerRef, TCefV8ExceptionRef and TCefv8ValueRef: the JavaScript
// interfaces over cef_v8context_t, cef_v8handler_t, cef_v8exception_t and cef_v8value_t, one
// line per member; and the runtime's value constructors.

#include "ceflib/cef_browser.h"
#include "ceflib/cef_entry_points.h"
#include "ceflib/cef_frame.h"
#include "ceflib/cef_ref_of.h"
#include "ceflib/cef_task.h"
#include "ceflib/cef_v8.h"

namespace ceflib {
namespace {

using C = cef_v8context_t;

class TCefv8ContextRef final : public TCefRefOf<TCefv8ContextRef, ICefv8Context, C> {
 public:
  using TCefRefOf::TCefRefOf;
  RefPtr<ICefTaskRunner> GetTaskRunner() override { return Call(&C::get_task_runner); }
  bool IsValid() override { return Call(&C::is_valid); }
  RefPtr<ICefBrowser> GetBrowser() override { return Call(&C::get_browser); }
  RefPtr<ICefFrame> GetFrame() override { return Call(&C::get_frame); }
  RefPtr<ICefv8Value> GetGlobal() override { return Call(&C::get_global); }
  bool Enter() override { return Call(&C::enter); }
  bool Exit() override { return Call(&C::exit); }
  bool IsSame(const RefPtr<ICefv8Context>& that) override { return Call(&C::is_same, that); }
  bool Eval(const ustring& code, RefPtr<ICefv8Value>& retval, RefPtr<ICefV8Exception>& exception) override {
    return Call(&C::eval, code, retval, exception);
  }
};

using H = cef_v8handler_t;

class TCefv8HandlerRef final : public TCefRefOf<TCefv8HandlerRef, ICefv8Handler, H> {
 public:
  using TCefRefOf::TCefRefOf;
  bool Execute(const ustring& name, const RefPtr<ICefv8Value>& object, const TCefv8ValueArray& arguments,
               RefPtr<ICefv8Value>& retval, ustring& exception) override {
    TCefStructArray<cef_v8value_t> args(arguments);
    return Call(&H::execute, name, object, args.Count(), args.Data(), retval, exception);
  }
};

using X = cef_v8exception_t;

class TCefV8ExceptionRef final : public TCefRefOf<TCefV8ExceptionRef, ICefV8Exception, X> {
 public:
  using TCefRefOf::TCefRefOf;
  ustring GetMessage() override { return Call(&X::get_message); }
  ustring GetSourceLine() override { return Call(&X::get_source_line); }
  ustring GetScriptResourceName() override { return Call(&X::get_script_resource_name); }
  int GetLineNumber() override { return Call(&X::get_line_number); }
  int GetStartPosition() override { return Call(&X::get_start_position); }
  int GetEndPosition() override { return Call(&X::get_end_position); }
  int GetStartColumn() override { return Call(&X::get_start_column); }
  int GetEndColumn() override { return Call(&X::get_end_column); }
};

using V = cef_v8value_t;

class TCefv8ValueRef final : public TCefRefOf<TCefv8ValueRef, ICefv8Value, V> {
 public:
  using TCefRefOf::TCefRefOf;
  bool IsValid() override { return Call(&V::is_valid); }
  bool IsUndefined() override { return Call(&V::is_undefined); }
  bool IsNull() override { return Call(&V::is_null); }
  bool IsBool() override { return Call(&V::is_bool); }
  bool IsInt() override { return Call(&V::is_int); }
  bool IsUint() override { return Call(&V::is_uint); }
  bool IsDouble() override { return Call(&V::is_double); }
  bool IsDate() override { return Call(&V::is_date); }
  bool IsString() override { return Call(&V::is_string); }
  bool IsObject() override { return Call(&V::is_object); }
  bool IsArray() override { return Call(&V::is_array); }
  bool IsFunction() override { return Call(&V::is_function); }
  bool IsSame(const RefPtr<ICefv8Value>& that) override { return Call(&V::is_same, that); }
  bool GetBoolValue() override { return Call(&V::get_bool_value); }
  int32_t GetIntValue() override { return Call(&V::get_int_value); }
  uint32_t GetUintValue() override { return Call(&V::get_uint_value); }
  double GetDoubleValue() override { return Call(&V::get_double_value); }
  TDateTime GetDateValue() override { return CefTimeToLocalDateTime(Call(&V::get_date_value)); }
  ustring GetStringValue() override { return Call(&V::get_string_value); }
  bool IsUserCreated() override { return Call(&V::is_user_created); }
  bool HasException() override { return Call(&V::has_exception); }
  RefPtr<ICefV8Exception> GetException() override { return Call(&V::get_exception); }
  bool ClearException() override { return Call(&V::clear_exception); }
  bool WillRethrowExceptions() override { return Call(&V::will_rethrow_exceptions); }
  bool SetRethrowExceptions(bool rethrow) override { return Call(&V::set_rethrow_exceptions, rethrow); }
  bool HasValueBykey(const ustring& key) override { return Call(&V::has_value_bykey, key); }
  bool HasValueByindex(int index) override { return Call(&V::has_value_byindex, index); }
  bool DeleteValueBykey(const ustring& key) override { return Call(&V::delete_value_bykey, key); }
  bool DeleteValueByindex(int index) override { return Call(&V::delete_value_byindex, index); }
  RefPtr<ICefv8Value> GetValueBykey(const ustring& key) override { return Call(&V::get_value_bykey, key); }
  RefPtr<ICefv8Value> GetValueByindex(int index) override { return Call(&V::get_value_byindex, index); }
  bool SetValueBykey(const ustring& key, const RefPtr<ICefv8Value>& value,
                     cef_v8_propertyattribute_t attribute) override {
    return Call(&V::set_value_bykey, key, value, attribute);
  }
  bool SetValueByindex(int index, const RefPtr<ICefv8Value>& value) override {
    return Call(&V::set_value_byindex, index, value);
  }
  bool SetValueByaccessor(const ustring& key, cef_v8_accesscontrol_t settings,
                          cef_v8_propertyattribute_t attribute) override {
    return Call(&V::set_value_byaccessor, key, settings, attribute);
  }
  bool GetKeys(ustringlist& keys) override { return Call(&V::get_keys, keys); }
  bool SetUserData(const RefPtr<ICefBase>& userData) override {
    return Call(&V::set_user_data, static_cast<cef_base_t*>(CefStructOf(userData)));
  }
  RefPtr<ICefBase> GetUserData() override { return TCefBaseRef::UnWrap(Call(&V::get_user_data)); }
  int GetExternallyAllocatedMemory() override { return Call(&V::get_externally_allocated_memory); }
  int AdjustExternallyAllocatedMemory(int changeInBytes) override {
    return Call(&V::adjust_externally_allocated_memory, changeInBytes);
  }
  int GetArrayLength() override { return Call(&V::get_array_length); }
  ustring GetFunctionName() override { return Call(&V::get_function_name); }
  RefPtr<ICefv8Handler> GetFunctionHandler() override { return Call(&V::get_function_handler); }
  RefPtr<ICefv8Value> ExecuteFunction(const RefPtr<ICefv8Value>& object, const TCefv8ValueArray& arguments) override {
    TCefStructArray<V> args(arguments);
    return Call(&V::execute_function, object, args.Count(), args.Data());
  }
  RefPtr<ICefv8Value> ExecuteFunctionWithContext(const RefPtr<ICefv8Context>& context,
                                                 const RefPtr<ICefv8Value>& object,
                                                 const TCefv8ValueArray& arguments) override {
    TCefStructArray<V> args(arguments);
    return Call(&V::execute_function_with_context, context, object, args.Count(), args.Data());
  }
};

}  // namespace

RefPtr<ICefv8Context> ICefv8Context::UnWrap(void* data) { return TCefv8ContextRef::UnWrap(data); }
RefPtr<ICefv8Context> ICefv8Context::Current() { return CefInvoke(cef_v8context_get_current_context); }
RefPtr<ICefv8Context> ICefv8Context::Entered() { return CefInvoke(cef_v8context_get_entered_context); }

RefPtr<ICefv8Handler> ICefv8Handler::UnWrap(void* data) { return TCefv8HandlerRef::UnWrap(data); }

RefPtr<ICefV8Exception> ICefV8Exception::UnWrap(void* data) { return TCefV8ExceptionRef::UnWrap(data); }

RefPtr<ICefv8Value> ICefv8Value::UnWrap(void* data) { return TCefv8ValueRef::UnWrap(data); }
RefPtr<ICefv8Value> ICefv8Value::NewUndefined() { return CefInvoke(cef_v8value_create_undefined); }
RefPtr<ICefv8Value> ICefv8Value::NewNull() { return CefInvoke(cef_v8value_create_null); }
RefPtr<ICefv8Value> ICefv8Value::NewBool(bool value) { return CefInvoke(cef_v8value_create_bool, value); }
RefPtr<ICefv8Value> ICefv8Value::NewInt(int32_t value) { return CefInvoke(cef_v8value_create_int, value); }
RefPtr<ICefv8Value> ICefv8Value::NewUInt(uint32_t value) { return CefInvoke(cef_v8value_create_uint, value); }
RefPtr<ICefv8Value> ICefv8Value::NewDouble(double value) { return CefInvoke(cef_v8value_create_double, value); }
RefPtr<ICefv8Value> ICefv8Value::NewDate(TDateTime value) { return CefInvoke(cef_v8value_create_date, value); }
RefPtr<ICefv8Value> ICefv8Value::NewString(const ustring& value) {
  return CefInvoke(cef_v8value_create_string, value);
}
RefPtr<ICefv8Value> ICefv8Value::NewObject(const RefPtr<ICefV8Accessor>& accessor) {
  return CefInvoke(cef_v8value_create_object, accessor);
}
RefPtr<ICefv8Value> ICefv8Value::NewObjectProc(TCefV8AccessorGetterProc getter, TCefV8AccessorSetterProc setter) {
  return NewObject(MakeRef<TCefFastV8Accessor>(std::move(getter), std::move(setter)));
}
RefPtr<ICefv8Value> ICefv8Value::NewArray(int length) { return CefInvoke(cef_v8value_create_array, length); }
RefPtr<ICefv8Value> ICefv8Value::NewFunction(const ustring& name, const RefPtr<ICefv8Handler>& handler) {
  return CefInvoke(cef_v8value_create_function, name, handler);
}

}  // namespace ceflib
