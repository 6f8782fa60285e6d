#include "page_addresses.h"

#include "engine_address.h"
#include "engine_text.h"
#include "file_address.h"
#include "wine_host.h"

#include <algorithm>

namespace standin::engine {

namespace {

// The program's recent file: loads; a wall shows a few addresses over and over.
constexpr size_t kRemembered = 64;

}  // namespace

std::wstring TPageAddresses::ToEngine(const std::wstring& program_url) {
  if (!IsFileUrl(program_url)) return ToEngineAddress(program_url);
  std::wstring engine_url = FileToEngine(program_url);
  std::lock_guard<std::mutex> lock(FLock);
  std::erase_if(FLoaded, [&](const auto& entry) { return entry.first == engine_url; });
  FLoaded.emplace_back(engine_url, program_url);
  if (FLoaded.size() > kRemembered) FLoaded.pop_front();
  return engine_url;
}

std::wstring TPageAddresses::ToProgram(const std::wstring& engine_url) const {
  if (!IsFileUrl(engine_url)) return FromEngineAddress(engine_url);
  {
    std::lock_guard<std::mutex> lock(FLock);
    auto found = std::find_if(FLoaded.rbegin(), FLoaded.rend(), [&](const auto& entry) { return entry.first == engine_url; });
    if (found != FLoaded.rend()) return found->second;
  }
  return FileToProgram(engine_url);
}

// The engine writes addresses its own way (escapes, three slashes); it is told them so, and
// reports them back unchanged.
std::wstring TPageAddresses::FileToEngine(const std::wstring& program_url) const {
  std::wstring path = WindowsPathOfFileUrl(program_url);
  std::wstring suffix = FileUrlSuffix(program_url);
  if (FUnixEngine) {
    std::string unix_path = UnixPathOf(path);
    // A path Wine cannot place (a share it does not know) names no file the engine can read;
    // the engine then fails the load as a missing file.
    if (!unix_path.empty()) return FileUrlOfUnixPath(unix_path) + suffix;
  }
  return FileUrlOfWindowsPath(path) + suffix;
}

std::wstring TPageAddresses::FileToProgram(const std::wstring& engine_url) const {
  if (!FUnixEngine) return engine_url;
  std::string unix_path = UnixPathOfFileUrl(engine_url);
  std::wstring dos = unix_path.empty() ? std::wstring() : DosPathOfUnix(WideOf(unix_path));
  // Wine names a path outside its drives with a device prefix; such a file has no Windows form.
  if (dos.empty() || dos.rfind(L"\\\\?\\", 0) == 0) return engine_url;
  return FileUrlOfWindowsPath(dos) + FileUrlSuffix(engine_url);
}

}  // namespace standin::engine
