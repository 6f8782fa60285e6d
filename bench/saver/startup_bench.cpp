// Start-up next to its floor, in one clock (GetTickCount64): the saver from process start to
// the first page's load end in the runtime's journal, against a bare window program from
// process start to its first paint. Best and median of a few starts each.
//   startup_bench <saver.scr> <bare_window.exe> <journal file> [starts]

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace {

HANDLE Start(const std::wstring& program, const std::wstring& arguments) {
  std::wstring command = L"\"" + program + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return nullptr;
  CloseHandle(process.hThread);
  return process.hProcess;
}

// The t= of the journal's first load_end line, 0 while there is none.
ULONGLONG FirstLoadEnd(const std::wstring& journal) {
  HANDLE file = CreateFileW(journal.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  std::string text(1 << 16, '\0');
  DWORD read = 0;
  ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr);
  CloseHandle(file);
  text.resize(read);
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    if (line.rfind("load_end ", 0) == 0) {
      size_t t = line.find(" t=");
      if (t != std::string::npos) return std::stoull(line.substr(t + 3));
    }
  return 0;
}

double BareStart(const std::wstring& bare) {
  ULONGLONG started = GetTickCount64();
  HANDLE process = Start(bare, L"");
  if (!process) return -1;
  WaitForSingleObject(process, 30000);
  DWORD code = 0;
  GetExitCodeProcess(process, &code);
  CloseHandle(process);
  return static_cast<double>((code - (started & 0x7FFFFFFF)) & 0x7FFFFFFF);
}

double SaverStart(const std::wstring& saver, const std::wstring& journal) {
  DeleteFileW(journal.c_str());
  ULONGLONG started = GetTickCount64();
  HANDLE process = Start(saver, L"/S");
  if (!process) return -1;
  ULONGLONG ended = 0;
  while (!(ended = FirstLoadEnd(journal)) && GetTickCount64() - started < 60000) Sleep(5);
  TerminateProcess(process, 0);
  WaitForSingleObject(process, 10000);
  CloseHandle(process);
  Sleep(500);
  return ended ? static_cast<double>(ended - started) : -1;
}

void Print(const char* what, std::vector<double> times) {
  std::sort(times.begin(), times.end());
  std::printf("%-34s best %7.0f ms  median %7.0f ms\n", what, times.front(), times[times.size() / 2]);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) return 2;
  int starts = argc > 4 ? _wtoi(argv[4]) : 5;
  SetEnvironmentVariableW(L"STANDIN_RUNTIME_JOURNAL", argv[3]);
  std::vector<double> bare, saver;
  for (int i = 0; i < starts; ++i) {
    bare.push_back(BareStart(argv[2]));
    saver.push_back(SaverStart(argv[1], argv[3]));
    std::printf("start %d: bare %.0f ms, saver %.0f ms\n", i + 1, bare.back(), saver.back());
  }
  Print("bare window, start to first paint", bare);
  Print("saver, start to first load end", saver);
  std::sort(bare.begin(), bare.end());
  std::sort(saver.begin(), saver.end());
  std::printf("start-up ratio (medians) %.2f  (best) %.2f\n", saver[starts / 2] / bare[starts / 2],
              saver.front() / bare.front());
  return 0;
}
