#pragma once
// Message boxes: one OK button, centred on the screen, titled with the application's title.

#include <string>

void ShowMessage(const std::wstring& text);
