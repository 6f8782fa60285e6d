#include "ceffilescheme/ListingPage.h"

#include <windows.h>

#include <algorithm>

#include "base/Handle.h"
#include "ceffilescheme/MessagePage.h"

namespace ceffilescheme {
namespace {

wchar_t FoldCase(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

int CompareText(const std::wstring& a, const std::wstring& b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    wchar_t x = FoldCase(a[i]), y = FoldCase(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// Every generated character is 7-bit ASCII (EscapeJsString sees to that), so the ANSI bytes
// of the text are its UTF-16 units narrowed.
void AppendAscii(std::string& bytes, const std::wstring& text) {
  size_t at = bytes.size();
  bytes.resize(at + text.size());
  for (wchar_t c : text) bytes[at++] = static_cast<char>(c < 0x80 ? c : '?');
}

}  // namespace

std::string_view ListingTemplate() {
  HMODULE self = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(self, L"CEFFILESCHEMEDIR", MAKEINTRESOURCEW(10));
  if (!found) return {};
  HGLOBAL loaded = LoadResource(self, found);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return {};
  return std::string_view(static_cast<const char*>(bytes), SizeofResource(self, found));
}

namespace {

bool IsDot(const wchar_t* name, size_t length) { return length == 1 && name[0] == L'.'; }
bool IsDotDot(const wchar_t* name, size_t length) { return length == 2 && name[0] == L'.' && name[1] == L'.'; }

// A drive root has no "." or ".." of its own, whatever the file system below reports.
bool IsDriveRoot(const std::wstring& folder) { return folder.size() == 3 && folder[1] == L':'; }

// How a reading ended.
enum class TListed { Done, Unreadable, TooLarge };

// The entries read so far, and the least their rows will take in the page: the fixed text
// of a row, and the name written twice with at least a byte for each of its characters.
class TEntries {
 public:
  explicit TEntries(size_t maxPageBytes) : FMaxPageBytes(maxPageBytes) {}

  // Whether one more entry with a name this long keeps the rows within the page's size; once
  // it does not, the reading stops.
  bool Fits(size_t nameLength) {
    static constexpr size_t kRowText = sizeof "<script>addRow(\"\",\"\",0,\"\",\"\");</script>\r\n" - 1;
    FLeastPageBytes += kRowText + 2 * nameLength;
    return FLeastPageBytes <= FMaxPageBytes;
  }
  void Clear() {
    FList.clear();
    FLeastPageBytes = 0;
  }
  std::vector<TFileInfo>& List() noexcept { return FList; }

 private:
  const size_t FMaxPageBytes;
  size_t FLeastPageBytes = 0;
  std::vector<TFileInfo> FList;
};

// The find loop: the way every folder can be read.
TListed ListByFind(const std::wstring& folder, TEntries& entries) {
  WIN32_FIND_DATAW found;
  TFindHandle search(FindFirstFileExW((folder + L"*.*").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                      nullptr, FIND_FIRST_EX_LARGE_FETCH));
  if (!search) return TListed::Unreadable;
  do {
    if (found.cFileName[0] == L'.' && found.cFileName[1] == L'\0') continue;
    int64_t size = (static_cast<int64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    if (!entries.Fits(wcslen(found.cFileName))) return TListed::TooLarge;
    entries.List().emplace_back(found.cFileName, size, found.ftLastWriteTime, found.dwFileAttributes);
  } while (FindNextFileW(search.get(), &found));
  return TListed::Done;
}

// The same entries read through the folder's own handle, a batch of entries per call: under
// Wine the find loop adds work of its own to every entry, about a fifth of the time a large
// folder takes. (A larger batch gains nothing, and a fresh megabyte costs more than a small
// folder's whole listing.) Unreadable when the folder cannot be read so.
TListed ListByHandle(const std::wstring& folder, TEntries& entries) {
  TFileHandle dir(CreateFileW(folder.c_str(), FILE_LIST_DIRECTORY,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!dir) return TListed::Unreadable;
  std::vector<char> buffer(64 * 1024);
  const bool root = IsDriveRoot(folder);
  FILE_INFO_BY_HANDLE_CLASS batch = FileFullDirectoryRestartInfo;
  while (GetFileInformationByHandleEx(dir.get(), batch, buffer.data(), static_cast<DWORD>(buffer.size()))) {
    batch = FileFullDirectoryInfo;
    const char* at = buffer.data();
    for (;;) {
      const auto* info = reinterpret_cast<const FILE_FULL_DIR_INFO*>(at);
      size_t length = info->FileNameLength / sizeof(wchar_t);
      if (!IsDot(info->FileName, length) && !(root && IsDotDot(info->FileName, length))) {
        FILETIME written{static_cast<DWORD>(info->LastWriteTime.LowPart),
                         static_cast<DWORD>(info->LastWriteTime.HighPart)};
        if (!entries.Fits(length)) return TListed::TooLarge;
        entries.List().emplace_back(std::wstring(info->FileName, length), info->EndOfFile.QuadPart, written,
                                    info->FileAttributes);
      }
      if (info->NextEntryOffset == 0) break;
      at += info->NextEntryOffset;
    }
  }
  // The end of the folder, or a failure before the first batch: the latter is left to the
  // find loop, which knows every way a folder can refuse.
  return GetLastError() == ERROR_NO_MORE_FILES && batch == FileFullDirectoryInfo ? TListed::Done
                                                                                 : TListed::Unreadable;
}

}  // namespace

std::optional<std::vector<TFileInfo>> ListFolder(const std::wstring& folder, size_t maxPageBytes) {
  TEntries entries(maxPageBytes);
  TListed listed = ListByHandle(folder, entries);
  if (listed == TListed::Unreadable) {
    entries.Clear();
    listed = ListByFind(folder, entries);
  }
  if (listed == TListed::TooLarge) return std::nullopt;
  return std::move(entries.List());
}

bool ListsBefore(const TFileInfo& a, const TFileInfo& b) {
  if (a.IsFolder() != b.IsFolder()) return a.IsFolder();
  int order = CompareText(a.name, b.name);
  // Names equal but for case exist side by side on case-sensitive drives: give them a fixed
  // order so the page is the same on every visit.
  return order != 0 ? order < 0 : a.name < b.name;
}

void SortEntries(std::vector<TFileInfo>& entries) { std::sort(entries.begin(), entries.end(), ListsBefore); }

void BuildListingPage(const std::wstring& folder, TMemoryStream& stream, size_t maxPageBytes) {
  std::optional<std::vector<TFileInfo>> entries = ListFolder(folder, maxPageBytes);
  std::string page;
  if (entries) {
    SortEntries(*entries);
    // The page is built in one piece: a row takes about a hundred bytes.
    std::string_view templateBytes = ListingTemplate();
    page.reserve(std::min(templateBytes.size() + 2 * folder.size() + 32 + entries->size() * 112, maxPageBytes + 1));
    page += templateBytes;
    AppendAscii(page, L"<script>start(\"" + EscapeJsString(folder) + L"\");</script>\r\n");
    for (const TFileInfo& entry : *entries) {
      if (page.size() > maxPageBytes) break;
      AppendAscii(page, entry.Display());
    }
  }
  if (!entries || page.size() > maxPageBytes) page = MessagePage(folder, L"too large to list");
  stream.Write(std::move(page));
}

}  // namespace ceffilescheme
