#pragma once
// A journal file of the stand-in for one test: STANDIN_RUNTIME_JOURNAL points at it while the
// object lives. Lines are split into their keyword and key=value fields.

#include <map>
#include <string>
#include <vector>

namespace standin_test {

struct TJournalEntry {
  std::string keyword;
  std::map<std::string, std::string> fields;  // quoted values keep their quotes
  std::string line;

  std::string Field(const std::string& key) const;
  bool Has(const std::string& key) const { return fields.count(key) != 0; }
};

class TJournalFile {
 public:
  TJournalFile();
  ~TJournalFile();
  TJournalFile(const TJournalFile&) = delete;
  TJournalFile& operator=(const TJournalFile&) = delete;

  const std::wstring& Path() const { return FPath; }
  std::vector<std::string> Lines() const;
  std::vector<TJournalEntry> Entries() const;
  std::vector<TJournalEntry> Entries(const std::string& keyword) const;

 private:
  std::wstring FDir;
  std::wstring FPath;
};

TJournalEntry ParseJournalLine(const std::string& line);

}  // namespace standin_test
