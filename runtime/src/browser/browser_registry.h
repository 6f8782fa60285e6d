#pragma once
// The live browsers, by identifier. Identifiers are positive and never reused in a process.

#include "browser_core.h"

#include <vector>

namespace standin {

class TBrowserRegistry {
 public:
  static TBrowserRegistry& Instance();
  int NextId();
  void Add(const TCoreRef& core);
  void Remove(int id);
  std::vector<TCoreRef> All() const;

 private:
  TBrowserRegistry() = default;
};

}  // namespace standin
