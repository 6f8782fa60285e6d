#pragma once
// How much memory a process of the engine holds of its own, for deciding when the engine is
// due for a fresh start: a Unix engine's proportional set size (its share of pages it has in
// common with its siblings, from Linux's /proc), a Windows engine's private commit.

#include <cstdint>
#include <string_view>

namespace standin::engine {

// 0 when the process is gone or cannot be read.
int64_t ProcessMemoryBytes(uint32_t pid, bool unix_process);
// The "Pss:" figure of a /proc/<pid>/smaps_rollup text, in bytes; 0 without one.
int64_t PssBytesOf(std::string_view smaps_rollup);

}  // namespace standin::engine
