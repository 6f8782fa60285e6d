#pragma once
// Reads the stand-in runtime's journal: one event per line, "keyword key=value ...", texts
// quoted with backslash escapes.

#include <map>
#include <string>
#include <vector>

namespace kelpa::test {

struct TJournalEvent {
  std::string Keyword;
  std::map<std::string, std::string> Fields;  // texts unquoted, as UTF-8

  bool Has(const std::string& key, const std::string& value) const;
};

class TJournal {
 public:
  explicit TJournal(const std::wstring& path);

  const std::vector<TJournalEvent>& Events() const { return FEvents; }
  std::vector<TJournalEvent> All(const std::string& keyword) const;
  // Index of the first event with keyword (and key=value, when given); -1 when there is none.
  int IndexOf(const std::string& keyword, const std::string& key = "", const std::string& value = "") const;
  // The whole journal, for failure messages.
  const std::string& Text() const { return FText; }

 private:
  std::string FText;
  std::vector<TJournalEvent> FEvents;
};

// The events of one browser (the runtime numbers them from 1, monitor 1's first).
std::vector<TJournalEvent> EventsOf(const TJournal& journal, const std::string& keyword, int browser);
// The journal ends with an empty leak report: the run exited normally and released everything.
bool LeakReportEmpty(const TJournal& journal);

}  // namespace kelpa::test
