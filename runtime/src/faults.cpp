#include "faults.h"

#include <windows.h>

#include <cstring>

namespace standin {

bool FaultOn(const char* name) {
  char faults[512];
  DWORD n = GetEnvironmentVariableA("STANDIN_RUNTIME_FAULTS", faults, sizeof faults);
  if (n == 0 || n >= sizeof faults) return false;
  const size_t length = std::strlen(name);
  for (const char* at = faults; *at;) {
    const char* end = std::strchr(at, ',');
    size_t size = end ? static_cast<size_t>(end - at) : std::strlen(at);
    if (size == length && std::strncmp(at, name, length) == 0) return true;
    if (!end) break;
    at = end + 1;
  }
  return false;
}

}  // namespace standin
