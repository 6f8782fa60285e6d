#include "engine_locator.h"

#include "wine_host.h"

#include <windows.h>

namespace standin::engine {

namespace {

const wchar_t* const kInstallPlaces[] = {
    L"\\Microsoft\\Edge\\Application\\msedge.exe",
    L"\\Google\\Chrome\\Application\\chrome.exe",
    L"\\Chromium\\Application\\chrome.exe",
};

std::wstring Environment(const wchar_t* name, bool& present) {
  DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
  present = size != 0;
  if (!present) return {};
  std::wstring value(size, L'\0');
  value.resize(GetEnvironmentVariableW(name, value.data(), size));
  return value;
}

}  // namespace

TEngineLocation LocateEngine(const TEngineSearch& search) {
  if (search.setting_present && !search.setting.empty()) {
    if (search.setting == L"none") return {L"", "switched_off"};
    if (search.exists(search.setting)) return {search.setting, ""};
    return {L"", "named_executable_missing"};
  }
  for (const std::wstring& root : search.install_roots) {
    if (root.empty()) continue;
    for (const wchar_t* place : kInstallPlaces)
      if (search.exists(root + place)) return {root + place, ""};
  }
  if (search.under_wine && search.exists(L"/usr/bin/chromium")) return {L"/usr/bin/chromium", ""};
  return {L"", "not_installed"};
}

TEngineSearch SystemEngineSearch() {
  TEngineSearch search;
  search.setting = Environment(L"STANDIN_RUNTIME_BROWSER", search.setting_present);
  search.under_wine = UnderWine();
  bool present = false;
  for (const wchar_t* name : {L"ProgramFiles(x86)", L"ProgramFiles", L"LOCALAPPDATA"})
    search.install_roots.push_back(Environment(name, present));
  search.exists = [](const std::wstring& path) {
    std::wstring local = IsUnixPath(path) ? DosPathOfUnix(path) : path;
    DWORD attributes = local.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(local.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  };
  return search;
}

}  // namespace standin::engine
