#pragma once
// Counts the runtime's own live objects and the program's objects the runtime holds, by
// kind, so that shutdown can name whatever either side failed to give back.

#include <string>
#include <vector>

namespace standin {

enum class TSide { Runtime, Program };

struct TOutstanding {
  TSide side;
  std::string kind;
  long count;
};

class TObjectAccounting {
 public:
  static TObjectAccounting& Instance();

  void Add(TSide side, const char* kind);
  void Remove(TSide side, const char* kind);
  // Every kind whose count is not zero, runtime objects first, each side sorted by kind.
  std::vector<TOutstanding> Outstanding() const;

  // Writes "leak side=... kind=... count=..." per outstanding kind, then "leaks total=N".
  void JournalLeaks() const;

 private:
  TObjectAccounting() = default;
};

const char* SideName(TSide side);

}  // namespace standin
