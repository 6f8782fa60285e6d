#pragma once
// Loads the stand-in runtime the way the program does (LoadLibraryW, GetProcAddress) and
// hands out its exports typed by the interface's own declarations.

#include <cef_capi.h>

#include <string>

namespace standin_test {

class TRuntimeLibrary {
 public:
  explicit TRuntimeLibrary(const std::wstring& path);
  ~TRuntimeLibrary();
  TRuntimeLibrary(const TRuntimeLibrary&) = delete;
  TRuntimeLibrary& operator=(const TRuntimeLibrary&) = delete;

  HMODULE Handle() const { return FModule; }
  void* Find(const char* name) const;

  template <class F>
  F* Get(const char* name) const {
    return reinterpret_cast<F*>(Find(name));
  }

 private:
  HMODULE FModule;
};

// The libcef.dll beside the program, loaded once for the whole test run.
const TRuntimeLibrary& Runtime();

}  // namespace standin_test

// The export of that name from the stand-in, with its declared type: CEF(cef_string_utf16_set)(...)
#define CEF(name) (::standin_test::Runtime().Get<decltype(name)>(#name))
