#include "http_client.h"

#include "http_url.h"

#include <charconv>

namespace standin::net {

namespace {

constexpr size_t kMaxHeadBytes = 256 * 1024;
constexpr size_t kReadChunk = 16 * 1024;

bool IsRedirect(int status) {
  return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

bool HasNoBody(int status) { return (status >= 100 && status < 200) || status == 204 || status == 304; }

std::string BuildRequest(const THttpUrl& url, const std::string& address, const THttpRequest& request) {
  std::string text = "GET " + url.target + " HTTP/1.1\r\nHost: " + url.HostHeader() + "\r\n";
  bool has_accept = false;
  for (const THttpHeader& header : request.headers) {
    if (EqualsNoCase(header.name, "Host") || EqualsNoCase(header.name, "Connection") ||
        EqualsNoCase(header.name, "Cookie"))
      continue;
    has_accept = has_accept || EqualsNoCase(header.name, "Accept");
    text += header.name + ": " + header.value + "\r\n";
  }
  if (!has_accept) text += "Accept: */*\r\n";
  if (request.cookie_header_for) {
    std::string cookies = request.cookie_header_for(address);
    if (!cookies.empty()) text += "Cookie: " + cookies + "\r\n";
  }
  text += "Connection: close\r\n\r\n";
  return text;
}

// Reads one response of a connection: the head, then the body as the head describes it.
class TResponseReader {
 public:
  TResponseReader(TSocketConnection& connection, const THttpRequest& request, const TCancelFlag* cancel)
      : FConnection(connection), FRequest(request), FCancel(cancel) {}

  TNetError ReadHead(THttpResponseHead& head) {
    for (;;) {
      size_t end = FBuffer.find("\r\n\r\n");
      size_t end_length = 4;
      if (end == std::string::npos) {
        end = FBuffer.find("\n\n");
        end_length = 2;
      }
      if (end != std::string::npos) {
        std::string text = FBuffer.substr(0, end);
        FBuffer.erase(0, end + end_length);
        if (!ParseResponseHead(text, head)) return TNetError::InvalidResponse;
        // Interim answers (100 Continue) come before the real one.
        if (head.status >= 100 && head.status < 200 && head.status != 101) continue;
        return TNetError::None;
      }
      if (FBuffer.size() > kMaxHeadBytes) return TNetError::ResponseHeadersTooBig;
      bool closed = false;
      if (TNetError error = Fill(closed); error != TNetError::None) return error;
      if (closed) return FBuffer.empty() && !FGotAny ? TNetError::EmptyResponse : TNetError::InvalidResponse;
    }
  }

  TNetError ReadBody(const THttpResponseHead& head, std::string& body) {
    if (HasNoBody(head.status)) return TNetError::None;
    std::optional<std::string> coding = head.Find("Transfer-Encoding");
    if (coding && coding->find("chunked") != std::string::npos) return ReadChunked(body);
    if (std::optional<std::string> length_text = head.Find("Content-Length")) {
      uint64_t length = 0;
      auto [end, ec] = std::from_chars(length_text->data(), length_text->data() + length_text->size(), length);
      if (ec != std::errc() || end != length_text->data() + length_text->size()) return TNetError::InvalidResponse;
      if (length > FRequest.max_body_bytes) return TNetError::FileTooBig;
      return ReadLength(static_cast<size_t>(length), body);
    }
    return ReadToClose(body);
  }

 private:
  TNetError Fill(bool& closed) {
    char chunk[kReadChunk];
    size_t got = 0;
    TNetError error = FConnection.Receive(chunk, sizeof(chunk), got, FRequest.read_timeout_ms, FCancel);
    if (error != TNetError::None) return error;
    closed = got == 0;
    FGotAny = FGotAny || got > 0;
    FBuffer.append(chunk, got);
    return TNetError::None;
  }

  TNetError ReadLength(size_t length, std::string& body) {
    body = std::move(FBuffer);
    FBuffer.clear();
    while (body.size() < length) {
      bool closed = false;
      if (TNetError error = Fill(closed); error != TNetError::None) return error;
      if (closed) return TNetError::ConnectionClosed;
      body += FBuffer;
      FBuffer.clear();
    }
    body.resize(length);
    return TNetError::None;
  }

  TNetError ReadToClose(std::string& body) {
    body = std::move(FBuffer);
    FBuffer.clear();
    for (;;) {
      bool closed = false;
      if (TNetError error = Fill(closed); error != TNetError::None) return error;
      if (closed) return TNetError::None;
      body += FBuffer;
      FBuffer.clear();
      if (body.size() > FRequest.max_body_bytes) return TNetError::FileTooBig;
    }
  }

  TNetError ReadChunked(std::string& body) {
    TChunkedDecoder decoder;
    body.clear();
    for (;;) {
      if (!decoder.Feed(FBuffer, body)) return TNetError::InvalidChunkedEncoding;
      FBuffer.clear();
      if (decoder.Done()) return TNetError::None;
      if (body.size() > FRequest.max_body_bytes) return TNetError::FileTooBig;
      bool closed = false;
      if (TNetError error = Fill(closed); error != TNetError::None) return error;
      if (closed) return TNetError::InvalidChunkedEncoding;
    }
  }

  TSocketConnection& FConnection;
  const THttpRequest& FRequest;
  const TCancelFlag* FCancel;
  std::string FBuffer;
  bool FGotAny = false;
};

}  // namespace

THttpResult HttpGet(const THttpRequest& request, const TCancelFlag* cancel) {
  THttpResult result;
  std::string address = request.url;
  for (;;) {
    result.final_url = address;
    std::optional<THttpUrl> url = ParseHttpUrl(address);
    if (!url) {
      result.error = TNetError::InvalidUrl;
      return result;
    }
    if (url->scheme != "http") {
      result.error = TNetError::NotImplemented;
      return result;
    }
    TSocketConnection connection;
    result.error = connection.Connect(url->host, url->port, request.connect_timeout_ms, cancel);
    if (result.error != TNetError::None) return result;
    result.error = connection.SendAll(BuildRequest(*url, address, request), request.read_timeout_ms, cancel);
    if (result.error != TNetError::None) return result;

    TResponseReader reader(connection, request, cancel);
    result.head = THttpResponseHead();
    result.body.clear();
    result.error = reader.ReadHead(result.head);
    if (result.error != TNetError::None) return result;
    if (request.store_cookie)
      for (const std::string& cookie : result.head.FindAll("Set-Cookie")) request.store_cookie(address, cookie);

    std::optional<std::string> location = result.head.Find("Location");
    if (IsRedirect(result.head.status) && location && !location->empty()) {
      if (result.redirects >= request.max_redirects) {
        result.error = TNetError::TooManyRedirects;
        return result;
      }
      std::string next = ResolveReference(address, *location);
      if (request.on_redirect) request.on_redirect(address, next);
      if (cancel && cancel->Cancelled()) {
        result.error = TNetError::Aborted;
        return result;
      }
      ++result.redirects;
      address = next;
      continue;
    }
    result.error = reader.ReadBody(result.head, result.body);
    return result;
  }
}

}  // namespace standin::net
