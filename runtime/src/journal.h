#pragma once
// The journal: when STANDIN_RUNTIME_JOURNAL names a file, every significant event appends
// one line "keyword t=<ms> pid=<id> key=value ..." to it and the line is on disk when
// Write returns. Texts are quoted and escaped so that a line always stays one line.

#include <cstdint>
#include <string>
#include <string_view>

namespace standin {

class TJournalLine {
 public:
  explicit TJournalLine(std::string_view keyword);
  ~TJournalLine();
  TJournalLine(const TJournalLine&) = delete;
  TJournalLine& operator=(const TJournalLine&) = delete;

  TJournalLine& Int(std::string_view key, int64_t value);
  TJournalLine& Unsigned(std::string_view key, uint64_t value);
  TJournalLine& Text(std::string_view key, std::wstring_view text);
  TJournalLine& Text(std::string_view key, std::string_view utf8);
  // key="text" followed by key.length=<UTF-16 units>.
  TJournalLine& TextWithLength(std::string_view key, std::wstring_view text);
  TJournalLine& Pointer(std::string_view key, const void* value);
  // An unquoted word (a kind, null/object ...).
  TJournalLine& Word(std::string_view key, std::string_view word);

  // Appends the line; the destructor writes it if nobody did.
  void Write();

 private:
  bool FEnabled;
  bool FWritten = false;
  std::string FLine;
};

// The quoted, escaped form of a text as the journal writes it.
std::string JournalQuote(std::wstring_view text);

}  // namespace standin
