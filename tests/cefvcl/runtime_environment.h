#pragma once
// The stand-in runtime, started once for the whole test program (a process starts it only
// once) with its journal in a folder of its own; at the end it is shut down and its leak
// report must be empty.

#include <windows.h>

#include <functional>
#include <string>

#include "journal_reader.h"

namespace cefvcl::test {

// The journal written so far.
kelpa::test::TJournal Journal();

// Runs window messages, and with them the message-loop timer, until done() holds or the time
// is up.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 10000);
void PumpFor(int ms);

// A journal field written as 0x... as the window handle it names.
HWND HandleField(const kelpa::test::TJournalEvent& event, const std::string& key);

}  // namespace cefvcl::test
