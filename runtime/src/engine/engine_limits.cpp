#include "engine_limits.h"

#include <windows.h>

#include <charconv>
#include <utility>

namespace standin::engine {

TRecycleLimits RecycleLimitsOf(const std::string& text) {
  TRecycleLimits limits;
  std::pair<const char*, int64_t*> fields[] = {
      {"loads", &limits.loads},
      {"target_seconds", &limits.target_seconds},
      {"renderer_bytes", &limits.renderer_bytes},
      {"engine_seconds", &limits.engine_seconds},
      {"engine_bytes", &limits.engine_bytes},
  };
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(',', start);
    if (end == std::string::npos) end = text.size();
    std::string item = text.substr(start, end - start);
    start = end + 1;
    size_t equals = item.find('=');
    if (equals == std::string::npos) continue;
    int64_t value = 0;
    const char* first = item.data() + equals + 1;
    const char* last = item.data() + item.size();
    auto [stop, error] = std::from_chars(first, last, value);
    if (error != std::errc() || stop != last || value <= 0) continue;
    for (auto& [name, field] : fields)
      if (item.compare(0, equals, name) == 0 && value < *field) *field = value;
  }
  return limits;
}

TRecycleLimits RecycleLimits() {
  char value[256] = {};
  DWORD n = GetEnvironmentVariableA("STANDIN_RUNTIME_RECYCLE", value, sizeof value);
  return RecycleLimitsOf(n < sizeof value ? std::string(value, n) : std::string());
}

const char* TargetRecycleReason(const TRecycleLimits& limits, int64_t loads, int64_t seconds, int64_t renderer_bytes) {
  if (loads >= limits.loads) return "loads";
  if (seconds >= limits.target_seconds) return "time";
  if (renderer_bytes >= limits.renderer_bytes) return "memory";
  return nullptr;
}

const char* EngineRecycleReason(const TRecycleLimits& limits, int64_t seconds, int64_t engine_bytes) {
  if (seconds >= limits.engine_seconds) return "time";
  if (engine_bytes >= limits.engine_bytes) return "memory";
  return nullptr;
}

}  // namespace standin::engine
