#pragma once
// Base64 as the engine's protocol carries bytes (frames, response bodies).

#include <string>
#include <string_view>

namespace standin::engine {

// False for text that is not base64 (padding optional, no blanks).
bool DecodeBase64(std::string_view text, std::string& bytes);
std::string EncodeBase64(std::string_view bytes);

}  // namespace standin::engine
