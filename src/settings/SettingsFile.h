#pragma once
// Where the user's settings live.

#include <string>

// A file or folder name in the folder named by APPDATA; the bare name when
// APPDATA is unset or empty.
std::wstring AppDataPath(const std::wstring& name);

// The settings INI file, "KelpaScreenSaver.INI" in the application-data folder.
std::wstring SettingsFileName();

// The cookie store folder of the screen's browsers, "cookies" in the application-data folder.
std::wstring CookieFolder();
