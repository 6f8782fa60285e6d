#include "app/CommandLine.h"

#include "base/Handle.h"
#include "base/SysUtils.h"

#include <windows.h>
#include <shellapi.h>

TRunMode RunModeOf(std::wstring_view firstArgument) {
  std::wstring argument = UpperCase(firstArgument);
  if (argument == L"/S") return rmScreenSaver;
  if (argument == L"/P") return rmPreviewPane;
  return rmSettings;
}

std::wstring FirstArgument() {
  int count = 0;
  TUniqueHandle<LPWSTR*, LocalFree> arguments(CommandLineToArgvW(GetCommandLineW(), &count));
  if (!arguments || count < 2) return {};
  return arguments.get()[1];
}
