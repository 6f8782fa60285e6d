#include "journal_reader.h"

#include <fstream>
#include <sstream>

namespace kelpa::test {
namespace {

TJournalEvent ParseLine(const std::string& line) {
  TJournalEvent event;
  size_t i = line.find(' ');
  event.Keyword = line.substr(0, i);
  while (i != std::string::npos && i < line.size()) {
    ++i;
    size_t equals = line.find('=', i);
    if (equals == std::string::npos) break;
    std::string key = line.substr(i, equals - i);
    std::string value;
    i = equals + 1;
    if (i < line.size() && line[i] == '"') {
      for (++i; i < line.size() && line[i] != '"'; ++i) {
        if (line[i] == '\\' && i + 1 < line.size()) {
          char c = line[++i];
          value += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c;
        } else {
          value += line[i];
        }
      }
      ++i;  // past the closing quote, onto the blank
    } else {
      size_t end = line.find(' ', i);
      value = line.substr(i, end == std::string::npos ? std::string::npos : end - i);
      i = end;
    }
    event.Fields[key] = value;
  }
  return event;
}

}  // namespace

bool TJournalEvent::Has(const std::string& key, const std::string& value) const {
  auto it = Fields.find(key);
  return it != Fields.end() && it->second == value;
}

TJournal::TJournal(const std::wstring& path) {
  std::ifstream file(path.c_str(), std::ios::binary);
  std::stringstream buffer;
  buffer << file.rdbuf();
  FText = buffer.str();
  std::istringstream lines(FText);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) FEvents.push_back(ParseLine(line));
  }
}

std::vector<TJournalEvent> TJournal::All(const std::string& keyword) const {
  std::vector<TJournalEvent> result;
  for (const TJournalEvent& event : FEvents)
    if (event.Keyword == keyword) result.push_back(event);
  return result;
}

int TJournal::IndexOf(const std::string& keyword, const std::string& key, const std::string& value) const {
  for (size_t i = 0; i < FEvents.size(); ++i)
    if (FEvents[i].Keyword == keyword && (key.empty() || FEvents[i].Has(key, value))) return static_cast<int>(i);
  return -1;
}

std::vector<TJournalEvent> EventsOf(const TJournal& journal, const std::string& keyword, int browser) {
  std::vector<TJournalEvent> found;
  for (const auto& e : journal.All(keyword))
    if (e.Has("browser", std::to_string(browser))) found.push_back(e);
  return found;
}

bool LeakReportEmpty(const TJournal& journal) {
  return journal.IndexOf("leaks", "total", "0") >= 0 && journal.IndexOf("leak") < 0;
}

}  // namespace kelpa::test
