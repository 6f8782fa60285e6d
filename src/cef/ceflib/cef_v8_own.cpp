#include "ceflib/cef_v8.h"

namespace ceflib {

TCefV8AccessorOwn::TCefV8AccessorOwn() {
  Bind<&cef_v8accessor_t::get, &TCefV8AccessorOwn::Get>();
  Bind<&cef_v8accessor_t::set, &TCefV8AccessorOwn::Set>();
}

bool TCefV8AccessorOwn::Get(const ustring&, const RefPtr<ICefv8Value>&, RefPtr<ICefv8Value>&, const ustring&) {
  return false;
}

bool TCefV8AccessorOwn::Set(const ustring&, const RefPtr<ICefv8Value>&, const RefPtr<ICefv8Value>&,
                            const ustring&) {
  return false;
}

TCefFastV8Accessor::TCefFastV8Accessor(TCefV8AccessorGetterProc getter, TCefV8AccessorSetterProc setter)
    : FGetter(std::move(getter)), FSetter(std::move(setter)) {}

bool TCefFastV8Accessor::Get(const ustring& name, const RefPtr<ICefv8Value>& object, RefPtr<ICefv8Value>& retval,
                             const ustring& exception) {
  return FGetter ? FGetter(name, object, retval, exception) : false;
}

bool TCefFastV8Accessor::Set(const ustring& name, const RefPtr<ICefv8Value>& object,
                             const RefPtr<ICefv8Value>& value, const ustring& exception) {
  return FSetter ? FSetter(name, object, value, exception) : false;
}

}  // namespace ceflib
