#include "runtime_library.h"

#include "test_paths.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace standin_test {

TRuntimeLibrary::TRuntimeLibrary(const std::wstring& path) : FModule(LoadLibraryW(path.c_str())) {
  if (!FModule) throw std::runtime_error("cannot load the runtime library");
}

TRuntimeLibrary::~TRuntimeLibrary() { FreeLibrary(FModule); }

void* TRuntimeLibrary::Find(const char* name) const {
  void* address = reinterpret_cast<void*>(GetProcAddress(FModule, name));
  if (!address) throw std::runtime_error(std::string("missing export ") + name);
  return address;
}

const TRuntimeLibrary& Runtime() {
  static TRuntimeLibrary library(kelpa::test::BinFile(L"libcef.dll"));
  return library;
}

}  // namespace standin_test
