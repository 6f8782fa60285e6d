#pragma once
// Runs a scenario program from the bin folder in a process of its own (a process can start the
// runtime only once), in a fresh working folder, with the stand-in runtime's journal written
// there. The child records its failed checks in report.txt (see child_report.h).

#include <windows.h>

#include <string>

#include "journal_reader.h"

namespace kelpa::test {

struct TChildRun {
  DWORD ExitCode = 0xFFFFFFFF;  // also when the program could not be started
  std::string Report;           // the child's failed checks
  TJournal Journal;
};

TChildRun RunJournalledChild(const std::wstring& program, const std::wstring& arguments);

// The whole content of a file; empty when it cannot be read. A file in UTF-16 (it starts with
// the byte order mark, as the program's new settings files do) comes back as UTF-8.
std::string ReadTextFile(const std::wstring& path);

}  // namespace kelpa::test
