#include "object_accounting.h"

#include "journal.h"

#include <map>
#include <mutex>
#include <utility>

namespace standin {
namespace {

struct TCounts {
  std::mutex lock;
  std::map<std::pair<TSide, std::string>, long> counts;
};

// Never destroyed: objects may still be released while the DLL unloads.
TCounts& Counts() {
  static TCounts* counts = new TCounts;
  return *counts;
}

}  // namespace

const char* SideName(TSide side) { return side == TSide::Runtime ? "runtime" : "program"; }

TObjectAccounting& TObjectAccounting::Instance() {
  static TObjectAccounting instance;
  return instance;
}

void TObjectAccounting::Add(TSide side, const char* kind) {
  TCounts& c = Counts();
  std::lock_guard<std::mutex> guard(c.lock);
  ++c.counts[{side, kind}];
}

void TObjectAccounting::Remove(TSide side, const char* kind) {
  TCounts& c = Counts();
  std::lock_guard<std::mutex> guard(c.lock);
  auto it = c.counts.find({side, kind});
  if (it != c.counts.end() && --it->second == 0) c.counts.erase(it);
}

std::vector<TOutstanding> TObjectAccounting::Outstanding() const {
  TCounts& c = Counts();
  std::lock_guard<std::mutex> guard(c.lock);
  std::vector<TOutstanding> result;
  for (const auto& [key, count] : c.counts) result.push_back({key.first, key.second, count});
  return result;
}

void TObjectAccounting::JournalLeaks() const {
  long total = 0;
  for (const auto& entry : Outstanding()) {
    TJournalLine("leak").Word("side", SideName(entry.side)).Word("kind", entry.kind).Int("count", entry.count).Write();
    total += entry.count;
  }
  TJournalLine("leaks").Int("total", total).Write();
}

}  // namespace standin
