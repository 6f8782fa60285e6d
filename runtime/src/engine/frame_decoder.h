#pragma once
// Screencast frames: base64 text holding a JPEG or PNG, decoded with WIC to 32-bit BGRA
// rows, top-down, ready for a DIB section.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace standin::engine {

struct TFrameImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> bgra;  // width * 4 bytes per row
};

// Any thread; false for bytes WIC cannot read as an image.
bool DecodeImage(const std::string& bytes, TFrameImage& image);

}  // namespace standin::engine
