#pragma once
// Program-side objects for the tests: a runtime struct with counted add_ref and release, so a
// test can see that the runtime gave back every reference it was handed. The test itself
// holds one reference for the object's whole life; Hand() adds one for the runtime, as the
// binding does when it passes an object on.

#include <cef_capi.h>

#include <atomic>
#include <cstring>

namespace standin_test {

template <class Struct>
struct TCounted {
  Struct data;  // first, so self is the object
  std::atomic<int> refs{1};
  std::atomic<int> add_refs{0};
  std::atomic<int> releases{0};
  std::atomic<bool> over_released{false};

  TCounted() {
    std::memset(&data, 0, sizeof data);
    data.base.size = sizeof data;
    data.base.add_ref = &AddRef;
    data.base.release = &Release;
    data.base.has_one_ref = &HasOneRef;
  }
  TCounted(const TCounted&) = delete;
  TCounted& operator=(const TCounted&) = delete;

  Struct* Hand() {
    ++refs;
    return &data;
  }
  // References other than the test's own that are still out.
  int Outstanding() const { return refs - 1; }

  static TCounted* From(void* self) { return reinterpret_cast<TCounted*>(self); }

 private:
  static void CEF_CALLBACK AddRef(cef_base_t* self) {
    ++From(self)->add_refs;
    ++From(self)->refs;
  }
  static int CEF_CALLBACK Release(cef_base_t* self) {
    ++From(self)->releases;
    int left = --From(self)->refs;
    if (left <= 0) From(self)->over_released = true;
    return left == 0 ? 1 : 0;
  }
  static int CEF_CALLBACK HasOneRef(cef_base_t* self) { return From(self)->refs == 1 ? 1 : 0; }
};

// Releases one reference of a runtime object the test received.
template <class Struct>
int ReleaseRef(Struct* object) {
  return object->base.release(&object->base);
}

}  // namespace standin_test
