#pragma once
// A runtime object played by a test: struct S (with the reference-counting header) whose
// add_ref and release calls are counted. Set the members a test needs on Struct.

#include <cef_capi.h>

namespace ceflib::test {

template <class S>
struct TFakeRuntimeObject {
  S Struct{};
  int AddRefs = 0;
  int Releases = 0;

  TFakeRuntimeObject() {
    Struct.base.size = sizeof(S);
    Struct.base.add_ref = AddRef;
    Struct.base.release = Release;
    Struct.base.has_one_ref = HasOneRef;
  }
  TFakeRuntimeObject(const TFakeRuntimeObject&) = delete;
  TFakeRuntimeObject& operator=(const TFakeRuntimeObject&) = delete;

  // References handed out minus references given back.
  int Balance() const { return AddRefs - Releases; }

  static TFakeRuntimeObject* From(const void* self) {
    return const_cast<TFakeRuntimeObject*>(reinterpret_cast<const TFakeRuntimeObject*>(self));
  }

 private:
  static void CEF_CALLBACK AddRef(cef_base_t* self) { ++From(self)->AddRefs; }
  static int CEF_CALLBACK Release(cef_base_t* self) {
    ++From(self)->Releases;
    return 0;
  }
  static int CEF_CALLBACK HasOneRef(cef_base_t*) { return 0; }
};

}  // namespace ceflib::test
