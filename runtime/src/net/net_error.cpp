#include "net_error.h"

namespace standin::net {

std::string_view NetErrorName(TNetError error) {
  switch (error) {
    case TNetError::None: return "OK";
    case TNetError::Failed: return "ERR_FAILED";
    case TNetError::Aborted: return "ERR_ABORTED";
    case TNetError::TimedOut: return "ERR_TIMED_OUT";
    case TNetError::FileTooBig: return "ERR_FILE_TOO_BIG";
    case TNetError::NotImplemented: return "ERR_NOT_IMPLEMENTED";
    case TNetError::ConnectionClosed: return "ERR_CONNECTION_CLOSED";
    case TNetError::ConnectionReset: return "ERR_CONNECTION_RESET";
    case TNetError::ConnectionRefused: return "ERR_CONNECTION_REFUSED";
    case TNetError::ConnectionFailed: return "ERR_CONNECTION_FAILED";
    case TNetError::NameNotResolved: return "ERR_NAME_NOT_RESOLVED";
    case TNetError::InvalidUrl: return "ERR_INVALID_URL";
    case TNetError::UnknownUrlScheme: return "ERR_UNKNOWN_URL_SCHEME";
    case TNetError::TooManyRedirects: return "ERR_TOO_MANY_REDIRECTS";
    case TNetError::InvalidResponse: return "ERR_INVALID_RESPONSE";
    case TNetError::InvalidChunkedEncoding: return "ERR_INVALID_CHUNKED_ENCODING";
    case TNetError::EmptyResponse: return "ERR_EMPTY_RESPONSE";
    case TNetError::ResponseHeadersTooBig: return "ERR_RESPONSE_HEADERS_TOO_BIG";
  }
  return "ERR_FAILED";
}

}  // namespace standin::net
