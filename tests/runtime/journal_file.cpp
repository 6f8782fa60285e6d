#include "journal_file.h"

#include "test_paths.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace standin_test {

std::string TJournalEntry::Field(const std::string& key) const {
  auto it = fields.find(key);
  return it == fields.end() ? std::string("<missing>") : it->second;
}

TJournalEntry ParseJournalLine(const std::string& line) {
  TJournalEntry entry;
  entry.line = line;
  size_t i = line.find(' ');
  entry.keyword = line.substr(0, i);
  while (i != std::string::npos && i < line.size()) {
    ++i;
    size_t eq = line.find('=', i);
    if (eq == std::string::npos) break;
    std::string key = line.substr(i, eq - i);
    size_t end = eq + 1;
    if (end < line.size() && line[end] == '"') {
      ++end;
      while (end < line.size() && line[end] != '"') end += line[end] == '\\' ? 2 : 1;
      ++end;
    } else {
      end = line.find(' ', end);
      if (end == std::string::npos) end = line.size();
    }
    entry.fields[key] = line.substr(eq + 1, end - eq - 1);
    i = end < line.size() ? end : std::string::npos;
  }
  return entry;
}

TJournalFile::TJournalFile() : FDir(kelpa::test::MakeTempDir(L"standin-journal-")), FPath(FDir + L"\\journal.txt") {
  SetEnvironmentVariableW(L"STANDIN_RUNTIME_JOURNAL", FPath.c_str());
}

TJournalFile::~TJournalFile() {
  SetEnvironmentVariableW(L"STANDIN_RUNTIME_JOURNAL", nullptr);
  kelpa::test::RemoveTree(FDir);
}

std::vector<std::string> TJournalFile::Lines() const {
  std::ifstream in(std::filesystem::path(FPath), std::ios::binary);
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

std::vector<TJournalEntry> TJournalFile::Entries() const {
  std::vector<TJournalEntry> entries;
  for (const auto& line : Lines()) entries.push_back(ParseJournalLine(line));
  return entries;
}

std::vector<TJournalEntry> TJournalFile::Entries(const std::string& keyword) const {
  std::vector<TJournalEntry> entries;
  for (auto& entry : Entries()) {
    if (entry.keyword == keyword) entries.push_back(std::move(entry));
  }
  return entries;
}

}  // namespace standin_test
