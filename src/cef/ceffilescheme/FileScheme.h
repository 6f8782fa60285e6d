#pragma once
// TFileScheme: the resource handler behind `local:` addresses. One object answers one
// request: a file with its MIME type, a folder with its listing page, anything else with a
// small "not found" page. Everything is decided in ProcessRequest; files are then streamed in
// the chunks the runtime asks for.

#include <cstdint>
#include <memory>

#include "ceffilescheme/DataStream.h"
#include "ceflib/cef_resource_handler.h"

namespace ceffilescheme {

using ceflib::RefPtr;
using ceflib::ustring;

class TFileScheme : public ceflib::TCefResourceHandlerOwn {
 public:
  TFileScheme(const RefPtr<ceflib::ICefBrowser>& browser, const RefPtr<ceflib::ICefFrame>& frame,
              const ustring& schemeName, const RefPtr<ceflib::ICefRequest>& request);

  bool ProcessRequest(const RefPtr<ceflib::ICefRequest>& request, const RefPtr<ceflib::ICefCallback>& callback) override;
  void GetResponseHeaders(const RefPtr<ceflib::ICefResponse>& response, int64_t& responseLength,
                          ustring& redirectUrl) override;
  // True only with data: at the end of the body, or when the file fails or turns out shorter
  // than announced, false ends the response instead of leaving the runtime waiting.
  bool ReadResponse(void* dataOut, int bytesToRead, int& bytesRead,
                    const RefPtr<ceflib::ICefCallback>& callback) override;

  // The answer to an address, as ProcessRequest gives it (without the runtime's callback).
  void Respond(const ustring& url);

  const ustring& Path() const noexcept { return FPath; }
  int Status() const noexcept { return FStatus; }
  const ustring& StatusText() const noexcept { return FStatusText; }
  const ustring& MimeType() const noexcept { return FMimeType; }
  TDataStream* DataStream() const noexcept { return FDataStream.get(); }

 private:
  bool RespondWithFile();
  void RespondWithFolder();
  void RespondNotFound();

  ustring FPath;
  std::unique_ptr<TDataStream> FDataStream;
  int32_t FStatus = 0;
  ustring FStatusText;
  ustring FMimeType;
};

// The "not found" page for a path, as UTF-8; the path is written as HTML text.
std::string NotFoundPage(const ustring& path);

}  // namespace ceffilescheme
