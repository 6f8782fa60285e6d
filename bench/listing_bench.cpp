// The `local:` scheme's two costs, each next to the bare work it cannot avoid:
//  - a folder's listing page from request to last byte through the handler (process the
//    request, read the response in the runtime's 32 KiB pieces) against the bare enumeration
//    loop (FindFirstFileExW with large fetch, FindNextFileW) and against an nginx with
//    autoindex serving the same folder on loopback (fetched over a socket to its last byte),
//    for folders of 1 000, 10 000 and 100 000 entries; the time per entry shows how it grows;
//  - streaming a file through the handler's read_response, in the runtime's 32 KiB chunks,
//    against a plain ReadFile loop of the same chunk size.
// Each measure is the best of a few rounds of one run, printed with its ratio.

#include <winsock2.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "base/Handle.h"
#include "ceffilescheme/FileScheme.h"
#include "ceffilescheme/ListingPage.h"
#include "ceflib/cef_callback.h"

namespace {

using namespace ceffilescheme;
using Clock = std::chrono::steady_clock;

volatile size_t Sink;

template <class F>
double BestSeconds(int rounds, F&& f) {
  double best = 1e9;
  for (int i = 0; i < rounds; ++i) {
    auto start = Clock::now();
    f();
    best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
  }
  return best;
}

std::wstring MakeFolder(const std::wstring& base, int entries) {
  std::wstring folder = base + L"listing-" + std::to_wstring(entries) + L"\\";
  if (GetFileAttributesW(folder.c_str()) != INVALID_FILE_ATTRIBUTES) return folder;
  CreateDirectoryW(folder.c_str(), nullptr);
  for (int i = 0; i < entries; ++i) {
    // Mixed case and a folder every tenth entry, so the sort has work of both kinds.
    std::wstring name = folder + (i % 3 ? L"Entry " : L"entry ") + std::to_wstring((i * 7919) % entries);
    if (i % 10 == 0)
      CreateDirectoryW(name.c_str(), nullptr);
    else
      CloseHandle(CreateFileW((name + L".txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
  }
  return folder;
}

void EnumerationLoop(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  TFindHandle search(FindFirstFileExW((folder + L"*.*").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                      nullptr, FIND_FIRST_EX_LARGE_FETCH));
  size_t count = 0;
  if (search)
    do ++count;
    while (FindNextFileW(search.get(), &found));
  Sink = count;
}

// A runtime callback whose counting and continue do nothing.
cef_callback_t MakeCallback() {
  cef_callback_t s{};
  s.base.size = sizeof s;
  s.base.add_ref = [](cef_base_t*) CEF_CALLBACK {};
  s.base.release = [](cef_base_t*) CEF_CALLBACK { return 0; };
  s.base.has_one_ref = [](cef_base_t*) CEF_CALLBACK { return 1; };
  s.cont = [](cef_callback_t*) CEF_CALLBACK {};
  s.cancel = [](cef_callback_t*) CEF_CALLBACK {};
  return s;
}

std::wstring LocalUrlOf(const std::wstring& path) {
  std::wstring url = L"local://" + path.substr(0, 1) + L"/";
  for (wchar_t c : path.substr(3)) url += c == L'\\' ? L'/' : c;
  return url;
}

// One request through the handler as the runtime drives it, to the body's last byte.
size_t ThroughHandler(const std::wstring& url) {
  cef_callback_t callback = MakeCallback();
  static std::vector<char> buffer(32768);
  auto scheme = ceflib::MakeRef<TFileScheme>(nullptr, nullptr, L"local", nullptr);
  scheme->Respond(url);
  auto* s = static_cast<cef_resource_handler_t*>(ceflib::CefStructOf(scheme));
  int read = 0;
  size_t total = 0;
  while (s->read_response(s, buffer.data(), static_cast<int>(buffer.size()), &read, &callback)) total += read;
  s->base.release(&s->base);
  return total;
}

// GET path from the server on 127.0.0.1:port, read to the connection's end; the bytes
// received, 0 when the server could not be reached.
size_t HttpGet(int port, const std::string& path) {
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (s == INVALID_SOCKET) return 0;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<u_short>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  size_t total = 0;
  if (connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
    std::string request = "GET " + path + " HTTP/1.0\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n";
    send(s, request.data(), static_cast<int>(request.size()), 0);
    static char buffer[65536];
    for (int n; (n = recv(s, buffer, sizeof buffer, 0)) > 0;) total += static_cast<size_t>(n);
  }
  closesocket(s);
  return total;
}

// The folder read in batches through the directory handle (the route under the find loop).
void HandleEnumeration(const std::wstring& folder) {
  TFileHandle dir(CreateFileW(folder.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  static std::vector<char> buffer(64 * 1024);
  size_t count = 0;
  FILE_INFO_BY_HANDLE_CLASS kind = FileFullDirectoryRestartInfo;
  while (dir && GetFileInformationByHandleEx(dir.get(), kind, buffer.data(), static_cast<DWORD>(buffer.size()))) {
    kind = FileFullDirectoryInfo;
    for (auto* info = reinterpret_cast<FILE_FULL_DIR_INFO*>(buffer.data());;
         info = reinterpret_cast<FILE_FULL_DIR_INFO*>(reinterpret_cast<char*>(info) + info->NextEntryOffset)) {
      ++count;
      if (!info->NextEntryOffset) break;
    }
  }
  Sink = count;
}

// Where the handler's time goes: the entry list, its sort, the rows and their pieces.
void Breakdown(const std::wstring& folder, int entries) {
  std::vector<TFileInfo> list;
  double listing = BestSeconds(3, [&] { list = *ListFolder(folder); });
  double sort = BestSeconds(3, [&] {
    std::vector<TFileInfo> copy = list;
    SortEntries(copy);
  });
  size_t chars = 0;
  double rows = BestSeconds(3, [&] {
    for (const TFileInfo& entry : list) chars += entry.Display().size();
  });
  double dates = BestSeconds(3, [&] {
    for (const TFileInfo& entry : list) chars += entry.DisplayDate().size();
  });
  double sizes = BestSeconds(3, [&] {
    for (const TFileInfo& entry : list) chars += entry.DisplaySize().size();
  });
  Sink = chars;
  double handle = BestSeconds(3, [&] { HandleEnumeration(folder); });
  std::printf("  per entry (us): handle batches %.2f  list %.2f  sort %.2f  rows %.2f (of which dates %.2f, sizes %.2f)\n",
              handle / entries * 1e6, listing / entries * 1e6, sort / entries * 1e6, rows / entries * 1e6, dates / entries * 1e6,
              sizes / entries * 1e6);
}

void Listing(const std::wstring& base, int nginxPort) {
  for (int entries : {1000, 10000, 100000}) {
    std::wstring folder = MakeFolder(base, entries);
    std::wstring url = LocalUrlOf(folder);
    int rounds = entries >= 100000 ? 3 : 7;
    double bare = BestSeconds(rounds, [&] { EnumerationLoop(folder); });
    size_t bytes = 0;
    double page = BestSeconds(rounds, [&] { bytes = ThroughHandler(url); });
    std::printf("listing %6d entries  enumeration %8.2f ms  handler %8.2f ms (%zu B)  ratio %.2f  %.2f us/entry",
                entries, bare * 1e3, page * 1e3, bytes, page / bare, page / entries * 1e6);
    if (nginxPort > 0) {
      std::string path = "/listing-" + std::to_string(entries) + "/";
      size_t served = 0;
      double nginx = BestSeconds(rounds, [&] { served = HttpGet(nginxPort, path); });
      if (served > 0)
        std::printf("  nginx %8.2f ms (%zu B)  ratio %.2f", nginx * 1e3, served, page / nginx);
      else
        std::printf("  nginx unreachable");
    }
    std::printf("\n");
    Breakdown(folder, entries);
    std::fflush(stdout);
  }
}

void Streaming(const std::wstring& base) {
  const int64_t size = int64_t(256) << 20;
  const int chunk = 32768;
  std::wstring path = base + L"stream.bin";
  {
    TFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    std::vector<char> block(1 << 20, 'x');
    DWORD written;
    for (int64_t done = 0; done < size; done += block.size())
      WriteFile(file.get(), block.data(), static_cast<DWORD>(block.size()), &written, nullptr);
  }
  std::vector<char> buffer(chunk);
  double plain = BestSeconds(5, [&] {
    TFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    DWORD read;
    int64_t total = 0;
    while (ReadFile(file.get(), buffer.data(), chunk, &read, nullptr) && read > 0) total += read;
    Sink = static_cast<size_t>(total);
  });
  cef_callback_t callback = MakeCallback();
  std::wstring url = LocalUrlOf(path);
  double handler = BestSeconds(5, [&] {
    auto scheme = ceflib::MakeRef<TFileScheme>(nullptr, nullptr, L"local", nullptr);
    scheme->Respond(url);
    auto* s = static_cast<cef_resource_handler_t*>(ceflib::CefStructOf(scheme));
    int read = 0;
    int64_t total = 0;
    while (s->read_response(s, buffer.data(), chunk, &read, &callback)) total += read;
    s->base.release(&s->base);
    Sink = static_cast<size_t>(total);
  });
  std::printf("streaming %lld MB in %d B chunks  plain %8.2f ms  read_response %8.2f ms  speed ratio %.2f\n",
              static_cast<long long>(size >> 20), chunk, plain * 1e3, handler * 1e3, plain / handler);
  DeleteFileW(path.c_str());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // The folders are kept between runs (making 100 000 files takes a while): pass a folder,
  // or they go to the temporary folder. A second argument is the loopback port of an nginx
  // serving that folder with autoindex.
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring base = argc > 1 ? std::wstring(argv[1]) + L"\\" : std::wstring(temp) + L"kelpa-listing-bench\\";
  int nginxPort = argc > 2 ? _wtoi(argv[2]) : 0;
  CreateDirectoryW(base.c_str(), nullptr);
  WSADATA wsa;
  WSAStartup(MAKEWORD(2, 2), &wsa);
  Listing(base, nginxPort);
  Streaming(base);
  return 0;
}
