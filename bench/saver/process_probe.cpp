// One line of figures for a running program found by its file name: private bytes and working
// set (Wine keeps handle counts of other processes to itself).
//   process_probe <file name, e.g. KelpaScreenSaver.scr>

#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cwchar>

#include "process_figures.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  DWORD id = 0;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
    if (_wcsicmp(entry.szExeFile, argv[1]) == 0) id = entry.th32ProcessID;
  CloseHandle(snapshot);
  HANDLE process = id ? OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id) : nullptr;
  if (!process) {
    std::printf("not running\n");
    return 1;
  }
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
  std::printf("private %.2f MB  working set %.2f MB", PrivateBytes(process) / 1048576.0,
              memory.WorkingSetSize / 1048576.0);
  CloseHandle(process);
  return 0;
}
