#pragma once
// The addresses of one engine page: what the engine is told for an address of the program,
// and what the program hears for an address the engine reports. The program's own schemes
// travel as unresolvable hosts (engine_address.h); file: addresses go to a Linux engine under
// Wine as the Unix paths of their files. An address the program loaded comes back exactly as
// the program wrote it; other file: addresses (a page's links) in the Windows form.

#include <deque>
#include <mutex>
#include <string>
#include <utility>

namespace standin::engine {

class TPageAddresses {
 public:
  // unix_engine: the engine reads Unix paths (a Linux engine started under Wine).
  explicit TPageAddresses(bool unix_engine) : FUnixEngine(unix_engine) {}

  bool UnixEngine() const { return FUnixEngine; }
  // Any thread.
  std::wstring ToEngine(const std::wstring& program_url);
  std::wstring ToProgram(const std::wstring& engine_url) const;

 private:
  std::wstring FileToEngine(const std::wstring& program_url) const;
  std::wstring FileToProgram(const std::wstring& engine_url) const;

  const bool FUnixEngine;
  mutable std::mutex FLock;
  std::deque<std::pair<std::wstring, std::wstring>> FLoaded;  // engine address, program's address
};

}  // namespace standin::engine
