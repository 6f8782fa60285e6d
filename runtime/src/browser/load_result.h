#pragma once
// What one load of a main frame produced: a response with its body, a redirect to follow,
// or an error (a runtime network error code).

#include "request.h"

#include <string>
#include <string_view>

namespace standin {

struct TLoadResult {
  int error = 0;  // cef_errorcode_t; 0 for a response
  std::wstring final_url;
  std::wstring redirect_to;  // set by resource handlers that answer with a redirect
  int status = 0;
  std::wstring status_text;
  std::wstring mime_type;
  std::string content_type;  // as received, for the charset
  THeaderList headers;
  std::string body;

  static TLoadResult Failure(int error, std::wstring url) {
    TLoadResult result;
    result.error = error;
    result.final_url = std::move(url);
    return result;
  }
};

// The runtime's name of an error code ("ERR_CONNECTION_REFUSED").
const char* ErrorName(int error);
// The code of such a name, with or without the engine's "net::" prefix; ERR_FAILED when unknown.
int ErrorCodeOfName(std::string_view name);

}  // namespace standin
