#pragma once
// The program from start to end; returns the process exit code.

int RunKelpaScreenSaver();
