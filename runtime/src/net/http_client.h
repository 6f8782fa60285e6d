#pragma once
// A small HTTP/1.1 client: GET only, one connection per request ("Connection: close"),
// Content-Length, chunked and read-to-close bodies, redirects followed up to a limit.
// Cookies go in and out through the request's hooks so that the caller's store decides.
// There is no TLS: https: addresses fail with ERR_NOT_IMPLEMENTED.

#include "http_message.h"
#include "net_error.h"
#include "socket_connection.h"

#include <functional>
#include <string>
#include <vector>

namespace standin::net {

struct THttpRequest {
  std::string url;
  std::vector<THttpHeader> headers;  // sent after Host, in this order
  int connect_timeout_ms = 10000;
  // How long the server may stay silent while the head or the body is awaited.
  int read_timeout_ms = 30000;
  int max_redirects = 20;
  size_t max_body_bytes = 64u << 20;
  // The Cookie header value for an address (empty: none is sent). Asked on every hop.
  std::function<std::string(const std::string& url)> cookie_header_for;
  // Every Set-Cookie header of every response, with the address that sent it.
  std::function<void(const std::string& url, const std::string& set_cookie)> store_cookie;
  // Told of each redirect before it is followed; may change where it goes.
  std::function<void(const std::string& from, std::string& to)> on_redirect;
};

struct THttpResult {
  TNetError error = TNetError::None;
  std::string final_url;  // the address that gave this response, after redirects
  int redirects = 0;
  THttpResponseHead head;
  std::string body;
};

// Runs a request to its end on the calling thread; cancel (may be null) stops it from any
// other thread.
THttpResult HttpGet(const THttpRequest& request, const TCancelFlag* cancel);

}  // namespace standin::net
