#include "process_memory.h"

#include "wine_host.h"

#include <windows.h>
#include <psapi.h>

#include <charconv>
#include <string>

namespace standin::engine {

namespace {

// /proc files have no size until read: read to the end.
std::string ReadWholeFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string text;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
  CloseHandle(file);
  return text;
}

}  // namespace

int64_t PssBytesOf(std::string_view smaps_rollup) {
  constexpr std::string_view kField = "\nPss:";
  size_t at = smaps_rollup.find(kField);
  if (at == std::string_view::npos) return 0;
  size_t digits = smaps_rollup.find_first_not_of(' ', at + kField.size());
  if (digits == std::string_view::npos) return 0;
  int64_t kilobytes = 0;
  auto [end, error] = std::from_chars(smaps_rollup.data() + digits, smaps_rollup.data() + smaps_rollup.size(), kilobytes);
  return error == std::errc() ? kilobytes * 1024 : 0;
}

int64_t ProcessMemoryBytes(uint32_t pid, bool unix_process) {
  if (unix_process) {
    std::wstring path = DosPathOfUnix(L"/proc/" + std::to_wstring(pid) + L"/smaps_rollup");
    return path.empty() ? 0 : PssBytesOf(ReadWholeFile(path));
  }
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (!process) return 0;
  PROCESS_MEMORY_COUNTERS_EX counters = {};
  counters.cb = sizeof counters;
  BOOL ok = GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
  CloseHandle(process);
  if (!ok) return 0;
  // Wine counts no private commit; its working set is the nearest figure it has.
  return static_cast<int64_t>(counters.PrivateUsage ? counters.PrivateUsage : counters.WorkingSetSize);
}

}  // namespace standin::engine
