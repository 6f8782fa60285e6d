#include "journal.h"

#include "utf.h"

#include <windows.h>

#include <cstdio>
#include <mutex>

namespace standin {
namespace {

constexpr wchar_t kVariable[] = L"STANDIN_RUNTIME_JOURNAL";

// Read each time, so that a program (or a test) may point the journal elsewhere at any time.
std::wstring JournalPath() {
  wchar_t buffer[MAX_PATH];
  DWORD n = GetEnvironmentVariableW(kVariable, buffer, MAX_PATH);
  if (n == 0) return {};
  if (n < MAX_PATH) return std::wstring(buffer, n);
  std::wstring path(n, L'\0');
  n = GetEnvironmentVariableW(kVariable, path.data(), n);
  path.resize(n);
  return path;
}

std::mutex& WriteLock() {
  static std::mutex lock;
  return lock;
}

void AppendToFile(const std::wstring& path, const std::string& line) {
  std::lock_guard<std::mutex> guard(WriteLock());
  // Opened for each line: the line is on disk at once, and a sub-process writing the same
  // journal interleaves whole lines with ours.
  HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
}

void AppendEscaped(std::string& out, char32_t unit) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "\\u%04X", static_cast<unsigned>(unit));
  out += buffer;
}

}  // namespace

std::string JournalQuote(std::wstring_view text) {
  std::string out = "\"";
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t c = static_cast<char16_t>(text[i]);
    switch (c) {
      case u'"': out += "\\\""; continue;
      case u'\\': out += "\\\\"; continue;
      case u'\n': out += "\\n"; continue;
      case u'\r': out += "\\r"; continue;
      case u'\t': out += "\\t"; continue;
      default: break;
    }
    if (c < 0x20 || c == 0x7F) {
      AppendEscaped(out, c);
    } else if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() &&
               static_cast<char16_t>(text[i + 1]) >= 0xDC00 && static_cast<char16_t>(text[i + 1]) <= 0xDFFF) {
      out += ToUtf8(text.substr(i, 2));
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      AppendEscaped(out, c);  // a lone surrogate has no UTF-8 form
    } else {
      out += ToUtf8(text.substr(i, 1));
    }
  }
  out += '"';
  return out;
}

TJournalLine::TJournalLine(std::string_view keyword) : FEnabled(!JournalPath().empty()) {
  if (!FEnabled) return;
  FLine.assign(keyword);
  Unsigned("t", GetTickCount64());
  Unsigned("pid", GetCurrentProcessId());
}

TJournalLine::~TJournalLine() {
  if (!FWritten) Write();
}

TJournalLine& TJournalLine::Int(std::string_view key, int64_t value) {
  return Word(key, std::to_string(value));
}

TJournalLine& TJournalLine::Unsigned(std::string_view key, uint64_t value) {
  return Word(key, std::to_string(value));
}

TJournalLine& TJournalLine::Text(std::string_view key, std::wstring_view text) {
  if (FEnabled) Word(key, JournalQuote(text));
  return *this;
}

TJournalLine& TJournalLine::Text(std::string_view key, std::string_view utf8) {
  if (FEnabled) Word(key, JournalQuote(FromUtf8(utf8)));
  return *this;
}

TJournalLine& TJournalLine::TextWithLength(std::string_view key, std::wstring_view text) {
  if (!FEnabled) return *this;
  Text(key, text);
  std::string length_key(key);
  length_key += ".length";
  return Unsigned(length_key, text.size());
}

TJournalLine& TJournalLine::Pointer(std::string_view key, const void* value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "0x%llx", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(value)));
  return Word(key, buffer);
}

TJournalLine& TJournalLine::Word(std::string_view key, std::string_view word) {
  if (!FEnabled) return *this;
  FLine += ' ';
  FLine += key;
  FLine += '=';
  FLine += word;
  return *this;
}

void TJournalLine::Write() {
  FWritten = true;
  if (!FEnabled) return;
  std::wstring path = JournalPath();
  if (path.empty()) return;
  AppendToFile(path, FLine + "\n");
}

}  // namespace standin
