#include "app/Program.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return RunKelpaScreenSaver(); }
