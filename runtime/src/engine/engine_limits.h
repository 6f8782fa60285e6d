#pragma once
// How much a wall that runs for months lets the engine keep, in one place: the disk cache,
// and when a page's target or the whole engine is replaced by a fresh one before it can grow
// without bound. STANDIN_RUNTIME_RECYCLE lowers the thresholds for tests, e.g.
// "loads=3,target_seconds=20" (names as in TRecycleLimits; a value can only lower one).

#include <cstdint>
#include <string>

namespace standin::engine {

constexpr int64_t kDiskCacheBytes = 64ll << 20;
// Console messages of one page after which the engine is told to drop those it keeps.
constexpr uint32_t kConsoleDiscardEvery = 50;

struct TRecycleLimits {
  int64_t loads = 500;                         // loads of one target
  int64_t target_seconds = 6 * 3600;           // running time of one target
  int64_t renderer_bytes = 512ll << 20;        // memory of one target's renderer
  int64_t engine_seconds = 24 * 3600;          // running time of the engine
  int64_t engine_bytes = 2048ll << 20;         // memory of the whole engine
};

// The defaults, lowered by text in the form above; unknown names and bad values are ignored.
TRecycleLimits RecycleLimitsOf(const std::string& text);
// As this process's environment sets them now (read each time: a test may change it).
TRecycleLimits RecycleLimits();

// Why a target (after its loads, its running time and its renderer's memory) or the engine is
// due for a fresh one: "loads", "time", "memory", or null while it is not. Asked when a page
// is about to be loaded anyway.
const char* TargetRecycleReason(const TRecycleLimits& limits, int64_t loads, int64_t seconds, int64_t renderer_bytes);
const char* EngineRecycleReason(const TRecycleLimits& limits, int64_t seconds, int64_t engine_bytes);

}  // namespace standin::engine
