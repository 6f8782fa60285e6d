#include "wine_host.h"

#include "engine_text.h"

#include <windows.h>

namespace standin::engine {

namespace {

template <class F>
F WineFunction(const wchar_t* module, const char* name) {
  HMODULE handle = GetModuleHandleW(module);
  return handle ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(handle, name))) : nullptr;
}

}  // namespace

bool UnderWine() { return WineFunction<void (*)()>(L"ntdll.dll", "wine_get_version") != nullptr; }

bool IsUnixPath(const std::wstring& path) { return !path.empty() && path[0] == L'/'; }

std::wstring DosPathOfUnix(const std::wstring& unix_path) {
  using TConvert = WCHAR* (CDECL*)(const char*);
  auto convert = WineFunction<TConvert>(L"kernel32.dll", "wine_get_dos_file_name");
  if (!convert) return {};
  WCHAR* dos = convert(Utf8Of(unix_path).c_str());
  if (!dos) return {};
  std::wstring result(dos);
  HeapFree(GetProcessHeap(), 0, dos);
  return result;
}

std::string UnixPathOf(const std::wstring& dos_path) {
  using TConvert = char* (CDECL*)(const WCHAR*);
  auto convert = WineFunction<TConvert>(L"kernel32.dll", "wine_get_unix_file_name");
  if (!convert) return {};
  char* unix_name = convert(dos_path.c_str());
  if (!unix_name) return {};
  std::string result(unix_name);
  HeapFree(GetProcessHeap(), 0, unix_name);
  return result;
}

bool SpawnUnix(const std::vector<std::wstring>& command) {
  using TSpawn = LONG(CDECL*)(char* const argv[], int wait);
  auto spawn = WineFunction<TSpawn>(L"ntdll.dll", "__wine_unix_spawnvp");
  if (!spawn || command.empty()) return false;
  std::vector<std::string> arguments;
  for (const std::wstring& argument : command) arguments.push_back(Utf8Of(argument));
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  return spawn(argv.data(), 0) == 0;
}

}  // namespace standin::engine
