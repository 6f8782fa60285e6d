#pragma once
// A process's private bytes and handle count, measured in a way Wine answers (its
// GetProcessMemoryInfo leaves PrivateUsage at 0 and GetProcessHandleCount reports 0).

#include <windows.h>

#include <cstddef>

// Committed private memory of the process, summed over its regions.
inline std::size_t PrivateBytes(HANDLE process) {
  std::size_t total = 0;
  MEMORY_BASIC_INFORMATION region;
  for (const char* at = nullptr; VirtualQueryEx(process, at, &region, sizeof region) == sizeof region;
       at = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    if (region.RegionSize == 0) break;
  }
  return total;
}

// Open handles of this process: every handle value that names an object (handle values are
// multiples of four, handed out lowest free first).
inline unsigned long OwnHandleCount() {
  unsigned long count = 0;
  DWORD flags;
  for (ULONG_PTR value = 4; value < 0x40000; value += 4)
    if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++count;
  return count;
}
