#pragma once
// Screencast frames: base64 text holding a JPEG or PNG, decoded with WIC to 32-bit BGRA rows,
// top-down, straight into the buffer the caller gives for the frame's size. One decoder per
// worker thread: COM and the imaging factory are set up once, on the thread that makes it,
// and used only there.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

struct IWICImagingFactory;

namespace standin::engine {

class TFrameDecoder {
 public:
  // Rows of width * 4 bytes for a frame of that size; null refuses it.
  using TTarget = std::function<uint8_t*(int width, int height)>;

  TFrameDecoder();
  ~TFrameDecoder();
  TFrameDecoder(const TFrameDecoder&) = delete;
  TFrameDecoder& operator=(const TFrameDecoder&) = delete;

  // False for text that is not base64 of an image WIC can read, or when target refuses it.
  bool Decode(std::string_view base64, const TTarget& target);

 private:
  bool FComStarted = false;
  IWICImagingFactory* FFactory = nullptr;
  std::string FBytes;  // kept between frames: its capacity is reused
};

}  // namespace standin::engine
