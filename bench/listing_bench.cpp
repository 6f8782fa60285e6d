// The `local:` scheme's two costs, each next to the bare system work it cannot avoid:
//  - building a folder's listing page (enumerate, sort, format the rows) against the bare
//    enumeration loop (FindFirstFileExW with large fetch, FindNextFileW), for folders of
//    1 000, 10 000 and 100 000 entries; the time per entry shows how it grows;
//  - streaming a file through the handler's read_response, in the runtime's 32 KiB chunks,
//    against a plain ReadFile loop of the same chunk size.
// Each measure is the best of a few rounds of one run, printed with its ratio.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "ceffilescheme/FileScheme.h"
#include "ceffilescheme/ListingPage.h"
#include "ceflib/cef_callback.h"
#include "toolkit/Handle.h"

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

void Listing(const std::wstring& base) {
  for (int entries : {1000, 10000, 100000}) {
    std::wstring folder = MakeFolder(base, entries);
    int rounds = entries >= 100000 ? 3 : 7;
    double bare = BestSeconds(rounds, [&] { EnumerationLoop(folder); });
    double page = BestSeconds(rounds, [&] {
      TMemoryStream stream;
      BuildListingPage(folder, stream);
      Sink = stream.Bytes().size();
    });
    std::printf("listing %6d entries  enumeration %8.2f ms  page %8.2f ms  ratio %.2f  page %.2f us/entry\n", entries,
                bare * 1e3, page * 1e3, page / bare, page / entries * 1e6);
  }
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
  std::wstring url = L"local://" + path.substr(0, 1) + L"/";
  for (wchar_t c : path.substr(3)) url += c == L'\\' ? L'/' : c;
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
  // or they go to the temporary folder.
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring base = argc > 1 ? std::wstring(argv[1]) + L"\\" : std::wstring(temp) + L"kelpa-listing-bench\\";
  CreateDirectoryW(base.c_str(), nullptr);
  Listing(base);
  Streaming(base);
  return 0;
}
