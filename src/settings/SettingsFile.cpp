#include "settings/SettingsFile.h"

#include "base/SysUtils.h"

std::wstring AppDataPath(const std::wstring& name) {
  std::wstring folder = GetEnvironmentVariableText(L"APPDATA");
  if (folder.empty()) return name;
  return IncludeTrailingPathDelimiter(folder) + name;
}

std::wstring SettingsFileName() { return AppDataPath(L"KelpaScreenSaver.INI"); }

std::wstring CookieFolder() { return AppDataPath(L"cookies"); }
