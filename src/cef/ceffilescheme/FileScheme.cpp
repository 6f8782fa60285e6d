#include "ceffilescheme/FileScheme.h"

#include <windows.h>

#include "base/Handle.h"
#include "ceffilescheme/ListingPage.h"
#include "ceffilescheme/LocalUrl.h"
#include "ceffilescheme/MessagePage.h"
#include "ceffilescheme/MimeType.h"
#include "ceflib/cef_callback.h"
#include "ceflib/cef_request.h"
#include "ceflib/cef_response.h"

namespace ceffilescheme {
namespace {

// Hidden and system files are not served, and a folder is listed, not read.
constexpr DWORD kNotServed = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;

bool IsServableFile(const std::wstring& path) {
  if (path.empty()) return false;
  WIN32_FIND_DATAW found;
  TFindHandle search(FindFirstFileW(path.c_str(), &found));
  if (!search) return false;
  do {
    if ((found.dwFileAttributes & kNotServed) == 0) return true;
  } while (FindNextFileW(search.get(), &found));
  return false;
}

bool IsFolder(const std::wstring& path) {
  if (path.empty()) return false;
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

std::string NotFoundPage(const ustring& path) { return MessagePage(path, L"not found"); }

TFileScheme::TFileScheme(const RefPtr<ceflib::ICefBrowser>& browser, const RefPtr<ceflib::ICefFrame>& frame,
                         const ustring& schemeName, const RefPtr<ceflib::ICefRequest>& request)
    : TCefResourceHandlerOwn(browser, frame, schemeName, request) {}

bool TFileScheme::ProcessRequest(const RefPtr<ceflib::ICefRequest>& request,
                                 const RefPtr<ceflib::ICefCallback>& callback) {
  Respond(request ? request->GetUrl() : ustring());
  if (callback) callback->Cont();
  return true;
}

void TFileScheme::Respond(const ustring& url) {
  // The query is cut off before the escapes are undone: a query's own text (a bare '%', a
  // '?' of its own) must not change the path, and an escaped '?' belongs to the path.
  FPath = LocalUrlToPath(std::wstring_view(url).substr(0, url.find(L'?')));
  if (IsServableFile(FPath) && RespondWithFile()) return;
  if (IsFolder(FPath)) {
    RespondWithFolder();
    return;
  }
  RespondNotFound();
}

bool TFileScheme::RespondWithFile() {
  // Found but not readable (locked, denied, or a wildcard that matched some file): the
  // caller answers "not found" instead.
  std::unique_ptr<TFileStream> file = TFileStream::OpenRead(FPath);
  if (!file) return false;
  FStatus = 200;
  FStatusText = L"OK";
  FMimeType = MimeTypeOfFile(FPath);
  FDataStream = std::move(file);
  return true;
}

void TFileScheme::RespondWithFolder() {
  FStatus = 200;
  FStatusText = L"OK";
  if (FPath.back() != L'\\') FPath += L'\\';
  auto page = std::make_unique<TMemoryStream>();
  BuildListingPage(FPath, *page);
  page->Rewind();
  FDataStream = std::move(page);
  FMimeType = L"text/html";
}

void TFileScheme::RespondNotFound() {
  FStatus = 404;
  FStatusText = L"Not found";
  auto page = std::make_unique<TMemoryStream>();
  page->Write(NotFoundPage(FPath));
  page->Rewind();
  FDataStream = std::move(page);
  FMimeType = L"text/html";
}

void TFileScheme::GetResponseHeaders(const RefPtr<ceflib::ICefResponse>& response, int64_t& responseLength,
                                     ustring& redirectUrl) {
  redirectUrl.clear();
  if (response) {
    response->SetStatus(FStatus);
    response->SetStatusText(FStatusText);
    response->SetMimeType(FMimeType);
  }
  responseLength = FDataStream ? FDataStream->Size() : 0;
}

bool TFileScheme::ReadResponse(void* dataOut, int bytesToRead, int& bytesRead,
                               const RefPtr<ceflib::ICefCallback>& callback) {
  bytesRead = 0;
  if (!FDataStream || !dataOut) return false;
  int read = FDataStream->Read(dataOut, bytesToRead);
  if (read <= 0) return false;
  bytesRead = read;
  if (callback) callback->Cont();
  return true;
}

}  // namespace ceffilescheme
